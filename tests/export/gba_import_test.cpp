// Import of GBA data: blocks exported from a picture come back as exactly the
// picture the console preview shows, and that picture exports to the same
// blocks; damaged or inconsistent data is refused (or, partial, read as index 0).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "export/compress.h"
#include "export/export_preview.h"
#include "export/gba_color.h"
#include "export/gba_import.h"
#include "export/import_stream.h"
#include "support/banked_tiles.h"
#include "support/converted_job.h"
#include "support/rule_picture.h"

namespace vorlin {
namespace {

using testing::PixelRule;
constexpr auto RulePicture = testing::ColouredRulePicture;

int Banked(int x, int y) {
    return testing::BankedTileIndex(x, y);
}
// The banked picture in bank 0: without a map the data names no bank.
int Bank0(int x, int y) {
    return Banked(x, y) & 15;
}
// Banks mixed inside tiles and bank-colour 0 pixels: the console shows it otherwise.
int MixedBanks(int x, int y) {
    return (x * 5 + y * 3) % 7 == 0 ? 0x20 : ((x ^ y) % 4) * 16 + (x + y) % 16;
}
// One bank for every 1 x 2 tile group.
int BankedGroups(int x, int y) {
    const int v = Banked(x, y);
    return v == 0 ? 0 : (((x / 8) ^ (y / 16)) % 3 + 1) * 16 + v % 16;
}
int Banked8(int x, int y) {
    return (x * 13 + y * 7 + (x / 8) * 31) % 256;
}

using testing::JobSetup;
constexpr auto Export = testing::ConvertedJob;

ImportFile File(const char* name, const DataBlock& block) {
    return {name, !block.bytes.empty(), block.bytes};
}

// The blocks as the binary export writes them.
ImportFiles FilesOf(const ExportJob& job) {
    return {File("t.pal.bin", job.palData), File("t.img.bin", job.imgData),
            File("t.map.bin", job.mapData), File("t.meta.bin", job.metaData)};
}

// Whether the import is told the map size or settles it from the data itself.
enum class MapSize { kGiven, kFromData };

// The import options that read back what `s` exported.
ImportOptions OptionsOf(const ExportJob& job, const JobSetup& s, MapSize size = MapSize::kGiven) {
    ImportOptions o;
    o.bpp = s.bpp;
    o.layout = (s.mapFlags & MAP_AFFINE)  ? ImportLayout::kAffine
               : (s.mapFlags & MAP_SBB) ? ImportLayout::kScreenBlocks
                                        : ImportLayout::kFlat;
    if (size == MapSize::kGiven) {
        o.mapWidth = s.mapped ? (job.right - job.left) / 8 : 0;
        o.mapHeight = s.mapped ? (job.bottom - job.top) / 8 : 0;
    }
    o.columns = (job.right - job.left) / 8;
    o.tileOffset = s.tileOffset;
    o.palStart = s.palStart;
    o.metaWidth = s.metaWidth;
    o.metaHeight = s.metaHeight;
    o.metaBanks = (s.mapFlags & MAP_META_PAL) != 0;
    if (s.imgFlags & IMG_BITMAP) {
        o.bitmapWidth = job.right - job.left;
        o.bitmapHeight = job.bottom - job.top;
    }
    return o;
}

std::vector<std::uint8_t> Pixels(PackedDib dib) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < DibHeight(dib); ++y)
        out.insert(out.end(), DibPictureRow(dib, y), DibPictureRow(dib, y) + DibWidth(dib));
    return out;
}

enum class Console {
    kReexports,    // the picture the console shows exports to the same blocks
    kNamesNoTile,  // the map names tiles the data lacks: read with partial, a warning
};

struct RoundTripCase {
    const char* name;
    int width, height;
    JobSetup setup;
    PixelRule picture = Banked;
    Console console = Console::kReexports;
    MapSize size = MapSize::kGiven;
};

TEST(GbaImport, ExportedBlocksComeBackAsTheConsolePictureAndExportAgainTheSame) {
    const std::uint32_t reduce = MAP_REDUCE | MAP_FLIP | MAP_PALBANK;
    const int lz = BLK_CPRS_LZ77;
    const RoundTripCase cases[] = {
        {"4bpp flat plain", 64, 32, {.bpp = 4}},
        {"4bpp reduced, flips, banks", 64, 48, {.bpp = 4, .mapFlags = reduce}},
        {"4bpp reduced, mixed banks", 64, 48, {.bpp = 4, .mapFlags = reduce}, MixedBanks},
        {"4bpp plain map, mixed banks", 32, 24, {.bpp = 4}, MixedBanks},
        {"8bpp reduced, flips", 64, 48, {.bpp = 8, .mapFlags = MAP_REDUCE | MAP_FLIP}, Banked8},
        {"8bpp reduced with banks", 64, 48, {.bpp = 8, .mapFlags = reduce}, MixedBanks},
        {"8bpp screen blocks", 512, 256, {.bpp = 8, .mapFlags = MAP_SBB | MAP_REDUCE | MAP_FLIP}},
        {"4bpp screen blocks, groups", 512, 512,
         {.bpp = 4, .mapFlags = MAP_SBB | reduce, .metaWidth = 2, .metaHeight = 2}},
        {"one screen block, size from the data", 256, 256,
         {.bpp = 4, .mapFlags = MAP_SBB | reduce},
         Banked, Console::kReexports, MapSize::kFromData},
        {"flat 32 x 32, size from the data", 256, 256,
         {.bpp = 4, .mapFlags = reduce, .mapCompression = lz},
         Banked, Console::kReexports, MapSize::kFromData},
        {"8bpp affine", 128, 64, {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE}, Banked8},
        {"affine 16 x 16, size from the data", 128, 128,
         {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE},
         Banked, Console::kReexports, MapSize::kFromData},
        {"4bpp affine reads 8-bit tiles", 64, 32, {.bpp = 4, .mapFlags = MAP_AFFINE | MAP_REDUCE},
         Banked, Console::kNamesNoTile},
        {"affine groups", 64, 64,
         {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE, .metaWidth = 2, .metaHeight = 1}},
        {"groups with their own banks", 64, 64,
         {.bpp = 4, .mapFlags = reduce | MAP_META_PAL, .metaWidth = 1, .metaHeight = 2},
         BankedGroups},
        {"groups 4 x 2, no reduction", 64, 32, {.bpp = 4, .metaWidth = 4, .metaHeight = 2}},
        {"2bpp tiles", 32, 16, {.bpp = 2}, [](int x, int y) { return (x * y + x) % 4; }},
        {"1bpp tiles, reduced", 32, 16, {.bpp = 1, .mapFlags = MAP_REDUCE | MAP_FLIP},
         [](int x, int y) { return (x / 3 + y / 2) % 2; }},
        {"lz77 everywhere", 64, 48,
         {.bpp = 4, .mapFlags = reduce, .palCompression = lz, .imgCompression = lz,
          .mapCompression = lz}},
        {"huffman", 64, 48,
         {.bpp = 8, .mapFlags = MAP_REDUCE, .palCompression = BLK_CPRS_HUFF,
          .imgCompression = BLK_CPRS_HUFF, .mapCompression = BLK_CPRS_HUFF},
         Banked8},
        {"run-length", 64, 48,
         {.bpp = 4, .mapFlags = reduce, .palCompression = BLK_CPRS_RLE,
          .imgCompression = BLK_CPRS_RLE, .mapCompression = BLK_CPRS_RLE}},
        {"tile offset 5", 64, 48, {.bpp = 4, .mapFlags = reduce, .tileOffset = 5}},
        {"tile offset -3", 64, 48, {.bpp = 4, .mapFlags = reduce, .tileOffset = -3}},
        // Tiles 24 on lie past slot 1023, where no index reaches.
        {"tile offset runs past slot 1023", 64, 48, {.bpp = 8, .tileOffset = 1000}, Banked8,
         Console::kNamesNoTile},
        {"affine tile offset", 64, 32,
         {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE, .tileOffset = 200}},
        {"affine tile offset past slot 255", 64, 32,
         {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE, .tileOffset = 250}, Banked,
         Console::kNamesNoTile},
        {"palette from entry 16", 64, 32, {.bpp = 4, .mapFlags = reduce, .palStart = 16,
                                           .palEnd = 64}},
        {"no map, 4bpp", 64, 48, {.bpp = 4, .mapped = false}, Bank0},
        {"no map, 8bpp, lz77", 64, 48, {.bpp = 8, .mapped = false, .imgCompression = lz},
         Banked8},
        {"no map, groups", 64, 32,
         {.bpp = 4, .mapped = false, .metaWidth = 2, .metaHeight = 2}, Bank0},
        {"8bpp bitmap, odd width", 37, 20,
         {.bpp = 8, .imgFlags = BLK_EXPORT | IMG_BITMAP, .mapped = false, .imgCompression = lz}, Banked8},
        {"4bpp bitmap", 30, 9, {.bpp = 4, .imgFlags = BLK_EXPORT | IMG_BITMAP, .mapped = false}, Bank0},
        {"2bpp bitmap", 13, 5, {.bpp = 2, .imgFlags = BLK_EXPORT | IMG_BITMAP, .mapped = false},
         [](int x, int y) { return (x + 2 * y) % 4; }},
    };
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJobPtr job = Export(RulePicture(c.width, c.height, c.picture), c.setup);
        const ExportPreview preview = PreviewExport(*job, {});
        ASSERT_TRUE(preview.ok);
        ImportOptions options = OptionsOf(*job, c.setup, c.size);
        options.partial = c.console == Console::kNamesNoTile;
        const ImportResult imported = ImportGbaData(FilesOf(*job), options);
        ASSERT_TRUE(imported.picture) << imported.error;
        EXPECT_EQ(imported.warnings.empty(), !options.partial);
        PackedDib picture = imported.picture.get();
        ASSERT_EQ(DibWidth(picture), preview.console.width);
        ASSERT_EQ(DibHeight(picture), preview.console.height);
        EXPECT_EQ(Pixels(picture), preview.console.indices);
        ASSERT_EQ(DibColorCount(picture), 256);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(GbaColor(DibColors(picture)[i]), preview.console.palette[i]) << i;
        if (c.console != Console::kReexports) continue;

        ExportJobPtr again = Export(DibPtr(DibDuplicate(picture)), c.setup);
        EXPECT_EQ(again->palData.bytes, job->palData.bytes);
        EXPECT_EQ(again->imgData.bytes, job->imgData.bytes);
        EXPECT_EQ(again->mapData.bytes, job->mapData.bytes);
        EXPECT_EQ(again->metaData.bytes, job->metaData.bytes);
    }
}

// A small export to damage: 4 bpp, reduced with flips and banks, 4 x 2 tiles.
struct Damage {
    const char* name;
    std::function<void(ImportFiles&, ImportOptions&)> change;
    std::string error;    // what the failure says, up to its length; "" for success
    std::string warning;  // with partial: the first warning, up to its length
};

std::string Prefix(const std::string& text, const std::string& expected) {
    return text.substr(0, expected.size());
}

TEST(GbaImport, DamagedDataFailsNamingTheFileOrWithPartialReadsAsZero) {
    const JobSetup setup{.bpp = 4, .mapFlags = MAP_REDUCE | MAP_FLIP | MAP_PALBANK,
                      .imgCompression = BLK_CPRS_LZ77};
    const auto shorten = [](std::vector<std::uint8_t>& bytes, std::size_t n) {
        bytes.resize(bytes.size() - n);
    };
    const Damage cases[] = {
        {"map two entries short", [&](ImportFiles& f, ImportOptions&) { shorten(f.map.bytes, 4); },
         "t.map.bin: 60 bytes where 8 x 4 tiles need 64",
         "t.map.bin: 60 bytes where 8 x 4 tiles need 64; read as index 0"},
        {"cut LZ77 tiles",
         [&](ImportFiles& f, ImportOptions&) { shorten(f.graphics.bytes, 9); },
         "t.img.bin: neither a BIOS stream (its header names a LZ77 stream of",
         "t.img.bin: neither a BIOS stream"},
        {"stream followed by data",
         [](ImportFiles& f, ImportOptions&) { f.graphics.bytes.resize(f.graphics.bytes.size() + 8); },
         "t.img.bin: neither a BIOS stream (its header names a LZ77 stream of 192 bytes, but 10 "
         "bytes follow where it ends) nor raw tiles",
         "t.img.bin: neither"},
        {"map names a tile the graphics lack",
         [](ImportFiles& f, ImportOptions&) { f.map.bytes[6] = 0x30; },
         "t.map.bin: the entry of tile (3, 0) names tile 48, but only the first 6 tiles",
         "t.map.bin: the entry of tile (3, 0)"},
        {"odd palette", [](ImportFiles& f, ImportOptions&) { f.palette.bytes.push_back(7); },
         "t.pal.bin: 513 bytes are not whole 2-byte colours",
         "t.pal.bin: 513 bytes are not whole 2-byte colours; read as index 0"},
        {"tile-group map names a missing group",
         [](ImportFiles& f, ImportOptions& o) {
             o.metaWidth = 2;
             f.metaMap = {"t.meta.bin", true, std::vector<std::uint8_t>(32, 0)};
             f.metaMap.bytes[2] = 0x09;
             f.metaMap.bytes[3] = 0x10;
         },
         "t.meta.bin: entry 1 names tile group 4105 of the map's 16 (its top 4 bits look like a "
         "palette bank",
         "t.meta.bin: entry 1"},
        {"map size not settled",
         [](ImportFiles&, ImportOptions& o) { o.mapWidth = o.mapHeight = 0; },
         "t.map.bin: the map size cannot be told from its 32 tiles", ""},
        {"screen blocks of the wrong size",
         [](ImportFiles&, ImportOptions& o) { o.layout = ImportLayout::kScreenBlocks; },
         "a map in screen blocks is a whole number of 32 x 32 tile blocks, not 8 x 4", ""},
        {"map size too large even for partial data",
         [](ImportFiles&, ImportOptions& o) { o.mapWidth = o.mapHeight = 2048; },
         "a map of 2048 x 2048 tiles is larger than an import makes", ""},
        {"no graphics", [](ImportFiles& f, ImportOptions&) { f.graphics.present = false; },
         "there are no graphics to import", ""},
        {"16-bpp bitmap without colour reduction",
         [](ImportFiles& f, ImportOptions& o) {
             f.map.present = false;
             o.bpp = 16;
             o.bitmapWidth = o.bitmapHeight = 4;
         },
         "a 16-bpp bitmap has more colours than a palette holds", ""},
        {"short bitmap",
         [](ImportFiles& f, ImportOptions& o) {
             f.map.present = false;
             f.graphics = {"b.bin", true, std::vector<std::uint8_t>(30, 1)};
             o.bpp = 8;
             o.bitmapWidth = 7;
             o.bitmapHeight = 8;
         },
         "b.bin: 30 bytes where a 7 x 8 bitmap needs 64", "b.bin: 30 bytes"},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJobPtr job = Export(RulePicture(64, 32, Banked), setup);
        ImportFiles files = FilesOf(*job);
        ImportOptions options = OptionsOf(*job, setup);
        c.change(files, options);
        const ImportResult failed = ImportGbaData(files, options);
        EXPECT_FALSE(failed.picture);
        EXPECT_EQ(Prefix(failed.error, c.error), c.error);
        options.partial = true;
        const ImportResult partial = ImportGbaData(files, options);
        if (c.warning.empty()) {
            EXPECT_FALSE(partial.picture);
            continue;
        }
        ASSERT_TRUE(partial.picture) << partial.error;
        ASSERT_FALSE(partial.warnings.empty());
        EXPECT_EQ(Prefix(partial.warnings.front(), c.warning), c.warning);
    }
}

TEST(GbaImport, MissingMapEntriesShowIndexZeroWithPartial) {
    const JobSetup setup{.bpp = 8, .mapFlags = MAP_REDUCE};
    ExportJobPtr job = Export(RulePicture(64, 32, Banked8), setup);
    ImportFiles files = FilesOf(*job);
    files.map.bytes.resize(files.map.bytes.size() - 2 * 9);  // the last 9 of 32 tiles
    ImportOptions options = OptionsOf(*job, setup);
    options.partial = true;
    const ImportResult imported = ImportGbaData(files, options);
    ASSERT_TRUE(imported.picture) << imported.error;
    const std::vector<std::uint8_t> pixels = Pixels(imported.picture.get());
    const std::vector<std::uint8_t> source = Pixels(job->image.get());
    for (int tile = 0; tile < 32; ++tile)
        for (int p = 0; p < 64; ++p) {
            const std::size_t at = (tile / 8 * 8 + p / 8) * 64 + tile % 8 * 8 + p % 8;
            ASSERT_EQ(pixels[at], tile < 23 ? source[at] : 0) << tile << " " << p;
        }
}

struct StreamCase {
    const char* name;
    std::vector<std::uint8_t> file;
    int compression;
    std::size_t plainSize;
    bool namedAStream;  // the header named a stream that was not taken
};

TEST(GbaImport, AFileIsAStreamOnlyWhenItDecodesToItsEnd) {
    std::vector<std::uint8_t> raw(64);
    for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>(i * 7);
    const std::vector<std::uint8_t> lz = CompressChecked(BLK_CPRS_LZ77, Lz77Parse::kGreedy, raw);
    const std::vector<std::uint8_t> rle = CompressChecked(BLK_CPRS_RLE, Lz77Parse::kGreedy, raw);
    const std::vector<std::uint8_t> huff = CompressChecked(BLK_CPRS_HUFF, Lz77Parse::kGreedy, raw);
    std::vector<std::uint8_t> trailing = lz;
    trailing.insert(trailing.end(), 4, 0);
    std::vector<std::uint8_t> unpadded = lz;
    while (unpadded.back() == 0) unpadded.pop_back();
    const StreamCase cases[] = {
        {"LZ77", lz, BLK_CPRS_LZ77, 64, false},
        {"LZ77 without its padding", unpadded, BLK_CPRS_LZ77, 64, false},
        {"run-length", rle, BLK_CPRS_RLE, 64, false},
        {"Huffman", huff, BLK_CPRS_HUFF, 64, false},
        {"raw bytes", raw, BLK_CPRS_NONE, 64, false},
        // Raw map entries 0x0010, 0x0000 read like an empty LZ77 stream.
        {"raw data that looks like an empty stream", {0x10, 0, 0, 0, 5, 0, 6, 0}, BLK_CPRS_NONE,
         8, true},
        {"a stream with a word after it", trailing, BLK_CPRS_NONE, trailing.size(), true},
        {"a cut stream", std::vector<std::uint8_t>(lz.begin(), lz.begin() + 8), BLK_CPRS_NONE, 8,
         true},
        {"Huffman with 3-bit symbols", {0x23, 4, 0, 0, 0, 0, 0, 0}, BLK_CPRS_NONE, 8, false},
        {"shorter than a header", {0x10, 1}, BLK_CPRS_NONE, 2, false},
    };
    for (const StreamCase& c : cases) {
        SCOPED_TRACE(c.name);
        ImportStream stream;
        ASSERT_TRUE(DecodeImportStream(c.file, stream));
        EXPECT_EQ(stream.compression, c.compression);
        EXPECT_EQ(stream.plain.size(), c.plainSize);
        EXPECT_EQ(!stream.notAStream.empty(), c.namedAStream) << stream.notAStream;
        if (c.compression != BLK_CPRS_NONE) {
            EXPECT_EQ(stream.plain, raw);
        }
    }
}

TEST(GbaImport, SixteenBitBitmapsAreReducedOnlyWhenAsked) {
    const JobSetup setup{.bpp = 16, .imgFlags = BLK_EXPORT | IMG_BITMAP, .mapped = false};
    ExportJobPtr job = Export(RulePicture(21, 6, [](int x, int y) { return (x + y) % 12; }), setup);
    const ExportPreview preview = PreviewExport(*job, {});
    ImportOptions options = OptionsOf(*job, setup);
    options.quantize = true;
    const ImportResult imported = ImportGbaData(FilesOf(*job), options);
    ASSERT_TRUE(imported.picture) << imported.error;
    PackedDib picture = imported.picture.get();
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 21; ++x)
            ASSERT_EQ(GbaColor(DibColors(picture)[DibPictureRow(picture, y)[x]]),
                      preview.console.colors[static_cast<std::size_t>(y) * 21 + x])
                << x << "," << y;
}

TEST(GbaImport, WithoutAPaletteIndicesShowAsGreys) {
    const JobSetup setup{.bpp = 4, .mapFlags = MAP_REDUCE | MAP_FLIP | MAP_PALBANK};
    ExportJobPtr job = Export(RulePicture(32, 16, Banked), setup);
    ImportFiles files = FilesOf(*job);
    files.palette.present = false;
    const ImportResult imported = ImportGbaData(files, OptionsOf(*job, setup));
    ASSERT_TRUE(imported.picture) << imported.error;
    EXPECT_EQ(Pixels(imported.picture.get()), Pixels(job->image.get()));
    for (const int i : {0, 1, 17, 0x3F})
        EXPECT_EQ(DibColors(imported.picture.get())[i].rgbGreen, ExpandChannel((i % 16) * 17 >> 3))
            << i;
}

}  // namespace
}  // namespace vorlin
