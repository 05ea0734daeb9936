// Which palette layout a file name stands for, and reading and writing a
// palette in any of them. Pictures count as palettes too: a paletted picture
// gives its colour table, a true-colour one (a strip of swatches) its distinct
// colours in reading order; writing makes a strip of swatches.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "formats/palette_codecs.h"

namespace vorlin {

enum class PaletteLayout {
    ColorList,  // the "CLRX" text layout
    Riff,
    Jasc,
    Gimp,
    Act,
    Hex,
    GbaRaw,
    Picture,
};

// The layouts a ".pal" name may be written in, in the order a choice offers them.
inline constexpr PaletteLayout kPalLayouts[] = {PaletteLayout::ColorList, PaletteLayout::Jasc,
                                                PaletteLayout::Riff};
// A short name for a layout ("JASC-PAL"), used in the settings and the choice.
std::string_view PaletteLayoutName(PaletteLayout layout);
std::optional<PaletteLayout> PaletteLayoutFromName(std::string_view name);

// The layout for a file name: ".pal" files get `palLayout` (reading tells the
// three apart by content anyway), ".bin" only when `binIsPalette` (elsewhere it
// means exported game data). Nothing for a name that is no palette file.
std::optional<PaletteLayout> PaletteLayoutForPath(std::string_view path, PaletteLayout palLayout,
                                                  bool binIsPalette);
// The extensions PaletteLayoutForPath knows, for help texts: "pal, gpl, ...".
std::string_view PaletteFileExtensions();

// Reads a whole palette file (not a picture); throws FormatError.
PaletteColors DecodePalette(PaletteLayout layout, std::span<const std::uint8_t> file);
// The file's bytes; `name` titles a GIMP palette. `note` says what was rounded.
std::string EncodePalette(PaletteLayout layout, std::span<const RgbQuad> colors,
                          std::string_view name, std::string* note = nullptr);

// The colours of a picture read from a file: a paletted one's first
// `definedColors` table entries (all of them when negative); throws FormatError
// for a true-colour picture with more than 256 colours.
PaletteColors PictureColors(PackedDib picture, int definedColors = -1);
// An 8-bpp picture of 8 x 8 swatches, 16 to a row, whose colour table is `colors`.
DibPtr PaletteStrip(std::span<const RgbQuad> colors);

}  // namespace vorlin
