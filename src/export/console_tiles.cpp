#include "export/console_tiles.h"

#include <algorithm>

#include "core/little_endian.h"
#include "export/packed_pixels.h"
#include "export/tile_arrangement.h"
#include "export/tile_ops.h"

namespace vorlin {

namespace {

std::uint16_t MapEntry(const std::vector<std::uint8_t>& map, std::size_t n, bool affine) {
    if (affine) return n < map.size() ? map[n] : 0;
    return 2 * n + 1 < map.size() ? Le16(&map[2 * n]) : 0;
}

// The entry of tile n of a grouped map: its meta-tile's definition, with the
// meta-map's bank replacing the definition's when the meta-map carries banks.
std::uint16_t GroupedEntry(const ExportJob& job, const PlainBlocks& blocks, std::size_t n,
                           bool affine) {
    const std::size_t groupSize = static_cast<std::size_t>(job.metaWidth) * job.metaHeight;
    const std::uint16_t meta = MapEntry(blocks.metaMap, n / groupSize, false);
    const bool metaBanks = (job.mapFlags & MAP_META_PAL) != 0;
    const std::size_t group = metaBanks ? meta & ~kMapBankMask : meta;
    const std::uint16_t entry = MapEntry(blocks.map, group * groupSize + n % groupSize, affine);
    if (!metaBanks || affine) return entry;
    return static_cast<std::uint16_t>((entry & ~kMapBankMask) | (meta & kMapBankMask));
}

// Without a map the tiles stand in export order, each in the bank a map would give it.
std::uint16_t UnmappedEntry(PackedDib source, TileSpot spot, std::size_t n) {
    std::uint8_t tile[kTileBytes];
    CopyTile(source, spot, tile);
    return static_cast<std::uint16_t>(TileBank(tile) | (n & kMapIndexMask));
}

std::vector<std::uint16_t> EntriesInOrder(const ExportJob& job, const PlainBlocks& blocks,
                                          const std::vector<TileSpot>& spots, bool affine) {
    std::vector<std::uint16_t> entries(spots.size());
    if (!ExportsMap(job)) {
        DibPtr source = SourceArea(job);
        if (!source) return entries;
        for (std::size_t n = 0; n < spots.size(); ++n)
            entries[n] = UnmappedEntry(source.get(), spots[n], n);
        return entries;
    }
    for (std::size_t n = 0; n < spots.size(); ++n)
        entries[n] = HasTileGroups(job) ? GroupedEntry(job, blocks, n, affine)
                                        : MapEntry(blocks.map, n, affine);
    return entries;
}

// 1- and 2-bpp graphics are no hardware depth: the game unpacks them (as the
// BIOS bit unpacking does) to the depth the background reads.
std::vector<std::uint8_t> LoadableGraphics(const ExportJob& job, const TileReading& reading,
                                           const std::vector<std::uint8_t>& graphics) {
    if (job.bpp >= 4 || job.bpp < 1) return graphics;
    const std::size_t pixels = graphics.size() * 8 / static_cast<std::size_t>(job.bpp);
    std::vector<std::uint8_t> out(pixels * reading.bpp / 8, 0);
    for (std::size_t p = 0; p < pixels; ++p) {
        const unsigned v = PackedPixel(graphics, p, job.bpp);
        if (reading.bpp == 8)
            out[p] = static_cast<std::uint8_t>(v);
        else
            out[p / 2] |= static_cast<std::uint8_t>(v << (4 * (p % 2)));
    }
    return out;
}

// Background video memory after the game copied the graphics to the character
// block in one piece from the slot the tile offset names. A negative offset
// moves every index, the first tiles' to the top of the window, so there the
// graphics wrap within the slots a map can name.
std::vector<std::uint8_t> CharacterMemory(const ExportJob& job, const TileReading& reading,
                                          const std::vector<std::uint8_t>& graphics,
                                          VramPlacement placement) {
    std::vector<std::uint8_t> vram(kBgVramBytes, 0);
    const std::vector<std::uint8_t> bytes = LoadableGraphics(job, reading, graphics);
    const std::size_t window = static_cast<std::size_t>(reading.slotCount) * reading.slotBytes;
    const std::size_t base = static_cast<std::size_t>(placement.charBlock) * kCharBlockBytes;
    const std::size_t offset = GraphicsLoadOffset(job, reading);
    const bool wraps = job.tileOffset < 0;
    const std::size_t count = wraps ? std::min(bytes.size(), window) : bytes.size();
    for (std::size_t b = 0; b < count; ++b) {
        const std::size_t address = base + (wraps ? (offset + b) % window : offset + b);
        if (address >= vram.size()) break;
        vram[address] = bytes[b];
    }
    return vram;
}

// The game loads the map after the tiles: where they overlap, the map's bytes
// are what the tiles show.
void LoadMap(const ExportJob& job, const std::vector<std::uint16_t>& entries, bool affine,
             VramPlacement placement, std::vector<std::uint8_t>& vram) {
    if (!ExportsMap(job)) return;
    std::size_t address = static_cast<std::size_t>(placement.screenBlock) * kScreenBlockBytes;
    for (std::uint16_t entry : entries) {
        if (address < vram.size()) vram[address++] = static_cast<std::uint8_t>(entry);
        if (!affine && address < vram.size()) vram[address++] = static_cast<std::uint8_t>(entry >> 8);
    }
}

// The 64 palette entries of the tile an entry names, row by row, seen through
// its flips; flips and bank only on regular backgrounds. Colour 0 of every
// 4-bit bank is transparent: the backdrop, palette entry 0, shows. Memory past
// the end reads 0.
void ReadTile(const std::vector<std::uint8_t>& vram, std::size_t tileBase,
              const TileReading& reading, std::uint16_t entry, std::uint8_t* out) {
    std::uint8_t stored[kTileBytes] = {};
    const std::size_t bytes = static_cast<std::size_t>(reading.slotBytes);
    if (tileBase < vram.size())
        std::copy_n(&vram[tileBase], std::min(bytes, vram.size() - tileBase), stored);
    const int xFlip = !reading.affine && (entry & kMapHFlip) ? 7 : 0;
    const int yFlip = !reading.affine && (entry & kMapVFlip) ? 7 : 0;
    const auto bank = static_cast<std::uint8_t>((entry & kMapBankMask) >> 8);
    const int rowBytes = reading.bpp;  // 8 pixels a row
    for (int y = 0; y < kTileSide; ++y, out += kTileSide) {
        const std::uint8_t* row = stored + (y ^ yFlip) * rowBytes;
        for (int x = 0; x < kTileSide; ++x) {
            const int from = x ^ xFlip;
            if (reading.bpp == 8) {
                out[x] = row[from];
                continue;
            }
            const unsigned v = (row[from / 2] >> (4 * (from % 2))) & 15;
            out[x] = v == 0 ? 0 : static_cast<std::uint8_t>(bank | v);
        }
    }
}

void DrawTile(const std::vector<std::uint8_t>& vram, const TileReading& reading,
              VramPlacement placement, std::uint16_t entry, TileSpot spot, ConsolePicture& out) {
    const std::size_t slot = reading.affine ? entry & 0xFF : entry & kMapIndexMask;
    const std::size_t tileBase =
        static_cast<std::size_t>(placement.charBlock) * kCharBlockBytes + slot * reading.slotBytes;
    std::uint8_t tile[kTileBytes];
    ReadTile(vram, tileBase, reading, entry, tile);
    const int rows = std::min(kTileSide, out.height - spot.y);
    const int columns = std::min(kTileSide, out.width - spot.x);
    for (int y = 0; y < rows; ++y)
        std::copy_n(&tile[y * kTileSide], columns,
                    &out.indices[static_cast<std::size_t>(spot.y + y) * out.width + spot.x]);
}

}  // namespace

bool DecodeTiledBackground(const ExportJob& job, const PlainBlocks& blocks,
                           VramPlacement placement, ConsolePicture& out) {
    out.spots = TileSpots(job);
    const std::vector<TileSpot>& spots = out.spots;
    if (spots.empty() && ExportAreaTiles(job) > 0) return false;
    const TileReading reading = TileReadingOf(job);
    const std::vector<std::uint16_t> entries = EntriesInOrder(job, blocks, spots, reading.affine);
    std::vector<std::uint8_t> vram = CharacterMemory(
        job, reading, ExportsGraphics(job) ? blocks.graphics : std::vector<std::uint8_t>{},
        placement);
    LoadMap(job, entries, reading.affine, placement, vram);
    out.indices.assign(out.colors.size(), 0);
    out.entries.assign(static_cast<std::size_t>(out.width / kTileSide) * (out.height / kTileSide),
                       0);
    for (std::size_t n = 0; n < spots.size(); ++n) {
        DrawTile(vram, reading, placement, entries[n], spots[n], out);
        out.entries[static_cast<std::size_t>(spots[n].y / kTileSide) * (out.width / kTileSide) +
                    spots[n].x / kTileSide] = entries[n];
    }
    return true;
}

}  // namespace vorlin
