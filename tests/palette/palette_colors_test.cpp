#include "palette/palette_colors.h"

#include <gtest/gtest.h>

#include <vector>

#include "palette/hue_turn.h"

namespace vorlin {
namespace {

RgbQuad Rgb(int r, int g, int b, int reserved = 0) {
    return RgbQuad{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                   static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(reserved)};
}

TEST(PaletteGradient, TruncatingRampKeepsEndsAndReservedBytes) {
    std::vector<RgbQuad> pal(256, Rgb(0, 0, 0));
    pal[0] = Rgb(0, 0, 0, 9);
    pal[2] = Rgb(1, 2, 3, 7);
    pal[4] = Rgb(255, 0, 0, 5);
    const auto out = GradientEntries(pal.data(), 4, 0);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], pal[0]);
    EXPECT_EQ(out[1], Rgb(63, 0, 0));
    EXPECT_EQ(out[2], Rgb(127, 0, 0, 7));
    EXPECT_EQ(out[3], Rgb(191, 0, 0));
    // Falling ramps truncate toward zero, not downwards.
    pal[10] = Rgb(200, 0, 0);
    pal[13] = Rgb(0, 0, 0);
    const auto down = GradientEntries(pal.data(), 10, 13);
    EXPECT_EQ(down[1].rgbRed, 134);  // 200 + (−200 / 3) = 200 − 66
    EXPECT_EQ(down[2].rgbRed, 67);   // 200 + (−400 / 3) = 200 − 133
    EXPECT_TRUE(GradientEntries(pal.data(), 5, 5).empty());
}

TEST(PaletteInvert, MasksLowBitsAndZeroesReserved) {
    std::vector<RgbQuad> pal(256, Rgb(0, 0, 0, 3));
    pal[1] = Rgb(255, 0, 100, 3);
    const auto five = InvertedEntries(pal.data(), 1, 0, 3);
    ASSERT_EQ(five.size(), 2u);
    EXPECT_EQ(five[0], Rgb(248, 248, 248));
    EXPECT_EQ(five[1], Rgb(0, 248, 152));
    const auto eight = InvertedEntries(pal.data(), 1, 1, 0);
    EXPECT_EQ(eight[0], Rgb(0, 255, 155));
}

TEST(PaletteCopy, CountClippedToBothEnds) {
    EXPECT_EQ(ClippedCopyCount(250, 0, 20), 6);
    EXPECT_EQ(ClippedCopyCount(0, 251, 20), 5);
    EXPECT_EQ(ClippedCopyCount(3, 4, 20), 20);
}

TEST(PaletteHueTurn, HuesOfPrimariesAndGreys) {
    EXPECT_DOUBLE_EQ(*ColorHue(Rgb(255, 0, 0)), 0);
    EXPECT_DOUBLE_EQ(*ColorHue(Rgb(0, 255, 0)), 120);
    EXPECT_DOUBLE_EQ(*ColorHue(Rgb(0, 0, 255)), 240);
    EXPECT_DOUBLE_EQ(*ColorHue(Rgb(255, 0, 255)), 300);
    EXPECT_FALSE(ColorHue(Rgb(80, 80, 80)).has_value());
    EXPECT_FALSE(ColorHue(Rgb(0, 0, 0)).has_value());
}

TEST(PaletteHueTurn, TurnsByTheFirstColouredEntryAndKeepsGreys) {
    std::vector<RgbQuad> colors = {Rgb(50, 50, 50, 4), Rgb(255, 0, 0, 1), Rgb(0, 255, 0, 2)};
    TurnHues(colors, Rgb(0, 0, 255));  // red → blue: a turn of 240°
    EXPECT_EQ(colors[0], Rgb(50, 50, 50, 4));
    // Components are stored as trunc(c × 256) of c = 255/256.
    EXPECT_EQ(colors[1], Rgb(0, 0, 255, 1));
    EXPECT_EQ(colors[2], Rgb(255, 0, 0, 2));  // 120° + 240° wraps to 0°

    std::vector<RgbQuad> half = {Rgb(200, 100, 100)};
    TurnHues(half, Rgb(0, 200, 0));
    EXPECT_EQ(half[0], Rgb(100, 200, 100));

    std::vector<RgbQuad> same = {Rgb(255, 0, 0)};
    TurnHues(same, Rgb(128, 128, 128));  // grey reference: no turn
    EXPECT_EQ(same[0], Rgb(255, 0, 0));
}

}  // namespace
}  // namespace vorlin
