#include "export/export_warnings.h"

#include <algorithm>
#include <array>

#include "export/number_list.h"
#include "export/tile_arrangement.h"
#include "export/tile_ops.h"
#include "export/transparent_pixels.h"

namespace vorlin {

namespace {

using Warnings = std::vector<ExportWarning>;

void Add(Warnings& out, const ExportJob& job, TileSpot spot, std::string text) {
    out.push_back({job.left + spot.x, job.top + spot.y, std::move(text)});
}

// 4-bpp tiles hold 16 colours: one bank, chosen by the map entry.
void MixedBankTiles(const ExportJob& job, const ConsolePicture& console, PackedDib source,
                    Warnings& out) {
    const TileReading reading = TileReadingOf(job);
    if (job.bpp != 4 || reading.affine || !source) return;
    const int across = ConsoleTilesAcross(console);
    for (std::size_t cell = 0; cell < console.entries.size(); ++cell) {
        const TileSpot spot{static_cast<int>(cell % across) * kTileSide,
                            static_cast<int>(cell / across) * kTileSide};
        std::uint8_t tile[kTileBytes];
        CopyTile(source, spot, tile);
        std::uint16_t banks = 0;
        for (std::uint8_t pixel : tile)
            if (pixel & kBankMask) banks |= static_cast<std::uint16_t>(1u << (pixel >> 4));
        if ((banks & (banks - 1)) == 0) continue;
        Add(out, job, spot, MixedBanksText(banks, console.entries[cell] >> 12));
    }
}

// The export-order number of the source tile that brings in graphics tile
// `tile`: without reduction the tiles stand in export order, a reduction
// recorded where each kept tile came from.
std::size_t FirstUseOfTile(const ExportJob& job, std::size_t tile) {
    if (!(job.mapFlags & MAP_REDUCE)) return tile;
    return tile >= 1 && tile <= job.tileFirstUse.size() ? job.tileFirstUse[tile - 1] : SIZE_MAX;
}

// Indices past the last slot wrap round in the map entry, so from the first tile
// that passes it the console shows other tiles.
void IndicesPastLimit(const ExportJob& job, const ExportStats& stats,
                      const std::vector<TileSpot>& spots, Warnings& out) {
    const TileReading reading = TileReadingOf(job);
    const std::size_t wrapped = FirstWrappedTile(job, reading);
    if (!stats.mapped || stats.graphicsTiles < 0 ||
        static_cast<std::size_t>(stats.graphicsTiles) <= wrapped)
        return;
    const std::size_t n = FirstUseOfTile(job, wrapped);
    const std::string text = IndexLimitText(
        {reading.affine, job.tileOffset, stats.graphicsTiles, stats.indexLimit,
         wrapped == static_cast<std::size_t>(stats.indexLimit)});
    Add(out, job, n < spots.size() ? spots[n] : TileSpot{}, text);
}

// The first tile in export order whose graphics lie in [start, end) of video memory.
TileSpot FirstTileIn(const ExportJob& job, const ConsolePicture& console, const ExportStats& stats,
                     const std::vector<TileSpot>& spots, VramSpan span) {
    const TileReading reading = TileReadingOf(job);
    const int across = ConsoleTilesAcross(console);
    for (const TileSpot& spot : spots) {
        const std::size_t cell = static_cast<std::size_t>(spot.y / kTileSide) * across +
                                 spot.x / kTileSide;
        if (cell >= console.entries.size()) continue;
        const std::uint16_t entry = console.entries[cell];
        const std::uint32_t slot = reading.affine ? entry & 0xFFu : entry & kMapIndexMask;
        const std::uint32_t start = stats.placement.charBlock * kCharBlockBytes +
                                    slot * static_cast<std::uint32_t>(reading.slotBytes);
        if (start < span.end && span.start < start + reading.slotBytes) return spot;
    }
    // No tile on show reads there (the graphics run past the slots the map can
    // name): the tile that brings in the first graphics there.
    const std::uint32_t from = std::max(span.start, stats.tileMemory.start);
    const std::size_t n = FirstUseOfTile(
        job, (from - stats.tileMemory.start) / static_cast<std::uint32_t>(reading.slotBytes));
    return n < spots.size() ? spots[n] : TileSpot{};
}

void VideoMemory(const ExportJob& job, const ConsolePicture& console, const ExportStats& stats,
                 const std::vector<TileSpot>& spots, Warnings& out) {
    if (stats.bitmap) return;
    if (SpansOverlap(stats.tileMemory, stats.mapMemory)) {
        const VramSpan both{std::max(stats.tileMemory.start, stats.mapMemory.start),
                            std::min(stats.tileMemory.end, stats.mapMemory.end)};
        Add(out, job, FirstTileIn(job, console, stats, spots, both),
            "tiles and map overlap in video memory (character block " +
                std::to_string(stats.placement.charBlock) + ", screen block " +
                std::to_string(stats.placement.screenBlock) +
                "): loading the map overwrites these tiles");
    }
    if (stats.tileMemory.end > kBgVramBytes)
        Add(out, job, FirstTileIn(job, console, stats, spots, {kBgVramBytes, 0xFFFFFFFFu}),
            kTilesPastVramText);
    if (!stats.mapFits)
        Add(out, job, {}, "the map runs past the 64 KiB of background video memory");
}

// The colours in use (first use >= 0) outside [start, end).
std::vector<int> ColoursOutside(const std::array<int, kPaletteEntries>& used, int start, int end) {
    std::vector<int> colours;
    for (int c = 0; c < kPaletteEntries; ++c)
        if (used[c] >= 0 && (c < start || c >= end)) colours.push_back(c);
    return colours;
}

// One warning for every colour outside the exported range, at the first tile using one.
void PaletteRange(const ExportJob& job, const ConsolePicture& console, Warnings& out) {
    if (!ExportsPalette(job) || console.indices.empty()) return;
    std::array<int, kPaletteEntries> firstUse;
    firstUse.fill(-1);
    int first = -1;
    for (std::size_t p = 0; p < console.indices.size(); ++p) {
        const int color = console.indices[p];
        if (firstUse[color] >= 0) continue;
        firstUse[color] = static_cast<int>(p);
        if (first < 0 && (color < job.palStart || color >= job.palEnd)) first = static_cast<int>(p);
    }
    if (first < 0) return;
    const int x = first % console.width, y = first / console.width;
    Add(out, job, {x / kTileSide * kTileSide, y / kTileSide * kTileSide},
        PaletteRangeText(ColoursOutside(firstUse, job.palStart, job.palEnd), job.palStart,
                         job.palEnd));
}

void UncompressedBlocks(const ExportJob& job, Warnings& out) {
    const struct {
        const char* name;
        const DataBlock& block;
        std::uint32_t flags;
        bool exported;
    } blocks[] = {{"palette", job.palData, job.palFlags, ExportsPalette(job)},
                  {"graphics", job.imgData, job.imgFlags, ExportsGraphics(job)},
                  {"map", job.mapData, job.mapFlags, ExportsMap(job)}};
    for (const auto& b : blocks)
        if (b.exported && !b.block.bytes.empty() && BlockCompression(b.flags) != BLK_CPRS_NONE &&
            b.block.compression == BLK_CPRS_NONE)
            Add(out, job, {},
                std::string("the ") + b.name + " block stays uncompressed: " +
                    CompressionShortName(BlockCompression(b.flags)) +
                    " gave no stream that decodes back; a game that decompresses it shows garbage");
}

void AffineDepth(const ExportJob& job, Warnings& out) {
    if (TileReadingOf(job).affine && ExportsGraphics(job) && job.bpp == 4)
        Add(out, job, {},
            "affine backgrounds read 8-bpp tiles; the 4-bpp graphics show scrambled");
}

}  // namespace

std::vector<ExportWarning> ExportWarnings(const ExportJob& job, const ConsolePicture& console,
                                          const ExportStats& stats, PackedDib sourceArea) {
    Warnings out;
    MixedBankTiles(job, console, sourceArea, out);
    TransparentBankPixels(job, console, sourceArea, out);
    IndicesPastLimit(job, stats, console.spots, out);
    VideoMemory(job, console, stats, console.spots, out);
    PaletteRange(job, console, out);
    UncompressedBlocks(job, out);
    AffineDepth(job, out);
    return out;
}

std::string MixedBanksText(std::uint16_t banks, int shownBank) {
    return "4-bpp tile uses colours of palette banks " + NumberList(SetBits(banks), {}) +
           "; the console shows them all in bank " + std::to_string(shownBank);
}

std::string IndexLimitText(const IndexLimit& limit) {
    const std::string last = std::to_string(limit.indexLimit);
    const std::string map = limit.affine ? "the affine map" : "the map";
    return limit.atLimit
               ? map + " needs " + std::to_string(limit.graphicsTiles) +
                     " distinct tiles, more than the " + last +
                     " its entries can name; from this tile on, tile " + last +
                     " and later show as earlier tiles"
               : "with tile offset " + std::to_string(limit.tileOffset) + " the " +
                     std::to_string(limit.graphicsTiles) + " tiles need indices past " +
                     std::to_string(limit.indexLimit - 1) + ", the last " + map +
                     " can name; from this tile on, indices wrap round to 0 and show other tiles";
}

std::string PaletteRangeText(const std::vector<int>& colours, int palStart, int palEnd) {
    const std::string exported =
        palEnd > palStart
            ? "only colours " + std::to_string(palStart) + "-" + std::to_string(palEnd - 1)
            : std::string("no colours");
    return "the picture shows colours " + NumberList(colours, {.runs = true}) +
           " but the palette exports " + exported +
           "; the console shows what its palette memory holds there";
}

std::string BankColourZeroText(const std::vector<int>& colours) {
    std::vector<int> banks;
    for (int c : colours) banks.push_back(c >> 4);
    const bool one = colours.size() == 1;
    return (one ? "colour " : "colours ") + NumberList(colours, {}) +
           (one ? " is colour 0 of palette bank " : " are colour 0 of palette banks ") +
           NumberList(banks, {}) + "; 4-bpp tiles show colour 0 of every bank transparent";
}

std::string WarningLine(const ExportWarning& warning) {
    return std::to_string(warning.x) + "," + std::to_string(warning.y) + ": " + warning.text;
}

}  // namespace vorlin
