// The picture the console's video hardware shows for an export, rebuilt from
// the job's blocks as written (decompressed with our own decoders): tiles
// through the map's index, flips and palette bank, screen blocks, affine
// maps, tile groups expanded, and bitmaps, all through the 15-bit palette.
#pragma once

#include <cstdint>
#include <vector>

#include "export/export_job.h"
#include "export/tile_arrangement.h"
#include "export/vram_layout.h"

namespace vorlin {

// The blocks of a job as plain bytes (compressed ones decompressed).
struct PlainBlocks {
    std::vector<std::uint8_t> palette, graphics, map, metaMap;
};

// False when a compressed block does not decode.
bool DecodeBlocks(const ExportJob& job, PlainBlocks& out);

struct ConsolePicture {
    int width = 0;   // the export area
    int height = 0;
    std::vector<std::uint16_t> colors;   // 15-bit colour of every pixel, row by row
    std::vector<std::uint8_t> indices;   // palette entry of every pixel; empty for 16-bpp bitmaps
    std::vector<std::uint16_t> entries;  // map entry shown at every tile, row by row; tiles only
    std::vector<TileSpot> spots;         // area position of every tile in export order
    std::uint16_t palette[kPaletteEntries] = {};  // palette memory as loaded
};

inline int ConsoleTilesAcross(const ConsolePicture& picture) {
    return picture.width / 8;
}

// Fills out.palette as the console holds it: the palette block from entry
// palStart, or without an exported palette the picture's own colours.
void LoadConsolePalette(const ExportJob& job, const std::vector<std::uint8_t>& block,
                        ConsolePicture& out);

// Rebuilds the console picture of a validated, converted job. Graphics go to
// the placement's character block at the tile offset, the palette block to
// palette entry palStart (without an exported palette the game is taken to
// load the picture's own). Memory that nothing was loaded into reads as 0. A
// job without a map shows its tiles in export order in the bank a map would
// give them. False when a block does not decode or the area cannot be laid out.
bool DecodeConsolePicture(const ExportJob& job, const PlainBlocks& blocks,
                          VramPlacement placement, ConsolePicture& out);

// The job's area of the source picture, 8 bpp with the picture's palette
// (index 0 outside the picture), or null.
DibPtr SourceArea(const ExportJob& job);

}  // namespace vorlin
