// The map of an export: the source tiles' entries (reduced or in order), the
// tile offset, meta-tile grouping and the affine byte layout.
#include <cstring>

#include "export/export_steps.h"
#include "export/reduce_tiles.h"
#include "export/tile_arrangement.h"
#include "export/tile_ops.h"
#include "export/vram_layout.h"

namespace vorlin {

namespace {

std::uint16_t OffsetEntry(std::uint16_t entry, std::int32_t offset) {
    const std::int64_t index = entry & kMapIndexMask;
    if (offset > 0 && index == 0) return entry;  // tile 0 stays the blank tile
    const std::int64_t moved = ((index + offset) % 1024 + 1024) % 1024;
    return static_cast<std::uint16_t>((entry & ~kMapIndexMask) | moved);
}

std::vector<std::uint8_t> EntryBytes(const std::vector<std::uint16_t>& entries, bool affine) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(entries.size() * 2);
    for (std::uint16_t e : entries) {
        bytes.push_back(static_cast<std::uint8_t>(e));
        if (!affine) bytes.push_back(static_cast<std::uint8_t>(e >> 8));
    }
    return bytes;
}

// Tiles the background reads at 8 bpp show their own 8-bit indices whatever bank
// the entry names, so there the bank option must not merge tiles whose indices
// differ; their entries still carry the bank, as every map's do.
TileEntries ReducedEntries(const ExportJob& job, const std::vector<std::uint8_t>& source) {
    const std::size_t tiles = source.size() / kTileBytes;
    const bool wholeIndices = TileReadingOf(job).bpp == 8 && (job.mapFlags & MAP_PALBANK);
    ReducedTiles reduced = ReduceTiles(source.data(), tiles,
                                       wholeIndices ? job.mapFlags & ~MAP_PALBANK : job.mapFlags);
    if (wholeIndices)
        for (std::size_t n = 0; n < tiles; ++n)
            reduced.entries[n] =
                static_cast<std::uint16_t>(reduced.entries[n] | TileBank(&source[n * kTileBytes]));
    TileEntries out;
    out.reduced = true;
    out.entries = std::move(reduced.entries);
    out.tiles = std::move(reduced.tiles);
    out.firstUse = std::move(reduced.firstUse);
    return out;
}

}  // namespace

std::vector<std::uint8_t> WorkTileBytes(const ExportJob& job) {
    PackedDib work = job.work.get();
    if (!work || DibWidth(work) != kTileSide || DibBitCount(work) != 8) return {};
    const std::size_t tiles =
        std::min(static_cast<std::size_t>(std::max(ExportAreaTiles(job), 0)),
                 static_cast<std::size_t>(DibHeight(work) / kTileSide));
    // A top-down column (what the arrangement makes) holds its tiles in order already.
    if (DibIsTopDown(work) && DibStride(work) == kTileSide)
        return std::vector<std::uint8_t>(DibPixels(work), DibPixels(work) + tiles * kTileBytes);
    std::vector<std::uint8_t> bytes(tiles * kTileBytes);
    for (std::size_t row = 0; row < tiles * kTileSide; ++row)
        std::memcpy(&bytes[row * kTileSide], DibPictureRow(work, static_cast<int>(row)), kTileSide);
    return bytes;
}

PackedDib TileColumn(const std::vector<std::uint8_t>& tiles, PackedDib palette) {
    const int rows = static_cast<int>(tiles.size() / kTileSide);
    PackedDib dib = DibCreate(kTileSide, rows, 8, tiles.data(), 1);
    if (dib) std::memcpy(DibColors(dib), DibColors(palette), 4 * DibColorCount(palette));
    return dib;
}

TileEntries EntriesOf(const ExportJob& job, const std::vector<std::uint8_t>& source) {
    if (job.mapFlags & MAP_REDUCE) return ReducedEntries(job, source);
    // Every map carries the banks, also for 8-bpp tiles.
    TileEntries out;
    out.entries.resize(source.size() / kTileBytes);
    for (std::size_t n = 0; n < out.entries.size(); ++n)
        out.entries[n] =
            static_cast<std::uint16_t>(TileBank(&source[n * kTileBytes]) | (n & kMapIndexMask));
    return out;
}

void BuildMapBlocks(ExportJob& job, std::vector<std::uint16_t> entries) {
    if (job.tileOffset != 0)
        for (std::uint16_t& e : entries) e = OffsetEntry(e, job.tileOffset);
    std::vector<std::uint16_t> metaMap;
    if (HasTileGroups(job)) {
        MetaTiles meta = GroupMetaTiles(
            entries, static_cast<std::size_t>(job.metaWidth) * job.metaHeight, job.mapFlags);
        entries = std::move(meta.definitions);
        metaMap = std::move(meta.metaMap);
    }
    const bool affine = (job.mapFlags & MAP_AFFINE) != 0;
    DataBlockAssign(job.mapData, affine ? 1 : 2, EntryBytes(entries, affine));
    CompressBlock(job.mapData, job.mapFlags, Lz77ParseOf(job));
    DataBlockAssign(job.metaData, 2, EntryBytes(metaMap, false));
}

}  // namespace vorlin
