// The steps of a conversion, shared by the export of one picture
// (ExportConvert) and of several pictures with one tileset (ExportSetConvert).
#pragma once

#include <cstdint>
#include <vector>

#include "export/compress.h"
#include "export/export_job.h"

namespace vorlin {

// Crops the area into `work` (16-bpp bitmap or 8 bpp), clears the blocks and,
// for tiles, re-lays `work` as a column of tiles in export order.
bool PrepareWork(ExportJob& job);

// The tiles of a working column, 64 bytes each, top-down; empty when `work` is
// not a column of tiles (the arrangement failed).
std::vector<std::uint8_t> WorkTileBytes(const ExportJob& job);

// An 8-pixel column of `tiles` with the colour table of `palette`, or null.
PackedDib TileColumn(const std::vector<std::uint8_t>& tiles, PackedDib palette);

// The map entries of consecutive source tiles before the tile offset.
struct TileEntries {
    bool reduced = false;                // the job reduces: `tiles` and `firstUse` are set
    std::vector<std::uint16_t> entries;  // one per source tile
    std::vector<std::uint8_t> tiles;     // the unique tiles, blank tile 0 first
    std::vector<std::size_t> firstUse;   // ReducedTiles::firstUse
};
TileEntries EntriesOf(const ExportJob& job, const std::vector<std::uint8_t>& source);

// The map (tile offset, meta-tiles, affine bytes) and meta-map blocks, compressed.
void BuildMapBlocks(ExportJob& job, std::vector<std::uint16_t> entries);

// Graphics bytes of `work` at the job's depth (packed least significant pixel
// first), uncompressed; false when the depth cannot be produced.
bool GraphicsBytes(const ExportJob& job, PackedDib work, std::vector<std::uint8_t>& bytes);
// The graphics block from `work`, compressed.
void BuildGraphics(ExportJob& job);
// The palette block from the colour table of `work`, compressed.
void BuildPalette(ExportJob& job);

Lz77Parse Lz77ParseOf(const ExportJob& job);

}  // namespace vorlin
