// The console check: the tiles it marks on known pictures, that its texts and
// counts are the export's own, and that updating it tile by tile after any
// edit gives what examining the whole picture again gives.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "export/console_check.h"
#include "export/export_preview.h"
#include "support/rule_picture.h"

namespace vorlin {
namespace {

using testing::PixelRule;
using testing::RulePicture;

// Tile n (in rows of `across`) gets its own pattern of colours 1-15 in its first
// row; tiles from `blankFrom` on, and tile 0, stay blank.
PixelRule Numbered(int across, int blankFrom) {
    return [=](int x, int y) {
        const int n = (y / 8) * across + x / 8;
        if (n == 0 || n >= blankFrom || y % 8 != 0 || x % 8 > 2) return 0;
        const int digit = x % 8 == 0 ? n % 15 : x % 8 == 1 ? n / 15 % 15 : n / 225;
        return 1 + digit;
    };
}

// One pixel of colour `c` in tile (tx, ty), colour 1 everywhere else.
PixelRule OnePixel(int tx, int ty, int c) {
    return [=](int x, int y) { return x == tx * 8 + 3 && y == ty * 8 + 5 ? c : 1; };
}

struct Settings {
    int bpp = 4;
    bool mapped = true;
    std::uint32_t mapFlags = MAP_REDUCE | MAP_FLIP | MAP_PALBANK;
    int palStart = 0, palEnd = 256;
    int tileOffset = 0;
    int charBlock = 0;
};

ExportJobPtr Job(PackedDib picture, const Settings& s) {
    ExportJobPtr job(ExportJobNew());
    job->right = DibWidth(picture);
    job->bottom = DibHeight(picture);
    job->image.reset(DibDuplicate(picture));
    job->outFlags = OUT_CONVERT_ONLY;
    job->palFlags = BLK_EXPORT;
    job->palStart = s.palStart;
    job->palEnd = s.palEnd;
    job->imgFlags = BLK_EXPORT;
    job->bpp = s.bpp;
    if (s.mapped) job->mapFlags = s.mapFlags | BLK_EXPORT;
    job->tileOffset = s.tileOffset;
    EXPECT_EQ(ExportValidate(job.get()), 1);
    return job;
}

VramPlacement Placement(const Settings& s) {
    return {s.charBlock, 28};
}

// The check of `picture` under the settings, and the job they make.
ConsoleCheck Checked(PackedDib picture, const Settings& s, ExportJobPtr& job) {
    job = Job(picture, s);
    ConsoleCheck check;
    check.Reset(CheckRulesOf(*job, Placement(s)), RowsOf(picture));
    return check;
}

struct Mark {
    int column, row;
    std::uint8_t marks;
    bool operator==(const Mark&) const = default;
};

std::vector<Mark> Marks(const ConsoleCheck& check) {
    std::vector<Mark> marks;
    for (int row = 0; row < check.Rules().down; ++row)
        for (int column = 0; column < check.Rules().across; ++column)
            if (const std::uint8_t m = check.MarksAt(column, row)) marks.push_back({column, row, m});
    return marks;
}

struct MarkCase {
    const char* name;
    int width, height;
    PixelRule picture;
    Settings setup;
    std::vector<Mark> marks;
    int graphicsTiles;
    bool limitPassed;
};

TEST(ConsoleCheck, MarksTheTilesThatBreakARule) {
    const std::uint32_t affine = MAP_REDUCE | MAP_AFFINE;
    const MarkCase cases[] = {
        {"clean 4bpp", 32, 16, OnePixel(1, 1, 2), {}, {}, 3, false},
        // 17 and 1 are one tile to a reduction with banks.
        {"mixed banks", 32, 16, OnePixel(2, 1, 17), {}, {{2, 1, kMarkMixedBanks}}, 2, false},
        {"17 colours in a tile", 16, 8, [](int x, int y) { return x < 8 ? (y * 8 + x) % 17 + 1 : 0; },
         {}, {{0, 0, kMarkMixedBanks | kMarkBankColourZero}}, 2, false},  // 16 is bank 1's colour 0
        {"bank colour 0", 32, 16, OnePixel(3, 0, 48), {}, {{3, 0, kMarkBankColourZero}}, 3, false},
        {"bank colour 0 is fine at 8 bpp", 32, 16, OnePixel(3, 0, 48), {.bpp = 8}, {}, 3, false},
        {"colour outside the palette", 32, 16, OnePixel(0, 1, 20), {.bpp = 8, .palEnd = 16},
         {{0, 1, kMarkOutsidePalette}}, 3, false},
        {"tile 1025 of 1025", 41 * 8, 25 * 8, Numbered(41, 1025), {},
         {{40, 24, kMarkPastLimit}}, 1025, true},
        {"1024 distinct fit", 41 * 8, 25 * 8, Numbered(41, 1024), {}, {}, 1024, false},
        {"affine 257", 32 * 8, 32 * 8, Numbered(32, 257), {.bpp = 8, .mapFlags = affine},
         {{0, 8, kMarkPastLimit}}, 257, true},
        {"no reduction: every tile counts", 33 * 8, 32 * 8, [](int, int) { return 0; },
         {.mapFlags = 0}, [] {
             std::vector<Mark> m;
             for (int n = 1024; n < 33 * 32; ++n) m.push_back({n % 33, n / 33, kMarkPastLimit});
             return m;
         }(), 1056, true},
        {"tile offset wraps", 48, 8, Numbered(6, 6), {.tileOffset = 1020},
         {{4, 0, kMarkPastLimit}, {5, 0, kMarkPastLimit}}, 6, true},
        {"past video memory", 24 * 8, 16 * 8, Numbered(24, 300),
         {.bpp = 8, .mapFlags = MAP_REDUCE, .charBlock = 3}, [] {
             std::vector<Mark> m;
             for (int n = 256; n < 300; ++n) m.push_back({n % 24, n / 24, kMarkPastLimit});
             return m;
         }(), 300, true},
        {"without a map no tile limit", 41 * 8, 25 * 8, Numbered(41, 1025), {.mapped = false}, {},
         1025, false},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.name);
        DibPtr picture = RulePicture(c.width, c.height, c.picture);
        ExportJobPtr job;
        const ConsoleCheck check = Checked(picture.get(), c.setup, job);
        EXPECT_EQ(Marks(check), c.marks);
        EXPECT_EQ(check.Figures().graphicsTiles, c.graphicsTiles);
        EXPECT_EQ(check.Figures().limitPassed, c.limitPassed);
        EXPECT_EQ(check.Figures().brokenTiles, static_cast<int>(c.marks.size()));
    }
}

// Every warning the export gives about a tile is one of the check's problems
// for that tile, word for word, and the check counts the tiles the export keeps.
TEST(ConsoleCheck, SpeaksWithTheExportWarningsWords) {
    const struct {
        const char* name;
        int width, height;
        PixelRule picture;
        Settings setup;
    } cases[] = {
        {"mixed banks", 32, 16, OnePixel(2, 1, 17), {}},
        {"palette range", 32, 16, OnePixel(1, 0, 40), {.bpp = 8, .palEnd = 32}},
        {"tile limit", 41 * 8, 25 * 8, Numbered(41, 1025), {}},
        {"tile offset", 48, 8, Numbered(6, 6), {.tileOffset = 1020}},
        {"affine", 32 * 8, 32 * 8, Numbered(32, 300), {.bpp = 8, .mapFlags = MAP_REDUCE | MAP_AFFINE}},
        {"video memory", 24 * 8, 16 * 8, Numbered(24, 300),
         {.bpp = 8, .mapFlags = MAP_REDUCE, .charBlock = 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DibPtr picture = RulePicture(c.width, c.height, c.picture);
        ExportJobPtr job;
        const ConsoleCheck check = Checked(picture.get(), c.setup, job);
        ASSERT_EQ(ExportConvert(job.get()), 1);
        const ExportPreview preview = PreviewExport(*job, Placement(c.setup));
        ASSERT_TRUE(preview.ok);
        EXPECT_EQ(check.Figures().graphicsTiles, preview.stats.graphicsTiles);
        ASSERT_FALSE(preview.warnings.empty());
        for (const ExportWarning& w : preview.warnings) {
            if (w.text.starts_with("tiles and map overlap")) continue;  // not a tile's fault
            const std::vector<std::string> problems = check.ProblemsAt(RowsOf(picture.get()), w.x, w.y);
            EXPECT_NE(std::find(problems.begin(), problems.end(), w.text), problems.end())
                << WarningLine(w);
        }
    }
}

// Edits that make and unmake duplicates, mix banks and leave the palette: a
// pixel, a rectangle, or one tile copied over another.
void RandomEdit(std::mt19937& random, DibPtr& picture, ConsoleCheck& check) {
    const int width = DibWidth(picture.get()), height = DibHeight(picture.get());
    static const int colours[] = {0, 1, 2, 3, 17, 18, 32, 5, 40, 0, 1};
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    // Past a limit mostly copies, which bring the distinct tiles down again.
    const int kind = check.Figures().limitPassed && pick(4) ? 2 : pick(3);
    int x0 = pick(width), y0 = pick(height), x1 = x0 + 1, y1 = y0 + 1;
    if (kind == 0) {
        DibPictureRow(picture.get(), y0)[x0] = static_cast<std::uint8_t>(colours[pick(11)]);
    } else if (kind == 1) {
        x1 = std::min(width, x0 + 1 + pick(12));
        y1 = std::min(height, y0 + 1 + pick(12));
        const auto c = static_cast<std::uint8_t>(colours[pick(11)]);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) DibPictureRow(picture.get(), y)[x] = c;
    } else {
        const int sx = pick(width / 8) * 8, sy = pick(height / 8) * 8;
        x0 = pick(width / 8) * 8, y0 = pick(height / 8) * 8, x1 = x0 + 8, y1 = y0 + 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                DibPictureRow(picture.get(), y0 + y)[x0 + x] =
                    DibPictureRow(picture.get(), sy + y)[sx + x];
    }
    check.Update(RowsOf(picture.get()), x0, y0, x1, y1);
}

TEST(ConsoleCheck, UpdatesAgreeWithAFreshLook) {
    // `distinct` tiles to start with; limits near it make edits cross them both ways.
    const struct {
        const char* name;
        int width, height, distinct;
        Settings setup;
        bool crossesLimit;
    } cases[] = {
        {"4bpp flips and banks near a wrap", 64, 48, 20, {.palEnd = 32, .tileOffset = 1004}, true},
        {"4bpp plain reduction", 64, 48, 24, {.mapFlags = MAP_REDUCE, .tileOffset = 1000}, true},
        {"affine", 136, 128, 258, {.bpp = 8, .mapFlags = MAP_REDUCE | MAP_AFFINE}, true},
        {"8bpp banks keep whole indices", 64, 48, 20, {.bpp = 8, .tileOffset = 1004}, true},
        {"no reduction", 64, 48, 48, {.mapFlags = 0, .tileOffset = 1010}, false},
        {"graphics only", 64, 48, 48, {.mapped = false, .palStart = 1, .palEnd = 18}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(2028);
        DibPtr picture = RulePicture(c.width, c.height, Numbered(c.width / 8, c.distinct));
        ExportJobPtr job = Job(picture.get(), c.setup);
        const CheckRules rules = CheckRulesOf(*job, VramPlacement{});
        ConsoleCheck live;
        live.Reset(rules, RowsOf(picture.get()));
        bool seen[2] = {false, false};
        for (int step = 0; step < 300; ++step) {
            RandomEdit(random, picture, live);
            SCOPED_TRACE(step);
            ConsoleCheck fresh;
            fresh.Reset(rules, RowsOf(picture.get()));
            ASSERT_EQ(Marks(live), Marks(fresh));
            ASSERT_EQ(CheckFiguresText(live.Figures(), rules),
                      CheckFiguresText(fresh.Figures(), rules));
            ASSERT_EQ(live.Figures().brokenTiles, fresh.Figures().brokenTiles);
            ASSERT_EQ(live.Figures().limitPassed, fresh.Figures().limitPassed);
            seen[live.Figures().limitPassed] = true;
        }
        if (c.crossesLimit) {
            EXPECT_TRUE(seen[0] && seen[1]);
        }
        if (!c.setup.mapped) continue;
        ExportJobPtr exported = Job(picture.get(), c.setup);
        ASSERT_EQ(ExportConvert(exported.get()), 1);
        const ExportPreview preview = PreviewExport(*exported, VramPlacement{});
        EXPECT_EQ(live.Figures().graphicsTiles, preview.stats.graphicsTiles);
    }
}

TEST(ConsoleCheck, FiguresReadAsThePaneShowsThem) {
    const struct {
        CheckFigures figures;
        bool bitmap, fourBpp;
        const char* text;
    } cases[] = {
        {{812, 1024, 5, 812 * 32, 32768, 0, false}, false, true, "tiles 812/1024 · banks 5 · 25.4 of 32 KB"},
        {{40, 0, 0, 40 * 64, 65536, 0, false}, false, false, "tiles 40 · 2.5 of 64 KB"},
        {{0, 0, 0, 38400, 81920, 0, false}, true, false, "bitmap · 37.5 of 80 KB"},
        {{300, 256, 0, 300 * 64, 16384, 0, true}, false, false, "tiles 300/256 · 18.8 of 16 KB"},
    };
    for (const auto& c : cases) {
        CheckRules rules;
        rules.bitmap = c.bitmap;
        rules.fourBpp = c.fourBpp;
        EXPECT_EQ(CheckFiguresText(c.figures, rules), c.text);
    }
}

}  // namespace
}  // namespace vorlin
