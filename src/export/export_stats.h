// Figures of a converted export: tiles, block sizes, video memory, tile
// indices and palette banks, and how far the console picture is from the source.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/console_picture.h"

namespace vorlin {

struct BlockFigures {
    bool exported = false;
    std::size_t bytes = 0;   // before compression
    std::size_t stored = 0;  // as written
    int compression = BLK_CPRS_NONE;
};

// Bytes [start, end) of background video memory; empty when start == end.
struct VramSpan {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

inline bool SpansOverlap(const VramSpan& a, const VramSpan& b) {
    return a.start < a.end && b.start < b.end && a.start < b.end && b.start < a.end;
}

// Bitmap modes use the first 80 KiB of video memory for the frame.
inline constexpr std::uint32_t kBitmapVramBytes = 80 * 1024;

struct ExportStats {
    bool bitmap = false;
    bool mapped = false;       // a map is exported
    int areaTiles = 0;         // tiles in the area (0 for bitmaps)
    int graphicsTiles = 0;     // tiles in the graphics block, after reduction
    BlockFigures palette, graphics, map, metaMap;
    VramPlacement placement;
    VramSpan tileMemory;       // graphics (bitmap frame) as the console holds them
    VramSpan mapMemory;        // the map with tile groups expanded
    bool tilesFit = true;
    bool mapFits = true;
    int lowIndex = 0;          // tile indices the map needs, before wrapping
    int highIndex = -1;
    int indexLimit = 1024;     // indices a map entry can hold
    std::uint16_t banks = 0;   // bit b: palette bank b named by the map of 4-bpp tiles
    std::size_t differentPixels = 0;
};

// 1 where the console shows another colour than the source picture at 15 bits.
std::vector<std::uint8_t> DifferenceMask(const ConsolePicture& console, PackedDib sourceArea);

ExportStats ComputeExportStats(const ExportJob& job, const PlainBlocks& blocks,
                               const ConsolePicture& console, VramPlacement placement,
                               std::size_t differentPixels);

// One line per figure, for the dialog and the command line.
std::vector<std::string> ExportStatsLines(const ExportStats& stats);

// "none", "lz77", "huff" or "rle".
const char* CompressionShortName(int compression);

}  // namespace vorlin
