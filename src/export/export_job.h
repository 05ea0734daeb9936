// One GBA export: every option of the export, and after conversion the data
// blocks that the writers print. A plain record with free functions; nothing
// here throws, failures are a 0 result.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

// Shown when an export or a conversion cannot be completed.
inline constexpr const char* kExportFailed = "Export failed, try again.";

// --- outFlags ---
inline constexpr std::uint32_t OUT_KIND_MASK = 0x0Fu;
inline constexpr std::uint32_t OUT_KIND_C = 0;
inline constexpr std::uint32_t OUT_KIND_ASM = 1;
inline constexpr std::uint32_t OUT_KIND_BIN = 2;
inline constexpr std::uint32_t OUT_KIND_GBFS = 3;
inline constexpr int kOutKindCount = 4;
inline constexpr std::uint32_t OUT_HEADER = 1u << 4;
inline constexpr std::uint32_t OUT_APPEND = 1u << 5;
inline constexpr std::uint32_t OUT_CONVERT_ONLY = 1u << 9;
// Every LZ77 block takes the smallest (slower) parse.
inline constexpr std::uint32_t OUT_SMALLEST_LZ77 = 1u << 10;

// --- block flag words (palFlags, imgFlags, mapFlags share bits 0-7) ---
inline constexpr std::uint32_t BLK_EXPORT = 1u << 0;
inline constexpr int BLK_SIZE_SHIFT = 1;
inline constexpr std::uint32_t BLK_SIZE_MASK = 3u << BLK_SIZE_SHIFT;
inline constexpr int BLK_CPRS_SHIFT = 4;
inline constexpr std::uint32_t BLK_CPRS_MASK = 0x0Fu << BLK_CPRS_SHIFT;

// Size codes (print unit = 1 << code bytes).
inline constexpr int BLK_SIZE_U8 = 0;
inline constexpr int BLK_SIZE_U16 = 1;
inline constexpr int BLK_SIZE_U32 = 2;
inline constexpr int kSizeCodeCount = 3;

// Compression codes.
inline constexpr int BLK_CPRS_NONE = 0;
inline constexpr int BLK_CPRS_LZ77 = 1;
inline constexpr int BLK_CPRS_HUFF = 2;
inline constexpr int BLK_CPRS_RLE = 3;
inline constexpr int kCompressionCount = 4;

// --- further imgFlags bits ---
inline constexpr std::uint32_t IMG_BITMAP = 1u << 8;
inline constexpr std::uint32_t IMG_COLOR_KEY = 1u << 9;

// --- further mapFlags bits ---
inline constexpr std::uint32_t MAP_REDUCE = 1u << 8;
inline constexpr std::uint32_t MAP_FLIP = 1u << 10;
inline constexpr std::uint32_t MAP_PALBANK = 1u << 11;
inline constexpr std::uint32_t MAP_META_PAL = 1u << 12;
inline constexpr std::uint32_t MAP_SBB = 1u << 14;
inline constexpr std::uint32_t MAP_AFFINE = 1u << 15;

// Regular map entry fields.
inline constexpr std::uint16_t kMapIndexMask = 0x03FF;
inline constexpr std::uint16_t kMapHFlip = 1u << 10;
inline constexpr std::uint16_t kMapVFlip = 1u << 11;
inline constexpr std::uint16_t kMapBankMask = 0xF000;

inline std::uint32_t OutKind(std::uint32_t outFlags) {
    return outFlags & OUT_KIND_MASK;
}
inline bool BlockExported(std::uint32_t flags) {
    return (flags & BLK_EXPORT) != 0;
}
inline int BlockSizeCode(std::uint32_t flags) {
    return static_cast<int>((flags & BLK_SIZE_MASK) >> BLK_SIZE_SHIFT);
}
// Print unit in bytes: 1, 2 or 4 (code 3 is not produced; treated as 4).
inline int BlockUnit(std::uint32_t flags) {
    const int code = BlockSizeCode(flags);
    return code >= BLK_SIZE_U32 ? 4 : 1 << code;
}
inline int BlockCompression(std::uint32_t flags) {
    return static_cast<int>((flags & BLK_CPRS_MASK) >> BLK_CPRS_SHIFT);
}
inline std::uint32_t WithSizeCode(std::uint32_t flags, int code) {
    return (flags & ~BLK_SIZE_MASK) |
           ((static_cast<std::uint32_t>(code) << BLK_SIZE_SHIFT) & BLK_SIZE_MASK);
}
inline std::uint32_t WithCompression(std::uint32_t flags, int code) {
    return (flags & ~BLK_CPRS_MASK) |
           ((static_cast<std::uint32_t>(code) << BLK_CPRS_SHIFT) & BLK_CPRS_MASK);
}

// Converted or compressed data. elementSize says how the producer counts it
// (1 or 2 bytes); bytes.size() == elementSize * count always holds. An empty
// vector is a block with no buffer. compression is the BIOS stream format the
// bytes are in: the flag word only says what was asked for, and a block whose
// compression did not work out stays plain.
struct DataBlock {
    int elementSize = 0;
    int count = 0;
    std::vector<std::uint8_t> bytes;
    int compression = 0;  // BLK_CPRS_NONE, ...
};

inline int DataBlockByteSize(const DataBlock& block) {
    return static_cast<int>(block.bytes.size());
}
inline bool DataBlockEmpty(const DataBlock& block) {
    return block.bytes.empty();
}
void DataBlockClear(DataBlock& block);
// Replaces the block's contents; elementSize must divide data.size().
void DataBlockAssign(DataBlock& block, int elementSize, std::vector<std::uint8_t> data);

struct ExportJob {
    // The document's path, used only to derive missing names. Absent is not the
    // same as empty: a picture never saved has an empty path and still exports
    // under the names its job was given.
    std::optional<std::string> sourcePath;
    DibPtr image;            // 8-bpp copy of the picture with its palette
    std::uint32_t outFlags = 0;
    std::string folder;
    std::string title;
    std::string symbol;
    std::uint32_t palFlags = 0;
    std::int32_t palStart = 0;
    std::int32_t palEnd = 0;  // one past the last exported index
    std::uint32_t imgFlags = 0;
    std::int32_t bpp = 0;  // 1, 2, 4, 8 or 16
    RgbQuad colorKey{0, 0, 0, 0};
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // right, bottom exclusive
    std::uint32_t mapFlags = 0;
    std::int32_t tileOffset = 0;
    std::int32_t metaWidth = 0, metaHeight = 0;  // tile group in tiles
    DibPtr work;                                 // working image during and after conversion
    DataBlock palData;
    DataBlock imgData;
    DataBlock mapData;
    DataBlock metaData;
    // After a reduction: for graphics tile k + 1, the export-order number of the
    // source tile it was taken from (ReducedTiles::firstUse).
    std::vector<std::size_t> tileFirstUse;
    // Set by ExportWrite to the first output that could not be written and why.
    std::string failedFile;
    std::string failedReason;
};

// Zero-filled job, or null when it cannot be allocated.
ExportJob* ExportJobNew();
// Frees everything the job owns and the job itself; null is ignored.
void ExportJobFree(ExportJob* job);

struct ExportJobDeleter {
    void operator()(ExportJob* job) const { ExportJobFree(job); }
};
using ExportJobPtr = std::unique_ptr<ExportJob, ExportJobDeleter>;

// 1 when the job can run (fields may have been adjusted silently), 0 otherwise.
int ExportValidate(ExportJob* job);
// Builds work and the data blocks; 1, or 0 when the working image cannot be prepared.
int ExportConvert(ExportJob* job);
// Writes the converted blocks; 1 when every output was written, else 0 (an
// unknown file kind, or failedFile/failedReason say which output failed).
int ExportWrite(ExportJob* job);
// Validate, convert and (unless convert-only) write.
int ExportRun(ExportJob* job);

// Derived quantities of a validated job.
bool ExportsPalette(const ExportJob& job);
bool ExportsGraphics(const ExportJob& job);
bool ExportsMap(const ExportJob& job);
// Tile group larger than one tile.
bool HasTileGroups(const ExportJob& job);
// Palette entries exported: palEnd - palStart, limited to the image's colour table.
int ExportPaletteEntries(const ExportJob& job);
// (right - left) / 8 x (bottom - top) / 8.
int ExportAreaTiles(const ExportJob& job);
// Map size in (meta-)tiles as the summary shows it.
int ExportMapColumns(const ExportJob& job);
int ExportMapRows(const ExportJob& job);

}  // namespace vorlin
