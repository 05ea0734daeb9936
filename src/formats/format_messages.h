// The fixed texts that readers, writers and the file commands report. Each text
// has exactly one definition so that callers and tests compare the same words.
#pragma once

namespace vorlin {

// Handler outcomes shared by every codec.
inline constexpr char kMsgAllClear[] = "All clear!";
inline constexpr char kMsgNonDescript[] = "Non-descript error :(.";
inline constexpr char kMsgMemoryAllocation[] = "Memory allocation error.";
inline constexpr char kMsgFileDoesntExist[] = "File doesn't exist.";
inline constexpr char kMsgFormatNotRecognized[] = "Ack! File format not recognized.";
inline constexpr char kMsgUnsupportedBitdepth[] = "Unsupported bitdepth.";

// A header that declares more picture than the bytes after it can hold.
inline constexpr char kMsgFileTooShort[] = "File too short for the picture it declares.";

// What a reader filled in itself (printf patterns); shown as warnings, the read succeeds.
inline constexpr char kWarnRowsMissing[] =
    "the file ends early: %llu of %llu rows incomplete, filled with zeros";
inline constexpr char kWarnTableCut[] = "colour table of %llu entries cut to %llu";
inline constexpr char kWarnUndefinedIndex[] =
    "pixels use colour %llu, which the file's colour table does not define";
// Starts the status-bar line of a warning.
inline constexpr char kWarningPrefix[] = "Warning: ";

// BMP.
inline constexpr char kMsgBmpCompression[] = "BMP compression unsupported";
inline constexpr char kMsgBmpBitplanes[] = "Multiple bitplanes are unsupported";

// TGA.
inline constexpr char kMsgTgaPaletteEntries[] = "Invalid number of palette entries";
inline constexpr char kMsgTgaUnsupportedVersion[] = "Unsupported version (must have palette)";

// PNG (the library's own error texts are reported as they come).
inline constexpr char kMsgPngCreateStruct[] = "Can't create PNG struct.";
inline constexpr char kMsgPngCreateInfo[] = "Can't create PNG info struct";
inline constexpr char kMsgPng16Bits[] = "16 bits per shade unsupported";

// File commands.
inline constexpr char kMsgOpenBadExtension[] = "Unrecognized file extension, Open failed.";
inline constexpr char kMsgSaveBadExtension[] = "Unrecognized file extension, Save failed.";
inline constexpr char kMsgPaletteNotOpened[] = "Palette files should be imported, not opened";
inline constexpr char kMsgCantOpen[] = "Ack! Can't open %s! \n(%s)";
inline constexpr char kMsgCantSave[] = "Ack! Can't save file \"%s\"! \n(%s)";
inline constexpr char kMsgCantExport[] = "Ack! Can't export file \"%s\"! \n(%s)";
inline constexpr char kMsgCantImport[] = "Ack! Can't import this file! (%s)";
inline constexpr char kMsgUnsupportedFileType[] = "Unsupported file type (%s)";
inline constexpr char kMsgNoColors[] = "No colors!";

}  // namespace vorlin
