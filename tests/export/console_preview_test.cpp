// The console preview: the picture rebuilt from an export's blocks must be the
// source wherever the console can show it, and must show (and warn about)
// what the console gets wrong.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "export/export_preview.h"
#include "export/gba_color.h"
#include "support/banked_tiles.h"
#include "support/converted_job.h"
#include "support/rgb.h"
#include "support/rule_picture.h"

namespace vorlin {
namespace {

using testing::PixelRule;

// Colour i has its own 15-bit value, so any wrong index shows as a difference.
DibPtr Picture(int width, int height, const PixelRule& rule) {
    DibPtr dib = testing::RulePicture(width, height, rule);
    for (int i = 0; i < 256; ++i) DibColors(dib.get())[i] = Rgb((i % 32) * 8, (i / 32) * 8, 56);
    return dib;
}

int BankedTiles(int x, int y) {
    return testing::BankedTileIndex(x, y);
}

// Every tile different (for tile-count limits): the tile number as three base-15 digits
// 1-15 in its first row, all in bank 0.
int NumberedTiles(int x, int y) {
    const int n = (y / 8) * 64 + x / 8;
    if (y % 8 != 0 || x % 8 > 2) return 0;
    const int digit = x % 8 == 0 ? n % 15 : x % 8 == 1 ? n / 15 % 15 : n / 225;
    return 1 + digit;
}

using testing::JobSetup;
constexpr auto Job = testing::ConvertedJob;

std::string Warnings(const ExportPreview& preview) {
    std::string text;
    for (const ExportWarning& w : preview.warnings) text += WarningLine(w) + "\n";
    return text;
}

struct FaithfulCase {
    const char* name;
    int width, height;
    JobSetup setup;
    PixelRule picture = BankedTiles;
};

// Banks per pair of tile rows, so that a 1 x 2 tile group has one bank.
int BankedGroups(int x, int y) {
    const int v = BankedTiles(x, y);
    return v == 0 ? 0 : (((x / 8) ^ (y / 16)) % 3 + 1) * 16 + v % 16;
}

TEST(ConsolePreview, ShowsTheSourceWhereverTheConsoleCan) {
    const std::uint32_t reduce = MAP_REDUCE | MAP_FLIP | MAP_PALBANK;
    const FaithfulCase cases[] = {
        {"4bpp flat plain", 64, 32, {.bpp = 4}},
        {"4bpp reduced flips banks", 64, 48, {.bpp = 4, .mapFlags = reduce}},
        {"8bpp reduced flips", 64, 48, {.bpp = 8, .mapFlags = MAP_REDUCE | MAP_FLIP}},
        // 8-bpp tiles ignore the entry's bank: tiles in different banks stay apart.
        {"8bpp reduced flips banks", 64, 48, {.bpp = 8, .mapFlags = reduce}},
        {"8bpp affine reduced banks", 128, 64,
         {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE | MAP_PALBANK}},
        {"8bpp screen blocks", 512, 256, {.bpp = 8, .mapFlags = MAP_SBB | MAP_REDUCE | MAP_FLIP}},
        {"4bpp screen blocks, groups", 512, 512,
         {.bpp = 4, .mapFlags = MAP_SBB | reduce, .metaWidth = 2, .metaHeight = 2}},
        {"8bpp affine", 128, 64, {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE}},
        {"affine groups", 64, 64,
         {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE, .metaWidth = 2, .metaHeight = 1}},
        {"groups with meta banks", 64, 64,
         {.bpp = 4, .mapFlags = reduce | MAP_META_PAL, .metaWidth = 1, .metaHeight = 2},
         BankedGroups},
        {"2bpp tiles", 32, 16, {.bpp = 2}, [](int x, int y) { return (x * y + x) % 4; }},
        {"lz77 both", 64, 48,
         {.bpp = 4, .mapFlags = reduce, .imgCompression = BLK_CPRS_LZ77,
          .mapCompression = BLK_CPRS_LZ77}},
        {"huffman both", 64, 48,
         {.bpp = 8, .mapFlags = MAP_REDUCE, .imgCompression = BLK_CPRS_HUFF,
          .mapCompression = BLK_CPRS_HUFF}},
        {"run-length both", 64, 48,
         {.bpp = 4, .mapFlags = reduce, .imgCompression = BLK_CPRS_RLE,
          .mapCompression = BLK_CPRS_RLE}},
        {"tile offset 5", 64, 48, {.bpp = 4, .mapFlags = reduce, .tileOffset = 5}},
        {"tile offset -3", 64, 48, {.bpp = 4, .mapFlags = reduce, .tileOffset = -3}},
        {"no map", 64, 48, {.bpp = 4, .mapped = false}},
        {"8bpp bitmap, odd width", 37, 20,
         {.bpp = 8, .imgFlags = BLK_EXPORT | IMG_BITMAP, .mapped = false,
          .imgCompression = BLK_CPRS_LZ77}},
        {"16bpp bitmap", 33, 9,
         {.bpp = 16, .imgFlags = BLK_EXPORT | IMG_BITMAP, .mapped = false}},
    };
    for (const FaithfulCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJobPtr job = Job(Picture(c.width, c.height, c.picture), c.setup);
        const ExportPreview preview = PreviewExport(*job, {});
        ASSERT_TRUE(preview.ok);
        EXPECT_EQ(preview.console.width, c.width);
        EXPECT_EQ(preview.console.height, c.height);
        EXPECT_EQ(preview.stats.differentPixels, 0u);
        EXPECT_EQ(Warnings(preview), "");
    }
}

TEST(ConsolePreview, ColoursAreExpandedFromFiveBits) {
    EXPECT_EQ(GbaColorToRgb(0x7FFF), 0xFFFFFFu);
    EXPECT_EQ(GbaColorToRgb(0x0000), 0x000000u);
    EXPECT_EQ(GbaColorToRgb(1 | (16 << 5) | (30 << 10)), (0x08u << 16) | (0x84u << 8) | 0xF7u);
}

// What the console shows instead of the source, pixel by pixel.
struct ShownCase {
    const char* name;
    PixelRule picture;
    JobSetup setup;
    int x, y;           // a pixel of the area
    int shownIndex;     // the palette entry the console shows there
    int shownColor;     // its colour, -1: the picture's colour of shownIndex
    VramPlacement placement = {};
};

TEST(ConsolePreview, ShowsWhatTheConsoleGetsWrong) {
    const auto twoBanks = [](int x, int y) { return x < 4 ? 0x21 : y < 4 ? 0x35 : 0x03; };
    const ShownCase cases[] = {
        // The first coloured pixel gives the tile's bank; 0x35 is shown in bank 2.
        {"two banks in a tile", twoBanks, {.bpp = 4}, 5, 0, 0x25, -1},
        {"bank 0 pixel in bank 2", twoBanks, {.bpp = 4}, 5, 6, 0x23, -1},
        {"8 bpp keeps both banks", twoBanks, {.bpp = 8}, 5, 0, 0x35, -1},
        // Nibble 0 is transparent in every bank: the backdrop (entry 0) shows.
        {"nibble 0 of bank 2", [](int, int) { return 0x20; }, {.bpp = 4}, 3, 3, 0, -1},
        // Palette memory outside the exported range holds nothing.
        {"colour outside the palette", twoBanks, {.bpp = 8, .palStart = 0x30, .palEnd = 0x40},
         0, 0, 0x21, 0},
        {"colour inside the palette", twoBanks, {.bpp = 8, .palStart = 0x30, .palEnd = 0x40},
         5, 0, 0x35, -1},
        // The map is loaded after the tiles: tile 0 begins with entries 0x2000 and 0x3001.
        {"map loaded over the tiles", twoBanks, {.bpp = 8}, 2, 0, 0x01, -1, {.screenBlock = 0}},
        {"tile beside the map", twoBanks, {.bpp = 8}, 4, 0, 0x35, -1, {.screenBlock = 0}},
    };
    for (const ShownCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJobPtr job = Job(Picture(16, 8, c.picture), c.setup);
        const ExportPreview preview = PreviewExport(*job, c.placement);
        ASSERT_TRUE(preview.ok);
        const std::size_t p = static_cast<std::size_t>(c.y) * preview.console.width + c.x;
        EXPECT_EQ(preview.console.indices[p], c.shownIndex);
        const int color =
            c.shownColor >= 0 ? c.shownColor : GbaColor(DibColors(job->image.get())[c.shownIndex]);
        EXPECT_EQ(preview.console.colors[p], color);
    }
}

struct WarningCase {
    const char* name;
    int width, height;
    PixelRule picture;
    JobSetup setup;
    VramPlacement placement;
    std::string expected;  // the first warning, "x,y: text" up to its length
    std::size_t count;
};

TEST(ConsolePreview, WarnsAtTheTileConcerned) {
    const auto twoBankTile = [](int x, int y) {
        return x / 8 == 2 && y / 8 == 1 ? (x % 2 ? 0x11 : 0x32) : BankedTiles(x, y);
    };
    const WarningCase cases[] = {
        {"two banks, picture coordinates", 40, 32, twoBankTile, {.bpp = 4, .left = 0, .top = 0},
         {}, "16,8: 4-bpp tile uses colours of palette banks 1 and 3; the console shows them all "
             "in bank 3", 1},
        {"two banks, area inside the picture", 40, 32, twoBankTile, {.bpp = 4, .left = 8, .top = 8},
         {}, "16,8: 4-bpp tile uses colours of palette banks 1 and 3", 1},
        {"1200 tiles, reduced", 512, 152, NumberedTiles, {.bpp = 4, .mapFlags = MAP_REDUCE},
         {}, "504,120: the map needs 1217 distinct tiles, more than the 1024", 1},
        {"1200 tiles, not reduced", 512, 152, NumberedTiles, {.bpp = 4},
         {}, "0,128: the map needs 1216 distinct tiles, more than the 1024", 1},
        {"affine over 256 tiles", 256, 80, NumberedTiles,
         {.bpp = 8, .mapFlags = MAP_AFFINE | MAP_REDUCE}, {},
         "248,56: the affine map needs 321 distinct tiles, more than the 256", 1},
        {"tiles under the map", 64, 64, NumberedTiles, {.bpp = 8},
         {.charBlock = 0, .screenBlock = 1},
         "0,32: tiles and map overlap in video memory (character block 0, screen block 1)", 1},
        {"tiles past video memory", 256, 72, NumberedTiles, {.bpp = 8},
         {.charBlock = 3, .screenBlock = 0},
         "0,64: tiles run past the 64 KiB of background video memory", 1},
        {"palette range", 32, 8, BankedTiles, {.bpp = 4, .palStart = 16, .palEnd = 32}, {},
         "0,0: the picture shows colours 0, ", 1},
        {"4 bpp on an affine map", 16, 16, BankedTiles, {.bpp = 4, .mapFlags = MAP_AFFINE}, {},
         "0,0: affine backgrounds read 8-bpp tiles", 1},
        {"colour 0 of banks 2 and 3 turns transparent", 24, 8,
         [](int x, int y) { return x == 11 && y == 2 ? 0x20 : x == 20 && y == 5 ? 0x30 : 1; },
         {.bpp = 4}, {}, "8,0: 2 pixels use colour 0 of a bank (index 16, 32, ...)", 1},
    };
    for (const WarningCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJobPtr job = Job(Picture(c.width, c.height, c.picture), c.setup);
        const ExportPreview preview = PreviewExport(*job, c.placement);
        ASSERT_TRUE(preview.ok);
        ASSERT_FALSE(preview.warnings.empty());
        EXPECT_EQ(WarningLine(preview.warnings[0]).substr(0, c.expected.size()), c.expected);
        EXPECT_EQ(preview.warnings.size(), c.count) << Warnings(preview);
    }
}

// Where the graphics really lie, whether they fit the 64 KiB and the slots a map
// can name, and the warning when they do not.
struct MemoryCase {
    const char* name;
    int width, height;
    JobSetup setup;
    std::uint32_t start, end;  // the tile memory span
    bool fits;
    std::string expected;      // the first warning up to its length; "" for none
    PixelRule picture = NumberedTiles;
    VramPlacement placement = {};
};

TEST(ConsolePreview, TileMemoryIsTheRealSpan) {
    const MemoryCase cases[] = {
        // 1216 tiles of 32 bytes: more than the 32 KiB that 1024 4-bpp slots hold.
        {"more tiles than slots", 512, 152, {.bpp = 4}, 0, 38912, false,
         "0,128: the map needs 1216 distinct tiles"},
        // Indices 1000-1100: tile 24 is the first past 1023.
        {"offset past the last slot", 808, 8, {.bpp = 4, .tileOffset = 1000}, 32000, 35232, false,
         "192,0: with tile offset 1000 the 101 tiles need indices past 1023"},
        {"offset up to the last slot", 808, 8, {.bpp = 4, .tileOffset = 923}, 29536, 32768, true,
         ""},
        // Reduced: graphics tile 24 (after the blank one) comes from source tile 23.
        {"reduced, offset past the last slot", 808, 8,
         {.bpp = 4, .mapFlags = MAP_REDUCE, .tileOffset = 1000}, 32000, 35264, false,
         "184,0: with tile offset 1000 the 102 tiles need indices past 1023"},
        {"offset of more than the slots", 808, 8, {.bpp = 4, .tileOffset = 2024}, 32000, 35232,
         false, "192,0: with tile offset 2024 the 101 tiles need indices past 1023"},
        // 8-bpp slots reach past the 64 KiB from character block 3: there memory ends first.
        {"8 bpp from character block 3", 256, 72, {.bpp = 8}, 49152, 67584, false,
         "0,64: tiles run past the 64 KiB", NumberedTiles, {.charBlock = 3, .screenBlock = 0}},
        // Every index moves under a negative offset, the first ones to the top slots.
        {"negative offset wraps within the slots", 64, 48,
         {.bpp = 4, .mapFlags = MAP_REDUCE | MAP_FLIP | MAP_PALBANK, .tileOffset = -3}, 0, 32768,
         true, "", BankedTiles},
    };
    for (const MemoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJobPtr job = Job(Picture(c.width, c.height, c.picture), c.setup);
        const ExportPreview preview = PreviewExport(*job, c.placement);
        ASSERT_TRUE(preview.ok);
        EXPECT_EQ(preview.stats.tileMemory.start, c.start);
        EXPECT_EQ(preview.stats.tileMemory.end, c.end);
        EXPECT_EQ(preview.stats.tilesFit, c.fits);
        const std::string first =
            preview.warnings.empty() ? "" : WarningLine(preview.warnings[0]);
        EXPECT_EQ(first.substr(0, c.expected.size()), c.expected);
        EXPECT_EQ(preview.warnings.size(), c.expected.empty() ? 0u : 1u) << Warnings(preview);
    }
}

TEST(ConsolePreview, BlockThatStayedPlainIsReported) {
    ExportJobPtr job = Job(Picture(16, 16, BankedTiles), {.bpp = 4});
    // As when the compressor gave nothing usable: asked for, not done.
    job->imgFlags = WithCompression(job->imgFlags, BLK_CPRS_HUFF);
    const ExportPreview preview = PreviewExport(*job, {});
    ASSERT_TRUE(preview.ok);
    EXPECT_EQ(preview.stats.differentPixels, 0u);
    EXPECT_EQ(Warnings(preview).substr(0, 50), "0,0: the graphics block stays uncompressed: huff g");
}

TEST(ConsolePreview, DamagedCompressedBlockIsNotPreviewed) {
    ExportJobPtr job = Job(Picture(16, 16, BankedTiles), {.bpp = 4, .imgCompression = BLK_CPRS_LZ77});
    ASSERT_EQ(job->imgData.compression, BLK_CPRS_LZ77);
    job->imgData.bytes.resize(8);
    EXPECT_FALSE(PreviewExport(*job, {}).ok);
}

TEST(ConsolePreview, FiguresOfBlocksMemoryAndIndices) {
    // 64 x 48 of banked tiles: 48 tiles, reduced to fewer; 4 bpp = 32 bytes a tile.
    ExportJobPtr job = Job(Picture(64, 48, BankedTiles),
                           {.bpp = 4, .mapFlags = MAP_REDUCE | MAP_FLIP | MAP_PALBANK,
                            .imgCompression = BLK_CPRS_RLE, .tileOffset = 10});
    const ExportPreview preview = PreviewExport(*job, {.charBlock = 1, .screenBlock = 30});
    ASSERT_TRUE(preview.ok);
    const ExportStats& s = preview.stats;
    EXPECT_EQ(s.areaTiles, 48);
    ASSERT_GT(s.graphicsTiles, 1);
    EXPECT_EQ(s.graphics.bytes, static_cast<std::size_t>(s.graphicsTiles) * 32);
    EXPECT_EQ(s.graphics.stored, job->imgData.bytes.size());
    EXPECT_EQ(s.graphics.compression, BLK_CPRS_RLE);
    EXPECT_EQ(s.palette.bytes, 512u);
    EXPECT_EQ(s.map.bytes, 96u);
    EXPECT_EQ(s.tileMemory.start, 16384u + 10 * 32);
    EXPECT_EQ(s.tileMemory.end, s.tileMemory.start + s.graphics.bytes);
    EXPECT_EQ(s.mapMemory.start, 30u * 2048);
    EXPECT_EQ(s.mapMemory.end, 30u * 2048 + 96);
    EXPECT_TRUE(s.tilesFit && s.mapFits);
    EXPECT_EQ(s.lowIndex, 0);
    EXPECT_EQ(s.highIndex, s.graphicsTiles - 1 + 10);
    EXPECT_EQ(s.banks, 0b1110);  // every tile has colours: banks 1-3
}

}  // namespace
}  // namespace vorlin
