#include "palette/palette_sort.h"

#include <gtest/gtest.h>

#include <vector>

#include "palette/palette_permutation.h"

namespace vorlin {
namespace {

RgbQuad Rgb(int r, int g, int b) {
    return RgbQuad{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                   static_cast<std::uint8_t>(r), 0};
}

IndexPixelsView View(const std::vector<std::uint8_t>& bits, int w, int h, std::size_t stride) {
    return IndexPixelsView{bits.data(), w, h, stride};
}

TEST(PaletteSortKeys, HueKeysPutGreysFirstOrderedByBrightness) {
    // At 5 bits per channel, max and min differing only in the low 3 bits count as grey.
    EXPECT_EQ(HueSortKey(Rgb(207, 200, 203), 3), 207);
    EXPECT_GT(HueSortKey(Rgb(208, 207, 207), 3), 65536);
    EXPECT_GT(HueSortKey(Rgb(207, 200, 203), 0), 65536);
    EXPECT_EQ(HueSortKey(Rgb(40, 40, 40), 0), 40);
    // Pure red: H = 0, S = 1: 65536 + 65536 + 255.
    EXPECT_EQ(HueSortKey(Rgb(255, 0, 0), 0), 65536 + 65536 + 255);
    // Pure blue: H = 240.
    EXPECT_EQ(HueSortKey(Rgb(0, 0, 255), 0), 241 * 65536 + 65536 + 255);
    // Magenta-ish: G − B negative pushes H below 0, wrapped to 300 + …
    EXPECT_GT(HueSortKey(Rgb(255, 0, 128), 0), 300 * 65536);

    std::vector<RgbQuad> pal(256, Rgb(0, 0, 0));
    pal[0] = Rgb(0, 200, 0);
    pal[1] = Rgb(90, 90, 90);
    pal[2] = Rgb(30, 30, 30);
    pal[3] = Rgb(250, 250, 250);
    const auto keys = PaletteSortKeys(pal.data(), 0, 3, PaletteSortKey::Hue, true, 0, {});
    EXPECT_EQ(StableKeyOrder(keys), (std::vector<int>{2, 1, 3, 0}));
}

TEST(PaletteSortKeys, PopulationAndAppearanceCountOnlyVisiblePixels) {
    // 3 x 2 picture with a padding byte per row that must not count.
    const std::vector<std::uint8_t> bits = {5, 7, 7, 5, 7, 6, 7, 5};
    const auto view = View(bits, 3, 2, 4);
    std::vector<RgbQuad> pal(256, Rgb(0, 0, 0));
    const auto pop = PaletteSortKeys(pal.data(), 4, 7, PaletteSortKey::Population, true, 0, view);
    EXPECT_EQ(pop, (std::vector<std::int64_t>{0, 1, 1, 4}));
    const auto seen = PaletteSortKeys(pal.data(), 4, 7, PaletteSortKey::Appearance, true, 0, view);
    EXPECT_EQ(seen, (std::vector<std::int64_t>{0, 4, 2, 3}));
    const auto desc = PaletteSortKeys(pal.data(), 4, 7, PaletteSortKey::Appearance, false, 0, view);
    EXPECT_EQ(StableKeyOrder(desc), (std::vector<int>{1, 3, 2, 0}));
}

TEST(PaletteSortKeys, DescendingBrightnessIsStableAndBuildsTheMoves) {
    std::vector<RgbQuad> pal(256, Rgb(0, 0, 0));
    pal[10] = Rgb(10, 0, 0);
    pal[11] = Rgb(0, 99, 0);
    pal[12] = Rgb(0, 0, 10);  // same brightness as entry 10: keeps its place after it
    const auto keys = PaletteSortKeys(pal.data(), 10, 12, PaletteSortKey::Brightness, false, 0, {});
    const auto order = StableKeyOrder(keys);
    EXPECT_EQ(order, (std::vector<int>{1, 0, 2}));
    const auto moves = SortedRangePermutation(10, order);
    EXPECT_EQ(moves.from, (std::vector<std::uint8_t>{11, 10, 12}));
    EXPECT_EQ(moves.to, (std::vector<std::uint8_t>{10, 11, 12}));
    EXPECT_TRUE(PaletteSortKeys(pal.data(), 12, 10, PaletteSortKey::Hue, true, 0, {}).empty());
}

TEST(PaletteSwapBlocks, ApartOverlappingAndClipped) {
    int count = 4;
    auto p = SwapBlocksPermutation(10, 12, count);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(p.from, (std::vector<std::uint8_t>{10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(p.to, (std::vector<std::uint8_t>{12, 13, 14, 15, 10, 11}));

    count = 2;
    p = SwapBlocksPermutation(40, 3, count);
    EXPECT_EQ(p.from, (std::vector<std::uint8_t>{3, 4, 40, 41}));
    EXPECT_EQ(p.to, (std::vector<std::uint8_t>{40, 41, 3, 4}));

    count = 10;
    p = SwapBlocksPermutation(0, 250, count);
    EXPECT_EQ(count, 6);
    EXPECT_EQ(p.Count(), 12);
    EXPECT_EQ(p.from.back(), 255);

    count = 3;
    p = SwapBlocksPermutation(7, 7, count);
    EXPECT_EQ(p.from, p.to);
    EXPECT_EQ(p.Count(), 3);
}

}  // namespace
}  // namespace vorlin
