#include "export/export_stats.h"

#include <algorithm>
#include <cstdio>

#include "export/gba_color.h"
#include "export/number_list.h"

namespace vorlin {

namespace {

BlockFigures Figures(bool exported, const DataBlock& block, const std::vector<std::uint8_t>& plain) {
    BlockFigures f;
    f.exported = exported;
    f.bytes = plain.size();
    f.stored = block.bytes.size();
    f.compression = block.compression;
    return f;
}

// Graphics bytes as they sit in video memory (1- and 2-bpp tiles unpacked).
std::size_t LoadedGraphicsBytes(const ExportJob& job, const TileReading& reading,
                                std::size_t plain) {
    return job.bpp >= 4 || job.bpp < 1 ? plain : plain * reading.bpp / job.bpp;
}

// The graphics as one copy from the tile offset's slot, at their real size. A
// negative offset moves every index, the first tiles' to the top of the window,
// so such graphics wrap within the window, which they then span.
VramSpan GraphicsSpan(const ExportJob& job, const TileReading& reading, std::uint32_t base,
                      std::size_t plain) {
    const std::uint64_t window = static_cast<std::uint64_t>(reading.slotCount) * reading.slotBytes;
    const std::uint64_t offset = GraphicsLoadOffset(job, reading);
    const std::uint64_t used = LoadedGraphicsBytes(job, reading, plain);
    if (used == 0) return {};
    if (job.tileOffset < 0 && offset + used > window && used <= window)
        return {base, static_cast<std::uint32_t>(base + window)};
    const std::uint64_t end = std::min<std::uint64_t>(base + offset + used, UINT32_MAX);
    return {static_cast<std::uint32_t>(base + offset), static_cast<std::uint32_t>(end)};
}

void TileMemory(const ExportJob& job, const PlainBlocks& blocks, ExportStats& s) {
    const TileReading reading = TileReadingOf(job);
    const std::uint32_t base = static_cast<std::uint32_t>(s.placement.charBlock) * kCharBlockBytes;
    s.tileMemory = GraphicsSpan(job, reading, base, blocks.graphics.size());
    // Map entries name only the slots of their window.
    const std::uint64_t windowEnd =
        base + static_cast<std::uint64_t>(reading.slotCount) * reading.slotBytes;
    s.tilesFit = s.tileMemory.end <= kBgVramBytes &&
                 (!ExportsMap(job) || s.tileMemory.end <= windowEnd);
    s.indexLimit = reading.slotCount;
    if (job.bpp > 0)
        s.graphicsTiles =
            static_cast<int>(blocks.graphics.size() / (static_cast<std::size_t>(job.bpp) * 8));
    if (!ExportsMap(job) || s.graphicsTiles == 0) return;
    // Tile 0 keeps index 0 under a positive offset; every other tile moves.
    const int offsetTiles = job.tileOffset;
    s.lowIndex = offsetTiles > 0 ? 0 : offsetTiles;
    s.highIndex = s.graphicsTiles - 1 + (s.graphicsTiles > 1 || offsetTiles <= 0 ? offsetTiles : 0);
}

void MapMemory(const ExportJob& job, ExportStats& s) {
    const std::uint32_t start =
        static_cast<std::uint32_t>(s.placement.screenBlock) * kScreenBlockBytes;
    const std::uint32_t bytes = ExpandedMapBytes(job);
    if (bytes > 0) s.mapMemory = {start, start + bytes};
    s.mapFits = s.mapMemory.end <= kBgVramBytes;
}

std::uint16_t BanksNamed(const ExportJob& job, const ConsolePicture& console) {
    const TileReading reading = TileReadingOf(job);
    if (reading.affine || reading.bpp != 4) return 0;
    std::uint16_t banks = 0;
    for (std::uint16_t e : console.entries) banks |= static_cast<std::uint16_t>(1u << (e >> 12));
    return banks;
}

std::string Hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%05X", v);
    return text;
}

std::string SpanText(const VramSpan& span) {
    return Hex(span.start) + "-" + Hex(span.end - 1);
}

std::string BlockLine(const char* name, const BlockFigures& f) {
    if (!f.exported) return std::string(name) + ": not exported";
    std::string line = std::string(name) + ": " + std::to_string(f.bytes) + " bytes";
    if (f.compression != BLK_CPRS_NONE)
        line += ", " + std::to_string(f.stored) + " " + CompressionShortName(f.compression);
    return line;
}

std::string MemoryLine(const ExportStats& s) {
    if (s.bitmap)
        return "video memory: bitmap " + std::to_string(s.tileMemory.end) + " bytes" +
               (s.tilesFit ? ", fits" : ", more than the 80 KiB frame");
    std::string line = "video memory: tiles ";
    line += s.tileMemory.end > s.tileMemory.start
                ? SpanText(s.tileMemory) + " from character block " +
                      std::to_string(s.placement.charBlock) + (s.tilesFit ? " fit" : " do not fit")
                : "none";
    line += "; map ";
    line += s.mapMemory.end > s.mapMemory.start
                ? SpanText(s.mapMemory) + " from screen block " +
                      std::to_string(s.placement.screenBlock) + (s.mapFits ? " fits" : " does not fit")
                : "none";
    if (SpansOverlap(s.tileMemory, s.mapMemory)) line += "; they overlap";
    return line;
}

}  // namespace

const char* CompressionShortName(int compression) {
    static const char* const names[kCompressionCount] = {"none", "lz77", "huff", "rle"};
    return compression >= 0 && compression < kCompressionCount ? names[compression] : "none";
}

std::vector<std::uint8_t> DifferenceMask(const ConsolePicture& console, PackedDib sourceArea) {
    std::vector<std::uint8_t> mask(console.colors.size(), 0);
    if (!sourceArea) return mask;
    const int width = std::min(console.width, DibWidth(sourceArea));
    const int height = std::min(console.height, DibHeight(sourceArea));
    std::uint16_t sourceColors[256] = {};
    for (int i = 0; i < std::min(DibColorCount(sourceArea), 256); ++i)
        sourceColors[i] = GbaColor(DibColors(sourceArea)[i]);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = DibPictureRow(sourceArea, y);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = static_cast<std::size_t>(y) * console.width + x;
            mask[p] = sourceColors[row[x]] != console.colors[p];
        }
    }
    return mask;
}

ExportStats ComputeExportStats(const ExportJob& job, const PlainBlocks& blocks,
                               const ConsolePicture& console, VramPlacement placement,
                               std::size_t differentPixels) {
    ExportStats s;
    s.placement = placement;
    s.bitmap = (job.imgFlags & IMG_BITMAP) != 0;
    s.mapped = ExportsMap(job);
    s.palette = Figures(ExportsPalette(job), job.palData, blocks.palette);
    s.graphics = Figures(ExportsGraphics(job), job.imgData, blocks.graphics);
    s.map = Figures(s.mapped, job.mapData, blocks.map);
    s.metaMap = Figures(s.mapped && HasTileGroups(job), job.metaData, blocks.metaMap);
    s.differentPixels = differentPixels;
    if (s.bitmap) {
        s.tileMemory = {0, static_cast<std::uint32_t>(blocks.graphics.size())};
        s.tilesFit = s.tileMemory.end <= kBitmapVramBytes;
        return s;
    }
    s.areaTiles = ExportAreaTiles(job);
    TileMemory(job, blocks, s);
    MapMemory(job, s);
    s.banks = BanksNamed(job, console);
    return s;
}

std::vector<std::string> ExportStatsLines(const ExportStats& s) {
    std::vector<std::string> lines;
    if (!s.bitmap)
        lines.push_back("tiles: " + std::to_string(s.areaTiles) + " in the area, " +
                        std::to_string(s.graphicsTiles) + " in the graphics");
    lines.push_back(BlockLine("palette", s.palette));
    lines.push_back(BlockLine("graphics", s.graphics));
    lines.push_back(BlockLine("map", s.map));
    if (s.metaMap.exported) lines.push_back(BlockLine("meta-map", s.metaMap));
    lines.push_back(MemoryLine(s));
    if (s.mapped && !s.bitmap) {
        lines.push_back("tile indices: " +
                        (s.highIndex < s.lowIndex
                             ? std::string("none")
                             : std::to_string(s.lowIndex) + "-" + std::to_string(s.highIndex)) +
                        " of 0-" + std::to_string(s.indexLimit - 1));
        if (s.banks) lines.push_back("palette banks: " + NumberList(SetBits(s.banks), {" ", " "}));
    }
    lines.push_back("pixels unlike the source: " + std::to_string(s.differentPixels));
    return lines;
}

}  // namespace vorlin
