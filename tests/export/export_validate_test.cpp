#include <gtest/gtest.h>

#include <cstring>

#include "app/export_dialog_values.h"
#include "export/export_job.h"
#include "export/export_names.h"

namespace vorlin {
namespace {

DibPtr Picture(int w, int h) {
    DibPtr dib(DibCreate(w, h, 8, nullptr, 1));
    std::memset(DibPixels(dib.get()), 0, DibHeader(dib.get())->biSizeImage);
    return dib;
}

ExportJobPtr TiledJob(int bpp) {
    ExportJobPtr job(ExportJobNew());
    job->image = Picture(32, 32);
    job->outFlags = OUT_CONVERT_ONLY;
    job->imgFlags = BLK_EXPORT;
    job->bpp = bpp;
    job->left = 5;
    job->top = 3;
    job->right = 18;
    job->bottom = 12;
    return job;
}

TEST(ExportValidate, SixteenBppForcesBitmapAndDropsPaletteAndMap) {
    auto job = TiledJob(16);
    job->bpp = 12;
    job->palFlags = BLK_EXPORT;
    job->mapFlags = BLK_EXPORT | MAP_REDUCE;
    ASSERT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(job->bpp, 16);
    EXPECT_TRUE(job->imgFlags & IMG_BITMAP);
    EXPECT_EQ(job->palFlags, 0u);
    EXPECT_EQ(job->mapFlags, 0u);
    // A bitmap keeps its area exactly.
    EXPECT_EQ(job->right, 18);
    EXPECT_EQ(job->bottom, 12);
}

TEST(ExportValidate, BitDepthMattersOnlyWhenGraphicsAreExported) {
    for (int bpp : {0, 3, 5, 6, 7, -1}) {
        auto job = TiledJob(bpp);
        EXPECT_EQ(ExportValidate(job.get()), 0) << bpp;
    }
    // Palette-only and map-only jobs need no depth, and a stale 16 keeps them intact.
    for (int bpp : {0, 16}) {
        auto job = TiledJob(bpp);
        job->imgFlags = 0;
        job->palFlags = BLK_EXPORT;
        job->mapFlags = BLK_EXPORT;
        ASSERT_EQ(ExportValidate(job.get()), 1) << bpp;
        EXPECT_EQ(job->palFlags, BLK_EXPORT);
        EXPECT_EQ(job->mapFlags, BLK_EXPORT);
        EXPECT_FALSE(job->imgFlags & IMG_BITMAP);
    }
}

TEST(ExportValidate, RefusesBitmapWithMapAndMissingImage) {
    auto job = TiledJob(8);
    job->imgFlags |= IMG_BITMAP;
    job->mapFlags = BLK_EXPORT;
    EXPECT_EQ(ExportValidate(job.get()), 0);
    job->image.reset();
    job->mapFlags = 0;
    EXPECT_EQ(ExportValidate(job.get()), 0);
    EXPECT_EQ(ExportValidate(nullptr), 0);
}

TEST(ExportValidate, AreaRoundsUpByTileGroupOrScreenBlock) {
    struct Case {
        int metaW, metaH;
        std::uint32_t mapFlags;
        int right, bottom;
    } cases[] = {
        {1, 1, 0, 21, 19},  {2, 2, 0, 21, 19},
        {0, -3, 0, 21, 19},  // raised to 1 x 1
        {4, 1, 0, 37, 19},  {1, 1, BLK_EXPORT | MAP_SBB, 261, 259},
    };
    for (const Case& c : cases) {
        auto job = TiledJob(4);
        job->metaWidth = c.metaW;
        job->metaHeight = c.metaH;
        job->mapFlags = c.mapFlags;
        ASSERT_EQ(ExportValidate(job.get()), 1);
        EXPECT_EQ(job->left, 5);
        EXPECT_EQ(job->top, 3);
        EXPECT_EQ(job->right, c.right) << c.metaW << "x" << c.metaH;
        EXPECT_EQ(job->bottom, c.bottom) << c.metaW << "x" << c.metaH;
        EXPECT_GE(job->metaWidth, 1);
        EXPECT_GE(job->metaHeight, 1);
    }
}

TEST(ExportValidate, AreaCornersAreOrderedAndHugeAreasRefused) {
    auto job = TiledJob(8);
    std::swap(job->left, job->right);
    std::swap(job->top, job->bottom);
    ASSERT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(job->left, 5);
    EXPECT_EQ(job->right, 21);
    auto huge = TiledJob(8);
    huge->left = 0;
    huge->right = INT32_MAX - 3;
    EXPECT_EQ(ExportValidate(huge.get()), 0);
}

TEST(ExportValidate, PaletteRangeIsOrderedAndClamped) {
    auto job = TiledJob(8);
    job->palFlags = BLK_EXPORT;
    job->palStart = 40;
    job->palEnd = 10;
    ASSERT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(job->palStart, 10);
    EXPECT_EQ(job->palEnd, 40);
    job->palStart = -5;
    job->palEnd = 900;
    ASSERT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(job->palStart, 0);
    EXPECT_EQ(job->palEnd, 256);
}

TEST(ExportValidate, NamesAreDerivedFromTheSourcePath) {
    auto job = TiledJob(8);
    job->outFlags = OUT_KIND_BIN | OUT_APPEND;
    job->folder = "out";
    job->title = "t";
    job->symbol = "s";
    EXPECT_EQ(ExportValidate(job.get()), 0);  // names need a source path
    job->sourcePath = "";                     // a picture never saved exports under its names
    ASSERT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(job->folder + "/" + job->title + " " + job->symbol, "out/t s");
    job->title.clear();
    EXPECT_EQ(ExportValidate(job.get()), 0);  // but cannot make up a title
    job->sourcePath = "C:\\art\\8-bit tiles.bmp";
    job->folder.clear();
    job->title.clear();
    job->symbol.clear();
    ASSERT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(job->folder, "C:/art");
    EXPECT_EQ(job->title, "8-bit tiles");
    EXPECT_EQ(job->symbol, "__bit_tiles");
    EXPECT_FALSE(job->outFlags & OUT_APPEND);  // binary files are always fresh

    job->sourcePath = "plain";
    job->folder.clear();
    job->title.clear();
    job->symbol.clear();
    ASSERT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(job->folder, ".");
    EXPECT_EQ(job->symbol, "plain");

    job->sourcePath = "dir/.hidden";
    job->title.clear();
    EXPECT_EQ(ExportValidate(job.get()), 0);  // empty title
}

TEST(ExportNames, SanitizeIdentifierAndPathPieces) {
    const char* cases[][2] = {{"8-bit tiles", "__bit_tiles"},
                              {"bg_0", "bg_0"},
                              {"_x", "_x"},
                              {"caf\xc3\xa9", "caf__"},
                              {"", ""}};
    for (auto& c : cases) {
        std::string s = c[0];
        SanitizeIdentifier(s, 260);
        EXPECT_EQ(s, c[1]) << c[0];
    }
    std::string longName = "abcdef";
    SanitizeIdentifier(longName, 3);
    EXPECT_EQ(longName, "abc");
    EXPECT_EQ(PathDirectory("a/b.c/d"), "a/b.c");
    EXPECT_EQ(PathFileTitle("a/b.c/d"), "d");
    EXPECT_EQ(PathExtension("a/b.c/d"), "");
    EXPECT_EQ(PathFileTitle("x/sprites.img.bin"), "sprites.img");
    EXPECT_EQ(PathExtension("x/sprites.img.bin"), "bin");
    EXPECT_EQ(PathDirectory("/root.c"), "/");
}

TEST(ExportNames, TablesAndPresets) {
    EXPECT_STREQ(SizeCodeInfo(1)->cType, "short");
    EXPECT_EQ(SizeCodeInfo(0)->itemsPerLine, 16);
    EXPECT_EQ(SizeCodeInfo(3), nullptr);
    EXPECT_STREQ(CompressionSummaryName(2), "huf");
    EXPECT_STREQ(CompressionCaption(2), "huff");
    EXPECT_STREQ(FileKindCaption(3), "GBFS (*.gbfs)");
    EXPECT_EQ(FileKindFromExtension("s"), 1);
    EXPECT_STREQ(ArraySuffixName(SUFFIX_META_MAP), "MetaMap");
    EXPECT_EQ(TileGroupPreset(1, 3).width, 8);
    EXPECT_EQ(TileGroupPreset(1, 3).height, 4);
    EXPECT_EQ(TileGroupPreset(2, 1).height, 4);
    EXPECT_EQ(TileGroupPreset(5, 0).width, 1);
}

TEST(ExportDialogTransfer, FillsEveryFlagFromTheRecord) {
    DibPtr picture = Picture(40, 24);
    DibColors(picture.get())[0] = RgbQuad{1, 2, 3, 0};
    ExportDialogValues v;
    SetOutputPath(v, "out/sprites.img.bin");
    EXPECT_EQ(v.title, "sprites");
    EXPECT_EQ(v.fileType, static_cast<int>(OUT_KIND_BIN));
    EXPECT_EQ(v.path, "out/sprites.bin");
    v.palStart = 200;  // num 256: end lowered to 256
    v.bppIndex = 4;
    v.imgCompression = BLK_CPRS_LZ77;
    v.mapEnabled = true;
    v.mapLayout = MAP_LAYOUT_SBB;
    v.reduceFlip = false;
    v.mapCompression = BLK_CPRS_RLE;
    v.tileOffset = -7;
    v.groupShape = 1;
    v.groupSize = 2;
    v.sizeCode = BLK_SIZE_U32;
    v.useName = true;
    v.name = "9 lives";
    v.smallestLz77 = true;
    ExportJob job;
    job.bpp = 4;
    ASSERT_TRUE(TransferToJob(v, "doc.bmp", picture.get(), job));
    EXPECT_EQ(job.outFlags, OUT_KIND_BIN | OUT_HEADER | OUT_SMALLEST_LZ77);
    EXPECT_EQ(job.symbol, "__lives");
    EXPECT_EQ(job.folder, "out");
    EXPECT_EQ(job.palEnd, 256);
    EXPECT_EQ(job.bpp, 16);
    EXPECT_EQ(job.imgFlags, BLK_EXPORT | IMG_COLOR_KEY | (1u << 4) | (2u << 1));
    EXPECT_EQ(job.colorKey, (RgbQuad{1, 2, 3, 0}));
    EXPECT_EQ(job.mapFlags,
              BLK_EXPORT | MAP_SBB | MAP_REDUCE | MAP_PALBANK | (3u << 4) | (2u << 1));
    EXPECT_EQ(job.palFlags, BLK_EXPORT | (2u << 1));
    EXPECT_EQ(job.tileOffset, -7);
    EXPECT_EQ(job.metaWidth, 4);
    EXPECT_EQ(job.metaHeight, 2);
    EXPECT_EQ(job.right, 40);
    EXPECT_EQ(job.bottom, 24);
    ASSERT_TRUE(job.image);
    EXPECT_NE(job.image.get(), picture.get());

    // Unticked groups leave their fields; "flip"/"pal" count only with "reduce".
    v.imgEnabled = false;
    v.reduce = false;
    job.bpp = 2;
    ASSERT_TRUE(TransferToJob(v, "doc.bmp", picture.get(), job));
    EXPECT_EQ(job.bpp, 2);
    EXPECT_EQ(job.imgFlags & BLK_EXPORT, 0u);
    EXPECT_EQ(job.mapFlags & (MAP_REDUCE | MAP_FLIP | MAP_PALBANK), 0u);
}

TEST(ExportDialogTransfer, ValidationAdjustmentsFlowBack) {
    DibPtr picture = Picture(40, 24);
    ExportDialogValues v;
    SetOutputPath(v, "out/a.c");
    v.areaMode = AREA_CUSTOM;
    v.areaLeft = 5;
    v.areaTop = 3;
    v.areaWidth = 13;
    v.areaHeight = 9;
    v.bppIndex = 2;
    v.groupCustom = true;
    v.groupWidth = 0;
    v.groupHeight = 2;
    v.mapEnabled = true;
    v.palStart = 10;
    v.palNum = 256;
    ExportJob job;
    ASSERT_TRUE(TransferToJob(v, "doc.bmp", picture.get(), job));
    ASSERT_EQ(ExportValidate(&job), 1);
    TransferFromJob(job, v);
    EXPECT_EQ(v.areaWidth, 16);
    EXPECT_EQ(v.areaHeight, 16);
    EXPECT_EQ(v.groupWidth, 1);
    EXPECT_EQ(v.palStart, 10);
    EXPECT_EQ(v.palNum, 246);
    EXPECT_TRUE(v.reduce && v.reduceFlip && v.reducePal);
}

TEST(ExportDialogTransfer, OutputPathAndTypeChanges) {
    ExportDialogValues v;
    v.fileType = OUT_KIND_ASM;
    EXPECT_FALSE(SetOutputPath(v, "dir/noext"));
    EXPECT_EQ(v.path, "dir/noext.s");
    EXPECT_TRUE(SetOutputPath(v, "dir\\foo.C"));
    EXPECT_EQ(v.path, "dir/foo.c");
    ChangeOutputType(v, OUT_KIND_GBFS);
    EXPECT_EQ(v.path, "dir/foo.gbfs");
}

}  // namespace
}  // namespace vorlin
