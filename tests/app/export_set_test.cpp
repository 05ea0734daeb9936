// Several pictures exported together: one picture writes exactly what the
// single export writes, merged palettes keep every pixel's colour, refusals
// name the picture, and the shared tiles follow first use over the pictures.
#include "app/export_set_transfer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "export/export_preview.h"
#include "export/gba_color.h"
#include "support/banked_tiles.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

std::tm FixedTime() {
    std::tm when{};
    when.tm_year = 126;
    when.tm_mday = 7;
    return when;
}

Files ReadFolder(const fs::path& dir) {
    Files files;
    for (const auto& e : fs::directory_iterator(dir)) {
        std::ifstream in(e.path(), std::ios::binary);
        files[e.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

RgbQuad Color(int r, int g, int b) {
    return RgbQuad{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                   static_cast<std::uint8_t>(r), 0};
}

// Banked, flipped and repeated tiles with every colour distinct at 15 bits.
DibPtr BankedPicture(int width, int height) {
    DibPtr pic(DibCreate(width, height, 8, nullptr, 1));
    for (int i = 0; i < 256; ++i) DibColors(pic.get())[i] = Color(i * 8 % 256, i / 32 * 32, 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            DibPictureRow(pic.get(), y)[x] =
                static_cast<std::uint8_t>(testing::BankedTileIndex(x % 40, y));
    return pic;
}

ExportDialogValues Values(const fs::path& dir, const std::string& output) {
    ExportDialogValues v;
    SetOutputPath(v, (dir / output).string());
    return v;
}

TEST(ExportSetOnePicture, WritesExactlyWhatTheSingleExportWrites) {
    const std::pair<const char*, std::function<void(ExportDialogValues&)>> rows[] = {
        {"defaults", [](ExportDialogValues&) {}},
        {"asm 4bpp flat map", [](ExportDialogValues& v) {
             v.fileType = OUT_KIND_ASM; v.bppIndex = 2; v.mapEnabled = true; }},
        {"bin sbb lz77 huff", [](ExportDialogValues& v) {
             v.fileType = OUT_KIND_BIN; v.mapEnabled = true; v.mapLayout = MAP_LAYOUT_SBB;
             v.imgCompression = BLK_CPRS_LZ77; v.mapCompression = BLK_CPRS_HUFF; }},
        {"gbfs affine rle", [](ExportDialogValues& v) {
             v.fileType = OUT_KIND_GBFS; v.mapEnabled = true; v.mapLayout = MAP_LAYOUT_AFFINE;
             v.imgCompression = BLK_CPRS_RLE; }},
        {"meta 2x2 meta-pal offset", [](ExportDialogValues& v) {
             v.bppIndex = 2; v.mapEnabled = true; v.groupSize = 1; v.metaTilePal = true;
             v.tileOffset = 5; }},
        {"wide groups negative offset no flip", [](ExportDialogValues& v) {
             v.mapEnabled = true; v.groupShape = 1; v.groupSize = 1; v.tileOffset = -3;
             v.reduceFlip = false; }},
        {"no reduction u8 no header", [](ExportDialogValues& v) {
             v.mapEnabled = true; v.reduce = false; v.sizeCode = BLK_SIZE_U8; v.header = false; }},
        {"8bpp banks u32 smallest", [](ExportDialogValues& v) {
             v.mapEnabled = true; v.sizeCode = BLK_SIZE_U32; v.smallestLz77 = true;
             v.imgCompression = BLK_CPRS_LZ77; v.mapCompression = BLK_CPRS_LZ77; }},
        {"bitmap 8", [](ExportDialogValues& v) { v.imgBitmap = true; }},
        {"bitmap 16", [](ExportDialogValues& v) { v.imgBitmap = true; v.bppIndex = 4; }},
        {"1 and 2 bpp", [](ExportDialogValues& v) { v.bppIndex = 1; v.palNum = 4; }},
        {"palette range only", [](ExportDialogValues& v) {
             v.palStart = 16; v.palNum = 16; v.imgEnabled = false; v.palEnabled = true; }},
        {"map only, name", [](ExportDialogValues& v) {
             v.imgEnabled = false; v.palEnabled = false; v.mapEnabled = true; v.useName = true; }},
        {"custom area", [](ExportDialogValues& v) {
             v.areaMode = AREA_CUSTOM; v.areaLeft = 8; v.areaTop = 4; v.areaWidth = 30;
             v.areaHeight = 20; v.mapEnabled = true; }},
    };
    const DibPtr picture = BankedPicture(88, 72);
    for (const auto& [name, apply] : rows) {
        ScopedTempDir single, set;
        ExportDialogValues a = Values(single.Path(), "out.c"), b = Values(set.Path(), "out.c");
        apply(a);
        apply(b);
        ExportJobPtr job(ExportJobNew());
        ASSERT_TRUE(TransferToJob(a, "dir/pic.png", picture.get(), *job)) << name;
        ASSERT_EQ(ExportValidate(job.get()) && ExportConvert(job.get()), 1) << name;
        ASSERT_EQ(ExportWriteAt(job.get(), FixedTime()), 1) << name;
        ExportSet together;
        ASSERT_TRUE(TransferToSet(b, {{"dir/pic.png", picture.get()}}, together)) << name;
        ASSERT_EQ(ExportSetValidate(together) && ExportSetConvert(together), 1) << name;
        ASSERT_EQ(ExportSetWriteAt(together, FixedTime()), 1) << name;
        const Files expected = ReadFolder(single.Path()), got = ReadFolder(set.Path());
        ASSERT_FALSE(expected.empty()) << name;
        EXPECT_EQ(got, expected) << name;
    }
}

// Pictures of one colour per 8x8 tile, the colours given by index.
struct Painted {
    std::string path;
    std::vector<RgbQuad> palette;
    std::vector<std::uint8_t> tileIndices;  // one per tile, 2 tiles across
};

DibPtr Paint(const Painted& p) {
    const int rows = static_cast<int>((p.tileIndices.size() + 1) / 2);
    DibPtr pic(DibCreate(16, 8 * rows, 8, nullptr, 1));
    for (int i = 0; i < 256; ++i)
        DibColors(pic.get())[i] = i < static_cast<int>(p.palette.size()) ? p.palette[i] : Color(0, 0, 0);
    for (std::size_t t = 0; t < p.tileIndices.size(); ++t)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                DibPictureRow(pic.get(), static_cast<int>(t / 2) * 8 + y)[t % 2 * 8 + x] =
                    p.tileIndices[t];
    return pic;
}

std::vector<RgbQuad> Ramp(int count, int seed) {
    std::vector<RgbQuad> colors;
    for (int i = 0; i < count; ++i)
        colors.push_back(Color((i * 8 + seed) % 256, (i / 32) * 8 + seed % 8 * 8, (seed * 40) % 256));
    return colors;
}

std::vector<std::uint8_t> Indices(int from, int count) {
    std::vector<std::uint8_t> out;
    for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(from + i));
    return out;
}

struct Converted {
    ExportSet set;
    int ok = 0;
};

Converted ConvertSet(const std::vector<Painted>& painted, ExportDialogValues v) {
    std::vector<DibPtr> pictures;
    std::vector<SetPicture> list;
    for (const Painted& p : painted) {
        pictures.push_back(Paint(p));
        list.push_back({p.path, pictures.back().get()});
    }
    Converted out;
    v.mapEnabled = true;
    v.fileType = OUT_KIND_C;
    v.folder = ".";
    v.title = "level";
    if (TransferToSet(v, list, out.set) && ExportSetValidate(out.set))
        out.ok = ExportSetConvert(out.set);
    return out;
}

TEST(ExportSetPalette, MergedColoursKeepEveryPixelsColourOrNameThePicture) {
    const auto swapped = [] {
        std::vector<RgbQuad> c = Ramp(8, 1);
        std::swap(c[2], c[5]);
        return c;
    }();
    struct Row {
        const char* name;
        std::vector<Painted> pictures;
        int palNum;
        int ok;
        std::size_t failedPicture;
    } rows[] = {
        {"same palette", {{"a.png", Ramp(8, 1), Indices(0, 8)}, {"b.png", Ramp(8, 1), Indices(2, 6)}}, 256, 1, 0},
        {"same colours other places",
         {{"a.png", Ramp(8, 1), Indices(0, 8)}, {"b.png", swapped, Indices(0, 8)}}, 256, 1, 0},
        {"disjoint colours fit",
         {{"a.png", Ramp(100, 1), Indices(0, 100)}, {"b.png", Ramp(100, 3), Indices(0, 100)}}, 256, 1, 0},
        {"unused entries differ",
         {{"a.png", Ramp(8, 1), Indices(0, 4)}, {"b.png", Ramp(8, 2), Indices(4, 4)}}, 256, 1, 0},
        {"third picture overflows 256",
         {{"a.png", Ramp(120, 1), Indices(0, 120)}, {"b.png", Ramp(120, 3), Indices(0, 120)},
          {"c.png", Ramp(120, 5), Indices(0, 120)}}, 256, 0, 2},
        {"past the exported range",
         {{"a.png", Ramp(16, 1), Indices(0, 16)}, {"b.png", Ramp(16, 3), Indices(0, 1)}}, 16, 0, 1},
    };
    for (const Row& row : rows) {
        ExportDialogValues v;
        v.palNum = row.palNum;
        Converted c = ConvertSet(row.pictures, v);
        ASSERT_EQ(c.ok, row.ok) << row.name;
        if (!row.ok) {
            EXPECT_EQ(c.set.failedPicture, row.failedPicture) << row.name;
            EXPECT_NE(c.set.failedReason.find("palette entries"), std::string::npos) << row.name;
            continue;
        }
        for (std::size_t p = 0; p < row.pictures.size(); ++p) {
            const ExportPreview preview = PreviewExport(*c.set.pictures[p], VramPlacement{});
            ASSERT_TRUE(preview.ok) << row.name;
            const Painted& painted = row.pictures[p];
            for (std::size_t t = 0; t < painted.tileIndices.size(); ++t) {
                const std::size_t at = (t / 2) * 8 * 16 + t % 2 * 8;
                EXPECT_EQ(preview.console.colors[at], GbaColor(painted.palette[painted.tileIndices[t]]))
                    << row.name << " picture " << p << " tile " << t;
            }
        }
    }
}

TEST(ExportSetPalette, AgreeingPalettesMoveNoIndex) {
    Converted c = ConvertSet({{"a.png", Ramp(8, 1), Indices(0, 4)}, {"b.png", Ramp(8, 1), Indices(3, 5)}},
                             ExportDialogValues{});
    ASSERT_EQ(c.ok, 1);
    EXPECT_EQ(DibPictureRow(c.set.pictures[1]->image.get(), 0)[0], 3);
    EXPECT_EQ(DibPictureRow(c.set.pictures[1]->image.get(), 8)[8], 6);
}

std::vector<std::uint16_t> MapOf(const ExportJob& job) {
    std::vector<std::uint16_t> out;
    for (std::size_t i = 0; i + 1 < job.mapData.bytes.size(); i += 2)
        out.push_back(static_cast<std::uint16_t>(job.mapData.bytes[i] | job.mapData.bytes[i + 1] << 8));
    return out;
}

TEST(ExportSetTiles, NumberedByFirstUseOverThePicturesInOrder) {
    // Tiles by colour index: b brings in 7 after repeating a's 5.
    Converted c = ConvertSet({{"a.png", Ramp(8, 1), {5, 3, 5, 0}}, {"b.png", Ramp(8, 1), {3, 7, 0, 5}},
                              {"c.png", Ramp(8, 1), {7, 2}}},
                             ExportDialogValues{});
    ASSERT_EQ(c.ok, 1);
    EXPECT_EQ(MapOf(*c.set.pictures[0]), (std::vector<std::uint16_t>{1, 2, 1, 0}));
    EXPECT_EQ(MapOf(*c.set.pictures[1]), (std::vector<std::uint16_t>{2, 3, 0, 1}));
    EXPECT_EQ(MapOf(*c.set.pictures[2]), (std::vector<std::uint16_t>{3, 4}));
    EXPECT_EQ(c.set.shared->imgData.bytes.size(), 5u * 64);
    // Warnings of a picture point into it: its own first use of each tile.
    EXPECT_EQ(c.set.pictures[1]->tileFirstUse, (std::vector<std::size_t>{3, 0, 1, SIZE_MAX}));
}

TEST(ExportSetNames, RefusalsNameThePicture) {
    struct Row {
        std::vector<std::string> paths;
        std::size_t failedPicture;
    } rows[] = {
        {{"a/forest.png", "b/forest.bmp"}, 1},
        {{"a.png", "x-y.png", "x_y.png"}, 2},
        {{"a.png", ""}, 1},
    };
    for (const Row& row : rows) {
        std::vector<Painted> painted;
        for (const std::string& path : row.paths) painted.push_back({path, Ramp(4, 1), {1}});
        Converted c = ConvertSet(painted, ExportDialogValues{});
        EXPECT_EQ(c.ok, 0) << row.paths[1];
        EXPECT_EQ(c.set.failedPicture, row.failedPicture) << row.paths[1];
        EXPECT_FALSE(c.set.failedReason.empty());
    }
}

}  // namespace
}  // namespace vorlin
