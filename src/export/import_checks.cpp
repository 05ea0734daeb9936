#include "export/import_checks.h"


#include "core/little_endian.h"
#include "export/export_job.h"
#include "export/tile_ops.h"

namespace vorlin {

namespace {

constexpr int kScreenBlockTiles = 32;
constexpr int kMaxGroupSide = 256;
constexpr int kAffineSides[] = {16, 32, 64, 128};

std::string Count(std::size_t n, const char* unit) {
    return std::to_string(n) + " " + unit;
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

bool MapUsed(const ImportOptions& options, const ImportFiles& files) {
    return files.map.present && !ImportsBitmap(options);
}

bool Grouped(const ImportOptions& options) {
    return ImportGroupTiles(options) > 1;
}

// Map entries the data holds, counted in tiles of the picture.
std::size_t MapTilesInData(const ImportOptions& options, const ImportBlocks& blocks) {
    if (Grouped(options)) return blocks.metaMap.Size() / 2 * ImportGroupTiles(options);
    return blocks.map.Size() / ImportEntryBytes(options);
}

// Tile groups the map (their definitions) holds.
std::size_t GroupsInData(const ImportOptions& options, const ImportBlocks& blocks) {
    return blocks.map.Size() / (ImportGroupTiles(options) * ImportEntryBytes(options));
}

// Rows keep the 8-bpp picture's padding, whatever depth they are packed at.
std::size_t BitmapBytes(const ImportOptions& o) {
    if (o.bpp == 16) return DibStrideFor(o.bitmapWidth, 16) * o.bitmapHeight;
    return (DibStrideFor(o.bitmapWidth, 8) * o.bitmapHeight * o.bpp + 7) / 8;
}

bool SettledSide(const ImportOptions& options, std::size_t tiles, int& side) {
    if (options.layout == ImportLayout::kAffine) {
        for (int s : kAffineSides)
            if (tiles == static_cast<std::size_t>(s) * s) side = s;
    } else if (tiles == static_cast<std::size_t>(kScreenBlockTiles) * kScreenBlockTiles) {
        side = kScreenBlockTiles;
    }
    return side > 0;
}

bool CheckMapShape(const ImportOptions& options, ImportReport& report) {
    const std::uint64_t pixels = std::uint64_t{64} * options.mapWidth * options.mapHeight;
    if (pixels > kImportMaxPixels)
        return report.Usage("a map of " + SizeText(options.mapWidth, options.mapHeight) +
                            " tiles is larger than an import makes (8192 x 8192 pixels)");
    if (options.layout == ImportLayout::kScreenBlocks &&
        (options.mapWidth % kScreenBlockTiles || options.mapHeight % kScreenBlockTiles))
        return report.Usage("a map in screen blocks is a whole number of 32 x 32 tile blocks, not " +
                            SizeText(options.mapWidth, options.mapHeight));
    if (options.mapWidth % options.metaWidth || options.mapHeight % options.metaHeight)
        return report.Usage("a map of " + SizeText(options.mapWidth, options.mapHeight) +
                            " tiles is not a whole number of " +
                            SizeText(options.metaWidth, options.metaHeight) + " tile groups");
    return true;
}

// The first meta-map entry that names a group the map does not define.
bool CheckGroupReferences(const ImportOptions& options, const ImportBlocks& blocks,
                          std::size_t metaEntries, ImportReport& report) {
    const std::size_t groups = GroupsInData(options, blocks);
    const std::vector<std::uint8_t>& meta = blocks.metaMap.stream.plain;
    for (std::size_t g = 0; g < metaEntries && 2 * g + 1 < meta.size(); ++g) {
        const std::uint16_t entry = Le16(&meta[2 * g]);
        const std::size_t group = options.metaBanks ? entry & ~kMapBankMask : entry;
        if (group < groups) continue;
        const bool banked = !options.metaBanks && (entry & ~kMapBankMask) < groups;
        return report.Data(blocks.metaMap, "a raw tile-group map",
                           "entry " + std::to_string(g) + " names tile group " +
                               std::to_string(group) + " of the map's " +
                               std::to_string(groups) +
                               (banked ? " (its top 4 bits look like a palette bank: were the "
                                         "tile groups exported with their own banks?)"
                                       : ""));
    }
    return true;
}

bool CheckGroupedMap(const ImportOptions& options, const ImportBlocks& blocks,
                     ImportReport& report) {
    const std::size_t groupBytes = ImportGroupTiles(options) * ImportEntryBytes(options);
    if (blocks.map.Size() % groupBytes &&
        !report.Data(blocks.map, "a raw map",
                     Count(blocks.map.Size(), "bytes") + " are not whole tile groups of " +
                         Count(groupBytes, "bytes")))
        return false;
    const std::size_t metaEntries = static_cast<std::size_t>(options.mapWidth / options.metaWidth) *
                                    (options.mapHeight / options.metaHeight);
    if (blocks.metaMap.Size() < 2 * metaEntries &&
        !report.Data(blocks.metaMap, "a raw tile-group map",
                     Count(blocks.metaMap.Size() / 2, "entries") + " where the map size needs " +
                         std::to_string(metaEntries)))
        return false;
    return CheckGroupReferences(options, blocks, metaEntries, report);
}

}  // namespace

bool ImportReport::Data(const ImportBlock& block, const std::string& readAs,
                        const std::string& reason) {
    const std::string& name = block.file->name;
    std::string text;
    if (!block.stream.notAStream.empty())
        text = name + ": neither a BIOS stream (" + block.stream.notAStream + ") nor " + readAs +
               " (" + reason + ")";
    else if (block.stream.compression != BLK_CPRS_NONE)
        text = name + " (" + ImportCompressionName(block.stream.compression) + " stream): " + reason;
    else
        text = name + ": " + reason;
    if (partial_) {
        Warn(text + "; read as index 0");
        return true;
    }
    result_.error = text;
    return false;
}

bool ImportReport::Usage(const std::string& reason) {
    result_.error = reason;
    return false;
}

int ImportEntryBytes(const ImportOptions& options) {
    return options.layout == ImportLayout::kAffine ? 1 : 2;
}

std::size_t ImportGroupTiles(const ImportOptions& options) {
    return static_cast<std::size_t>(options.metaWidth) * options.metaHeight;
}

std::size_t ImportTileBytes(const ImportOptions& options) {
    return static_cast<std::size_t>(kTileSide) * options.bpp;
}

bool CheckImportOptions(const ImportOptions& o, const ImportFiles& files, ImportReport& report) {
    if (o.bpp != 1 && o.bpp != 2 && o.bpp != 4 && o.bpp != 8 && o.bpp != 16)
        return report.Usage("the bit depth must be 1, 2, 4, 8 or 16");
    if (!files.graphics.present) return report.Usage("there are no graphics to import");
    if (o.bpp == 16 && !ImportsBitmap(o))
        return report.Usage("16 bits per pixel is a bitmap: give its size in pixels");
    if (ImportsBitmap(o) && (files.map.present || files.metaMap.present))
        return report.Usage("a bitmap has no map");
    if (o.metaWidth < 1 || o.metaHeight < 1 || o.metaWidth > kMaxGroupSide ||
        o.metaHeight > kMaxGroupSide)
        return report.Usage("a tile group is 1 to 256 tiles each way");
    if (files.metaMap.present && (!files.map.present || !Grouped(o)))
        return report.Usage("a tile-group map needs the map and the tile-group size");
    if (MapUsed(o, files) && Grouped(o) && !files.metaMap.present)
        return report.Usage("a map in tile groups needs its tile-group map");
    if (o.columns < 1) return report.Usage("tiles need at least one column");
    if (o.palStart < 0 || o.palStart > 255)
        return report.Usage("the palette start is an entry from 0 to 255");
    if ((o.mapWidth > 0) != (o.mapHeight > 0) || o.mapWidth < 0 || o.mapHeight < 0)
        return report.Usage("a map size needs a width and a height of at least 1 tile");
    if (ImportsBitmap(o) &&
        static_cast<std::uint64_t>(o.bitmapWidth) * o.bitmapHeight > kImportMaxPixels)
        return report.Usage("a bitmap of " + SizeText(o.bitmapWidth, o.bitmapHeight) +
                            " pixels is larger than an import makes (8192 x 8192 pixels)");
    return true;
}

bool SettleMapSize(ImportOptions& options, const ImportBlocks& blocks, ImportReport& report) {
    if (options.mapWidth == 0) {
        const std::size_t tiles = MapTilesInData(options, blocks);
        // The file whose length was counted: a map that is too short says so by its name.
        const ImportBlock& counted = Grouped(options) ? blocks.metaMap : blocks.map;
        int side = 0;
        if (!SettledSide(options, tiles, side))
            return report.Usage(
                (counted.file ? counted.file->name + ": " : std::string()) +
                "the map size cannot be told from its " +
                Count(tiles, "tiles") +
                " (only 32 x 32 regular maps and square affine maps of 16, 32, 64 or 128 tiles "
                "are): give the map size in tiles");
        options.mapWidth = options.mapHeight = side;
    }
    return CheckMapShape(options, report);
}

bool CheckPalette(const ImportOptions& options, const ImportBlock& palette, ImportReport& report) {
    if (!palette.Present()) return true;
    const std::vector<std::uint8_t>& bytes = palette.stream.plain;
    if (bytes.size() % 2 &&
        !report.Data(palette, "a raw palette",
                     Count(bytes.size(), "bytes") + " are not whole 2-byte colours"))
        return false;
    const std::size_t fit = static_cast<std::size_t>(256 - options.palStart);
    for (std::size_t i = fit; 2 * i + 1 < bytes.size(); ++i)
        if (Le16(&bytes[2 * i]) != 0) {
            report.Warn(palette.file->name + ": " + Count(bytes.size() / 2, "colours") +
                        " from entry " + std::to_string(options.palStart) +
                        " reach past entry 255; the rest are left out");
            break;
        }
    return true;
}

bool CheckGraphics(const ImportOptions& options, const ImportBlock& graphics,
                   ImportReport& report) {
    const std::size_t have = graphics.Size();
    if (have == 0) return report.Usage(graphics.file->name + ": holds no graphics");
    if (ImportsBitmap(options)) {
        const std::size_t need = BitmapBytes(options);
        if (have < need)
            return report.Data(graphics, "a raw bitmap",
                               Count(have, "bytes") + " where a " +
                                   SizeText(options.bitmapWidth, options.bitmapHeight) +
                                   " bitmap needs " + std::to_string(need));
        return true;
    }
    const std::size_t tile = ImportTileBytes(options);
    if (have % tile)
        return report.Data(graphics, "raw tiles",
                           Count(have, "bytes") + " are not whole " + Count(tile, "byte") +
                               " tiles");
    return true;
}

bool CheckMap(const ImportOptions& options, const ImportBlocks& blocks, ImportReport& report) {
    if (Grouped(options)) return CheckGroupedMap(options, blocks, report);
    const std::size_t entries = static_cast<std::size_t>(options.mapWidth) * options.mapHeight;
    const std::size_t have = blocks.map.Size() / ImportEntryBytes(options);
    if (have < entries)
        return report.Data(blocks.map, "a raw map",
                           Count(blocks.map.Size(), "bytes") + " where " +
                               SizeText(options.mapWidth, options.mapHeight) + " tiles need " +
                               std::to_string(entries * ImportEntryBytes(options)));
    if (have > entries)
        report.Warn(blocks.map.file->name + ": " + Count(have, "entries") + ", of which a " +
                    SizeText(options.mapWidth, options.mapHeight) + " map uses " +
                    std::to_string(entries));
    return true;
}

bool ImportTileHasEntry(const ImportOptions& options, const ImportBlocks& blocks, std::size_t n) {
    if (!Grouped(options)) return (n + 1) * ImportEntryBytes(options) <= blocks.map.Size();
    const std::size_t g = n / ImportGroupTiles(options);
    const std::vector<std::uint8_t>& meta = blocks.metaMap.stream.plain;
    if (2 * g + 1 >= meta.size()) return false;
    const std::uint16_t entry = Le16(&meta[2 * g]);
    const std::size_t group = options.metaBanks ? entry & ~kMapBankMask : entry;
    return group < GroupsInData(options, blocks);
}

}  // namespace vorlin
