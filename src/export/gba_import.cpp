#include "export/gba_import.h"

#include <algorithm>
#include <new>

#include "export/console_picture.h"
#include "export/export_preview.h"
#include "export/gba_color.h"
#include "export/import_checks.h"
#include "export/packed_pixels.h"
#include "export/tile_ops.h"

namespace vorlin {

namespace {

constexpr char kOutOfMemory[] = "out of memory";

// The map is given no place in video memory (its screen block lies past the
// end): an import shows the data, not what a map placed over the tiles would do
// to them.
constexpr VramPlacement kImportPlacement{0, kScreenBlockCount};

bool DecodeFiles(const ImportFiles& files, ImportBlocks& blocks, ImportResult& result) {
    const std::pair<const ImportFile*, ImportBlock*> pairs[] = {{&files.palette, &blocks.palette},
                                                                {&files.graphics, &blocks.graphics},
                                                                {&files.map, &blocks.map},
                                                                {&files.metaMap, &blocks.metaMap}};
    for (const auto& [file, block] : pairs) {
        block->file = file;
        if (!file->present) continue;
        if (!DecodeImportStream(file->bytes, block->stream)) return false;
        const int code = block->stream.compression;
        result.notes.push_back(
            file->name + ": " + ImportCompressionName(code) +
            (code != BLK_CPRS_NONE ? " stream of " + std::to_string(file->bytes.size()) +
                                         " bytes, " + std::to_string(block->stream.plain.size()) +
                                         " bytes decoded"
                                   : ", " + std::to_string(file->bytes.size()) + " bytes"));
    }
    return true;
}

// Without a palette file the picture still shows its indices: greys, one ramp
// a bank below 8 bits per pixel.
DibPtr GreyPalette(int bpp) {
    DibPtr dib(DibCreate(1, 1, 8, nullptr, 1));
    if (!dib) throw std::bad_alloc();
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(bpp >= 8 ? i : (i % 16) * 17);
        DibColors(dib.get())[i] = RgbQuad{v, v, v, 0};
    }
    return dib;
}

// The export job whose blocks the data are, so that the console preview's
// decoding reads them.
void FillJob(const ImportOptions& o, const ImportBlocks& blocks, ExportJob& job) {
    job.image = GreyPalette(o.bpp);
    job.outFlags = OUT_CONVERT_ONLY;
    job.palFlags = blocks.palette.Present() ? BLK_EXPORT : 0;
    job.palStart = o.palStart;
    job.palEnd = 256;
    job.bpp = o.bpp;
    job.imgFlags = BLK_EXPORT | (ImportsBitmap(o) ? IMG_BITMAP : 0);
    job.tileOffset = o.tileOffset;
    job.metaWidth = o.metaWidth;
    job.metaHeight = o.metaHeight;
    job.right = ImportsBitmap(o) ? o.bitmapWidth : kTileSide * o.mapWidth;
    job.bottom = ImportsBitmap(o) ? o.bitmapHeight : kTileSide * o.mapHeight;
    if (!blocks.map.Present()) return;
    job.mapFlags = BLK_EXPORT;
    if (o.layout == ImportLayout::kScreenBlocks) job.mapFlags |= MAP_SBB;
    if (o.layout == ImportLayout::kAffine) job.mapFlags |= MAP_AFFINE;
    if (o.metaBanks) job.mapFlags |= MAP_META_PAL;
}

// Tiles without a map stand in rows, tile groups kept together, each tile
// read as it is (4-bit tiles in bank 0: the data names no bank).
bool LayOutUnmapped(ImportOptions& o, std::size_t tiles, ImportReport& report) {
    if (o.columns % o.metaWidth)
        return report.Usage(std::to_string(o.columns) + " columns are not whole tile groups of " +
                            std::to_string(o.metaWidth));
    const auto roundUp = [](std::size_t n, std::size_t unit) { return (n + unit - 1) / unit * unit; };
    const std::size_t columns =
        std::min<std::size_t>(o.columns, roundUp(tiles, static_cast<std::size_t>(o.metaWidth)));
    const std::size_t rows = roundUp((tiles + columns - 1) / columns, o.metaHeight);
    if (columns * rows * kTileBytes > kImportMaxPixels)
        return report.Usage(std::to_string(tiles) +
                            " tiles are more than an import makes (8192 x 8192 pixels)");
    o.mapWidth = static_cast<int>(columns);
    o.mapHeight = static_cast<int>(rows);
    return true;
}

void DrawUnmapped(const ExportJob& job, const std::vector<std::uint8_t>& graphics,
                  std::size_t tiles, ConsolePicture& out) {
    out.spots = TileSpots(job);
    out.indices.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    for (std::size_t n = 0; n < std::min(tiles, out.spots.size()); ++n)
        for (int p = 0; p < kTileBytes; ++p) {
            const TileSpot spot = out.spots[n];
            out.indices[static_cast<std::size_t>(spot.y + p / kTileSide) * out.width + spot.x +
                        p % kTileSide] =
                static_cast<std::uint8_t>(PackedPixel(graphics, n * kTileBytes + p, job.bpp));
        }
}

std::size_t TileSlotOf(const ExportJob& job, const ConsolePicture& picture, TileSpot spot) {
    const std::uint16_t entry =
        picture.entries[static_cast<std::size_t>(spot.y / kTileSide) * ConsoleTilesAcross(picture) +
                        spot.x / kTileSide];
    return TileReadingOf(job).affine ? entry & 0xFF : entry & kMapIndexMask;
}

// Tiles the graphics give the background that a map can name: those loaded
// before the last slot (a positive offset loads them in one piece from its slot).
std::size_t LoadedTiles(const ExportJob& job, std::size_t graphicsBytes) {
    const TileReading reading = TileReadingOf(job);
    const std::size_t tiles = job.bpp >= 4 ? graphicsBytes / reading.slotBytes
                                           : graphicsBytes * 8 / job.bpp / kTileBytes;
    return std::min({tiles, static_cast<std::size_t>(reading.slotCount),
                     FirstWrappedTile(job, reading)});
}

// A map entry that names no tile of the data (slot 0 stays the blank tile of
// an export with a positive tile offset) shows whatever video memory holds.
bool CheckTileSlots(const ExportJob& job, const ImportOptions& o, const ImportBlocks& blocks,
                    const ConsolePicture& picture, ImportReport& report) {
    const TileReading reading = TileReadingOf(job);
    const std::size_t base = GraphicsLoadOffset(job, reading) / reading.slotBytes;
    const std::size_t loaded = LoadedTiles(job, blocks.graphics.Size());
    for (std::size_t n = 0; n < picture.spots.size(); ++n) {
        if (!ImportTileHasEntry(o, blocks, n)) continue;
        const std::size_t slot = TileSlotOf(job, picture, picture.spots[n]);
        const std::size_t tile = (slot + reading.slotCount - base) % reading.slotCount;
        if (tile < loaded || (slot == 0 && o.tileOffset > 0)) continue;
        const TileSpot spot = picture.spots[n];
        return report.Data(blocks.map, "a raw map",
                           "the entry of tile (" + std::to_string(spot.x / kTileSide) + ", " +
                               std::to_string(spot.y / kTileSide) + ") names tile " +
                               std::to_string(tile) + ", but only the first " +
                               std::to_string(loaded) + " tiles of the graphics can be named");
    }
    return true;
}

// With partial data, tiles whose map entry is missing show index 0.
void ClearTilesWithoutEntries(const ImportOptions& o, const ImportBlocks& blocks,
                              ConsolePicture& picture) {
    for (std::size_t n = 0; n < picture.spots.size(); ++n) {
        if (ImportTileHasEntry(o, blocks, n)) continue;
        const TileSpot spot = picture.spots[n];
        for (int y = 0; y < kTileSide; ++y)
            std::fill_n(&picture.indices[static_cast<std::size_t>(spot.y + y) * picture.width +
                                         spot.x],
                        kTileSide, std::uint8_t{0});
    }
}

DibPtr IndexedPicture(const ConsolePicture& console) {
    DibPtr dib(DibCreate(console.width, console.height, 8, nullptr, 1));
    if (!dib) return nullptr;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const std::uint32_t rgb = GbaColorToRgb(console.palette[i] & kGbaColorMask);
        DibColors(dib.get())[i] = RgbQuad{static_cast<std::uint8_t>(rgb),
                                          static_cast<std::uint8_t>(rgb >> 8),
                                          static_cast<std::uint8_t>(rgb >> 16), 0};
    }
    for (int y = 0; y < console.height; ++y)
        std::copy_n(&console.indices[static_cast<std::size_t>(y) * console.width], console.width,
                    DibPictureRow(dib.get(), y));
    return dib;
}

// A 16-bpp bitmap reduced to 256 colours, as an 8-bpp top-down picture.
DibPtr QuantizedPicture(const ConsolePicture& console, const QuantizeOptions& options) {
    DibPtr colors = ConsolePictureImage(console);
    if (!colors) return nullptr;
    DibPtr reduced(DibQuantize(colors.get(), 8, options));
    if (!reduced) return nullptr;
    DibPtr dib(DibCreate(console.width, console.height, 8, nullptr, 1));
    if (!dib) return nullptr;
    std::copy_n(DibColors(reduced.get()), std::min(DibColorCount(reduced.get()), kPaletteEntries),
                DibColors(dib.get()));
    for (int y = 0; y < console.height; ++y)
        std::copy_n(DibPictureRow(reduced.get(), y), console.width, DibPictureRow(dib.get(), y));
    return dib;
}

class Importer {
  public:
    Importer(const ImportFiles& files, const ImportOptions& options, ImportResult& result)
        : files_(files), options_(options), result_(result), report_(result, options.partial) {}

    bool Run() {
        if (!CheckImportOptions(options_, files_, report_)) return false;
        if (!DecodeFiles(files_, blocks_, result_)) throw std::bad_alloc();
        if (!CheckPalette(options_, blocks_.palette, report_) ||
            !CheckGraphics(options_, blocks_.graphics, report_) || !Shape())
            return false;
        result_.mapWidth = options_.mapWidth;
        result_.mapHeight = options_.mapHeight;
        ExportJob job;
        FillJob(options_, blocks_, job);
        ConsolePicture console;
        if (!Decode(job, console)) return false;
        result_.picture = ImportsBitmap(options_) && options_.bpp == 16
                              ? QuantizedPicture(console, options_.quantizeOptions)
                              : IndexedPicture(console);
        if (!result_.picture) throw std::bad_alloc();
        return true;
    }

  private:
    // The map size, settled and checked against the data.
    bool Shape() {
        if (ImportsBitmap(options_)) {
            if (options_.bpp == 16 && !options_.quantize)
                return report_.Usage(
                    "a 16-bpp bitmap has more colours than a palette holds: reduce it to 256 "
                    "colours to import it");
            return true;
        }
        if (!blocks_.map.Present()) {
            const std::size_t tile = ImportTileBytes(options_);
            tiles_ = (blocks_.graphics.Size() + tile - 1) / tile;
            return LayOutUnmapped(options_, tiles_, report_);
        }
        return SettleMapSize(options_, blocks_, report_) && CheckMap(options_, blocks_, report_);
    }

    bool Decode(const ExportJob& job, ConsolePicture& console) {
        if (!ImportsBitmap(options_) && !blocks_.map.Present()) {
            LoadConsolePalette(job, blocks_.palette.stream.plain, console);
            console.width = job.right;
            console.height = job.bottom;
            DrawUnmapped(job, blocks_.graphics.stream.plain, tiles_, console);
            return true;
        }
        const PlainBlocks plain{blocks_.palette.stream.plain, blocks_.graphics.stream.plain,
                                blocks_.map.stream.plain, blocks_.metaMap.stream.plain};
        if (!DecodeConsolePicture(job, plain, kImportPlacement, console))
            throw std::bad_alloc();
        if (ImportsBitmap(options_)) return true;
        if (!CheckTileSlots(job, options_, blocks_, console, report_)) return false;
        ClearTilesWithoutEntries(options_, blocks_, console);
        return true;
    }

    const ImportFiles& files_;
    ImportOptions options_;
    ImportResult& result_;
    ImportReport report_;
    ImportBlocks blocks_;
    std::size_t tiles_ = 0;
};

}  // namespace

ImportResult ImportGbaData(const ImportFiles& files, const ImportOptions& options) {
    ImportResult result;
    try {
        if (Importer(files, options, result).Run()) return result;
    } catch (const std::bad_alloc&) {
        result.error = kOutOfMemory;
    }
    result.picture.reset();
    return result;
}

}  // namespace vorlin
