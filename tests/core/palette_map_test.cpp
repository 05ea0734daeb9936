#include "core/palette_map.h"

#include <gtest/gtest.h>

namespace vorlin {
namespace {

constexpr RgbQuad kRed{0, 0, 255, 0}, kGreen{0, 255, 0, 0}, kBlue{255, 0, 0, 0},
    kDarkRed{0, 0, 200, 0}, kGrey{128, 128, 128, 0};

struct Row {
    const char* what;
    int bpp;                          // 8: pixels are indices into `table`; 24: colours
    std::vector<RgbQuad> table;       // the source's colour table (8 bpp)
    std::vector<int> pixels;          // indices into `table` for both depths
    std::vector<RgbQuad> palette;
    bool dither;
    std::vector<int> expected;
};

DibPtr Source(const Row& row) {
    const int width = static_cast<int>(row.pixels.size());
    DibPtr dib(DibCreate(width, 1, row.bpp, nullptr, 1));
    for (int x = 0; x < width; ++x) {
        const RgbQuad c = row.table[row.pixels[x]];
        std::uint8_t* p = DibPictureRow(dib.get(), 0);
        if (row.bpp == 8) {
            p[x] = static_cast<std::uint8_t>(row.pixels[x]);
        } else {
            p[3 * x] = c.rgbBlue;
            p[3 * x + 1] = c.rgbGreen;
            p[3 * x + 2] = c.rgbRed;
        }
    }
    if (row.bpp == 8)
        for (std::size_t i = 0; i < row.table.size(); ++i) DibColors(dib.get())[i] = row.table[i];
    return dib;
}

const Row kRows[] = {
    {"paletted: an entry holding the same colour keeps its index", 8,
     {kGreen, kRed, kBlue, kRed}, {3, 1, 0}, {kBlue, kRed, kGreen, kRed}, false, {3, 1, 2}},
    {"paletted: others take the nearest, the first of equals", 8, {kDarkRed, kGrey}, {0, 1},
     {kGreen, kRed, kRed, kGrey}, false, {1, 3}},
    {"paletted with dither: exact colours stay", 8, {kGrey, kRed}, {0, 1, 1, 0, 1},
     {kBlue, kRed, kGreen}, true, {-1, 1, 1, -1, 1}},
    {"true colour: exact colours take their entry", 24, {kRed, kBlue, kDarkRed}, {0, 1, 2},
     {kBlue, kRed}, false, {1, 0, 1}},
    {"true colour with dither: exact colours stay despite the spread error", 24,
     {kGrey, kRed, kBlue}, {0, 1, 0, 2, 0, 1}, {kBlue, kRed, kGreen}, true,
     {-1, 1, -1, 0, -1, 1}},
};

TEST(DibMapToPalette, ExactColoursKeepTheirEntryOthersTakeTheNearest) {
    for (const Row& row : kRows) {
        const DibPtr src = Source(row);
        const DibPtr mapped(DibMapToPalette(src.get(), row.palette.data(),
                                            static_cast<int>(row.palette.size()), row.dither));
        ASSERT_TRUE(mapped) << row.what;
        EXPECT_EQ(DibBitCount(mapped.get()), 8);
        for (std::size_t i = 0; i < row.palette.size(); ++i)
            EXPECT_EQ(DibColors(mapped.get())[i], row.palette[i]) << row.what;
        EXPECT_EQ(DibColors(mapped.get())[255], (RgbQuad{0, 0, 0, 0})) << row.what;
        for (std::size_t x = 0; x < row.expected.size(); ++x) {
            if (row.expected[x] < 0) continue;  // dithered: any entry
            EXPECT_EQ(DibPictureRow(mapped.get(), 0)[x], row.expected[x]) << row.what << " @" << x;
        }
    }
}

TEST(DibMapToPalette, RefusesAPaletteOutsideOneTo256Colours) {
    const DibPtr src(DibCreate(2, 2, 24, nullptr, 1));
    const RgbQuad palette[1] = {kRed};
    EXPECT_EQ(DibMapToPalette(src.get(), palette, 0, false), nullptr);
    EXPECT_EQ(DibMapToPalette(src.get(), palette, 257, false), nullptr);
    EXPECT_EQ(DibMapToPalette(nullptr, palette, 1, false), nullptr);
}

}  // namespace
}  // namespace vorlin
