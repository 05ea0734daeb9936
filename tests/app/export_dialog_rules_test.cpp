#include "app/export_dialog_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "export/export_job.h"

namespace vorlin {
namespace {

const ExportPictureInfo kPicture{256, 40, 24};

std::vector<std::string> SummaryLines(const ExportDialogValues& v,
                                      const ExportPictureInfo& picture = kPicture) {
    std::istringstream text(ExportDialogSummary(v, picture));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

ExportDialogValues WithPath(const std::string& path) {
    ExportDialogValues v;
    SetOutputPath(v, path);
    return v;
}

TEST(ExportDialogSummary, DefaultsGiveSixLines) {
    const auto lines = SummaryLines(WithPath("out/hero.c"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "pal: 0-256 [256]");
    EXPECT_EQ(lines[1], "img: tile, 8bpp, cprs: none");
    EXPECT_EQ(lines[2], "area: (0,0)-(40,24)   [40, 24]");
    EXPECT_EQ(lines[3], "meta: 1x1 tiles (8x8 px)");
    EXPECT_EQ(lines[4], "map: -");
    EXPECT_EQ(lines[5], "files:  hero.h   hero.c   ");
}

TEST(ExportDialogSummary, PaletteCountIsLoweredToTheTableEnd) {
    ExportDialogValues v = WithPath("a.c");
    v.palStart = 250;
    v.palNum = 256;
    EXPECT_EQ(SummaryLines(v)[0], "pal: 250-256 [6]");
    v.palNum = 3;
    EXPECT_EQ(SummaryLines(v)[0], "pal: 250-253 [3]");
    v.palEnabled = false;
    EXPECT_EQ(SummaryLines(v)[0], "pal: -");
}

TEST(ExportDialogSummary, BitmapHasNeitherGroupNorMap) {
    ExportDialogValues v = WithPath("a.c");
    v.imgBitmap = true;
    v.mapEnabled = true;
    v.bppIndex = 4;
    v.imgCompression = BLK_CPRS_HUFF;
    const auto lines = SummaryLines(v);
    EXPECT_EQ(lines[1], "img: bm, 16bpp, cprs: huff");
    EXPECT_EQ(lines[3], "obj: -");
    EXPECT_EQ(lines[4], "map: -");
}

TEST(ExportDialogSummary, MapAreaAndGroupLines) {
    ExportDialogValues v = WithPath("a.c");
    v.mapEnabled = true;
    v.tileOffset = 12;
    EXPECT_EQ(SummaryLines(v)[4], "map: flat, +12 reduced [tfp]");
    v.mapLayout = MAP_LAYOUT_SBB;
    v.reducePal = false;
    EXPECT_EQ(SummaryLines(v)[4], "map: in SBBs, +12 reduced [tf]");
    v.mapLayout = MAP_LAYOUT_AFFINE;
    v.reduce = false;
    EXPECT_EQ(SummaryLines(v)[4], "map: affine, +12 ");

    v.groupShape = 2;  // tall
    v.groupSize = 3;   // 8
    EXPECT_EQ(SummaryLines(v)[3], "meta: 4x8 tiles (32x64 px)");
    v.groupCustom = true;
    v.groupWidth = 3;
    v.groupHeight = 0;
    EXPECT_EQ(SummaryLines(v)[3], "meta: 3x0 tiles (24x0 px)");

    v.areaMode = AREA_CUSTOM;
    v.areaLeft = 5;
    v.areaTop = -3;
    v.areaWidth = 13;
    v.areaHeight = 9;
    EXPECT_EQ(SummaryLines(v)[2], "area: (5,-3)-(18,6)   [13, 9]");
    v.areaLeft = 2147483647;  // shown without wrapping around
    EXPECT_EQ(SummaryLines(v)[2], "area: (2147483647,-3)-(2147483660,6)   [13, 9]");
    v.imgEnabled = false;
    EXPECT_NE(SummaryLines(v)[2], "area: -");  // the map still uses the area
    v.mapEnabled = false;
    EXPECT_EQ(SummaryLines(v)[2], "area: -");
    EXPECT_EQ(SummaryLines(v)[1], "img: -");
}

TEST(ExportDialogSummary, FilesFollowTypeAndBlocks) {
    ExportDialogValues v = WithPath("out/sprites.img.bin");
    v.mapEnabled = true;
    EXPECT_EQ(SummaryLines(v)[5],
              "files:  sprites.h   sprites.pal.bin   sprites.img.bin   "
              "sprites.map.bin   ");
    v.imgBitmap = true;  // a bitmap has no map file
    v.header = false;
    EXPECT_EQ(SummaryLines(v)[5], "files:  sprites.pal.bin   sprites.img.bin   ");
    ChangeOutputType(v, OUT_KIND_ASM);
    EXPECT_EQ(SummaryLines(v)[5], "files:  sprites.s   ");
    ChangeOutputType(v, OUT_KIND_GBFS);
    EXPECT_EQ(SummaryLines(v)[5], "files:  sprites.gbfs   ");
}

TEST(ExportDialogPath, TypedPathsAreReadLikeProposedOnes) {
    const struct {
        const char* typed;
        int typeBefore;
        const char* folder;
        const char* title;
        int type;
    } cases[] = {
        {"other\\dir/level.map.c", OUT_KIND_ASM, "other/dir", "level.map", OUT_KIND_C},
        {"hero.img.bin", OUT_KIND_C, "/pics", "hero", OUT_KIND_BIN},
        {"out/hero.s", OUT_KIND_C, "out", "hero", OUT_KIND_ASM},
        {"out/Hero.GBFS", OUT_KIND_C, "out", "Hero", OUT_KIND_GBFS},
        {"bare", OUT_KIND_GBFS, "/pics", "bare", OUT_KIND_GBFS},  // no extension: type stays
        {"out/x.txt", OUT_KIND_BIN, "out", "x", OUT_KIND_BIN},
        {"/root.c", OUT_KIND_C, "/", "root", OUT_KIND_C},
    };
    for (const auto& c : cases) {
        ExportDialogValues v;
        v.documentFolder = "/pics";
        v.fileType = c.typeBefore;
        v.path = c.typed;
        ParsePathBox(v);
        EXPECT_EQ(v.folder, c.folder) << c.typed;
        EXPECT_EQ(v.title, c.title) << c.typed;
        EXPECT_EQ(v.fileType, c.type) << c.typed;
        EXPECT_EQ(v.path, c.typed) << "the box is left as typed";
        EXPECT_EQ(v.name, c.title) << "an unused name box shows the title";
    }
}

TEST(ExportDialogPath, BareNameKeepsTheDocumentFolderWhenTheTypeChanges) {
    ExportDialogValues v;
    v.documentFolder = DocumentFolder("", "/work/here");  // a picture never saved
    v.path = "foo.c";
    ChangeOutputType(v, OUT_KIND_ASM);
    EXPECT_EQ(v.path, "/work/here/foo.s");
    EXPECT_EQ(DocumentFolder("C:\\art\\hero.pcx", "/cwd"), "C:/art");
    EXPECT_EQ(DocumentFolder("hero.pcx", "/cwd"), "/cwd");

    v.useName = true;
    v.name = "mine";
    SetOutputPath(v, "/a/other.c");
    EXPECT_EQ(v.name, "mine") << "a name in use is kept";
}

TEST(ExportDialogPath, OutputFilesOfEveryKind) {
    const struct {
        int type;
        bool map, bitmap;
        int groupSize;  // preset index: 0 is 1 x 1, 1 is 2 x 2
        const char* files;
    } cases[] = {
        {OUT_KIND_C, true, false, 1, "/o/s.h /o/s.c"},
        {OUT_KIND_ASM, false, false, 0, "/o/s.h /o/s.s"},
        {OUT_KIND_GBFS, true, false, 1, "/o/s.h /o/s.gbfs"},
        {OUT_KIND_BIN, false, false, 1, "/o/s.h /o/s.pal.bin /o/s.img.bin"},
        {OUT_KIND_BIN, true, false, 0, "/o/s.h /o/s.pal.bin /o/s.img.bin /o/s.map.bin"},
        {OUT_KIND_BIN, true, false, 1,
         "/o/s.h /o/s.pal.bin /o/s.img.bin /o/s.map.bin /o/s.meta.bin"},
        {OUT_KIND_BIN, true, true, 1, "/o/s.h /o/s.pal.bin /o/s.img.bin"},
    };
    for (const auto& c : cases) {
        ExportDialogValues v = WithPath("/o/s.c");
        ChangeOutputType(v, c.type);
        v.mapEnabled = c.map;
        v.imgBitmap = c.bitmap;
        v.groupSize = c.groupSize;
        std::string files;
        for (const std::string& f : ExportOutputFiles(v)) files += (files.empty() ? "" : " ") + f;
        EXPECT_EQ(files, c.files) << c.type << " " << c.map << c.bitmap << c.groupSize;
    }
    EXPECT_EQ(ReplaceOutputsQuestion({"/o/s.pal.bin", "/o/s.h"}),
              "These files exist and will be replaced:\n/o/s.pal.bin\n/o/s.h\nReplace?");
}

TEST(ExportDialogEnables, FollowTheChoices) {
    ExportDialogValues v;
    ExportDialogEnables e = ExportDialogEnableRules(v);
    EXPECT_TRUE(e.palRange && e.imageOptions && e.mapCheck && e.groupCustom && e.groupPresets);
    EXPECT_FALSE(e.mapOptions || e.reduceOptions || e.groupSize || e.areaFields || e.nameBox);

    v.mapEnabled = true;
    e = ExportDialogEnableRules(v);
    EXPECT_TRUE(e.mapOptions && e.reduceOptions);
    v.reduce = false;  // "pal" and "flip" grey out but keep their ticks
    e = ExportDialogEnableRules(v);
    EXPECT_TRUE(e.mapOptions);
    EXPECT_FALSE(e.reduceOptions);
    EXPECT_TRUE(v.reducePal && v.reduceFlip);

    v.groupCustom = true;
    e = ExportDialogEnableRules(v);
    EXPECT_TRUE(e.groupSize);
    EXPECT_FALSE(e.groupPresets);

    v.reduce = true;
    v.imgBitmap = true;  // a bitmap greys out the whole map and tile groups
    e = ExportDialogEnableRules(v);
    EXPECT_FALSE(e.mapCheck || e.mapOptions || e.reduceOptions || e.groupCustom || e.groupPresets ||
                 e.groupSize);
    EXPECT_TRUE(e.imageOptions);

    v.palEnabled = v.imgEnabled = false;
    v.areaMode = AREA_CUSTOM;
    v.useName = true;
    e = ExportDialogEnableRules(v);
    EXPECT_FALSE(e.palRange || e.imageOptions);
    EXPECT_TRUE(e.areaFields && e.nameBox);
}

TEST(ExportDialogOpening, AdjustsPaletteAreaAndName) {
    ExportDialogValues v = WithPath("out/level.c");
    v.palStart = 10;
    v.palNum = 256;
    v.name = "old";
    ApplyOpeningAdjustments(v, kPicture);
    EXPECT_EQ(v.palStart, 0);
    EXPECT_EQ(v.palNum, 256);
    EXPECT_EQ(v.areaWidth, 40);
    EXPECT_EQ(v.areaHeight, 24);
    EXPECT_EQ(v.name, "level");

    // A range that fits, a custom area and a chosen name stay.
    v.palStart = 10;
    v.palNum = 200;
    v.areaMode = AREA_CUSTOM;
    v.areaLeft = 4;
    v.areaWidth = 8;
    v.useName = true;
    v.name = "mine";
    ApplyOpeningAdjustments(v, ExportPictureInfo{16, 64, 64});  // 16 colours: range too long
    EXPECT_EQ(v.palStart, 0);
    EXPECT_EQ(v.palNum, 16);
    EXPECT_EQ(v.areaLeft, 4);
    EXPECT_EQ(v.areaWidth, 8);
    EXPECT_EQ(v.name, "mine");
    v.palStart = 2;
    v.palNum = 14;
    ApplyOpeningAdjustments(v, ExportPictureInfo{16, 64, 64});
    EXPECT_EQ(v.palStart, 2);
    EXPECT_EQ(v.palNum, 14);
}

TEST(ExportDialogOpening, SixteenBppWithMapValidatesAsBitmap) {
    DibPtr picture(DibCreate(16, 16, 8, nullptr, 1));
    ASSERT_TRUE(picture);
    std::memset(DibPixels(picture.get()), 0, DibHeader(picture.get())->biSizeImage);
    ExportDialogValues v = WithPath("out/big.c");
    v.bppIndex = 4;
    v.mapEnabled = true;
    ExportJob job;
    ASSERT_TRUE(TransferToJob(v, "doc.bmp", picture.get(), job));
    ASSERT_EQ(ExportValidate(&job), 1);
    EXPECT_EQ(job.bpp, 16);
    EXPECT_NE(job.imgFlags & IMG_BITMAP, 0u);
    EXPECT_EQ(job.mapFlags, 0u);
    EXPECT_EQ(job.palFlags, 0u);
}

// Dialog values through the transfer, validation and back: every change validation makes
// to a control in use is listed for the question, and nothing else is.
TEST(ExportDialogValidation, ListsTheAlterationsOfControlsInUse) {
    DibPtr picture(DibCreate(40, 24, 8, nullptr, 1));
    ASSERT_TRUE(picture);
    std::memset(DibPixels(picture.get()), 0, DibHeader(picture.get())->biSizeImage);
    const struct {
        const char* name;
        void (*set)(ExportDialogValues&);
        std::vector<std::string> lines;
    } rows[] = {
        {"defaults", [](ExportDialogValues&) {}, {}},
        {"whole tiles",
         [](ExportDialogValues& v) {
             v.areaMode = AREA_CUSTOM;
             v.areaLeft = 5, v.areaTop = 3, v.areaWidth = 13, v.areaHeight = 9;
         },
         {"width: 13 -> 16", "height: 9 -> 16"}},
        {"bitmap keeps its area",
         [](ExportDialogValues& v) {
             v.imgBitmap = true;
             v.areaMode = AREA_CUSTOM;
             v.areaWidth = 13;
         },
         {}},
        {"palette end",
         [](ExportDialogValues& v) { v.palStart = 200, v.palNum = 100; },
         {"num: 100 -> 56"}},
        {"palette off",
         [](ExportDialogValues& v) {
             v.palEnabled = false;
             v.palStart = 200, v.palNum = 100;
         },
         {}},
        {"group of 0",
         [](ExportDialogValues& v) { v.groupCustom = true, v.groupWidth = 0; },
         {"nx: 0 -> 1"}},
        {"16 bpp",
         [](ExportDialogValues& v) {
             v.bppIndex = 4;
             v.mapEnabled = true;
             v.mapLayout = MAP_LAYOUT_SBB;
         },
         {"bitmap: off -> on", "map: in SBBs -> flat"}},
        {"binary append",
         [](ExportDialogValues& v) {
             v.fileType = OUT_KIND_BIN;
             v.append = true;
         },
         {"append: on -> off"}},
    };
    for (const auto& row : rows) {
        ExportDialogValues v = WithPath("out/hero.c");
        ApplyOpeningAdjustments(v, kPicture);
        row.set(v);
        ExportJob job;
        ASSERT_TRUE(TransferToJob(v, "doc.bmp", picture.get(), job));
        ASSERT_EQ(ExportValidate(&job), 1) << row.name;
        ExportDialogValues adjusted = v;
        TransferFromJob(job, adjusted);
        EXPECT_EQ(ValidationAlterations(v, adjusted), row.lines) << row.name;
    }
    EXPECT_EQ(ValidationQuestion({"width: 13 -> 16"}),
              std::string(kValidationQuestion) + "\nwidth: 13 -> 16");
}

// A box the range check refuses shows its range in its summary line, not a stale value.
TEST(ExportDialogSummary, RefusedBoxesShowTheirRange) {
    ExportDialogValues v = WithPath("out/hero.c");
    v.mapEnabled = true;
    const struct {
        int box;
        std::size_t line;
        const char* text;
    } rows[] = {
        {BOX_START, 0, "pal: ? (start: 0 to 255)"},    {BOX_NUM, 0, "pal: ? (num: 0 to 256)"},
        {BOX_WIDTH, 2, "area: ? (width: 1 to 65536)"}, {BOX_LEFT, 2, "area: ? (left: 0 to 39)"},
        {BOX_TOP, 2, "area: ? (top: 0 to 23)"},        {BOX_GROUP_Y, 3, "meta: ? (ny: 0 to 256)"},
        {BOX_OFFSET, 4, "map: ? (ofs: an integer)"},
    };
    for (const auto& row : rows) {
        std::istringstream text(ExportDialogSummary(v, kPicture, 1u << row.box));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(lines[row.line], row.text);
        EXPECT_EQ(lines[1], "img: tile, 8bpp, cprs: none");
    }
}

}  // namespace
}  // namespace vorlin
