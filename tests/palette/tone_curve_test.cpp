#include "palette/tone_curve.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/dialog_text.h"

namespace vorlin {
namespace {

TEST(ToneCurveTables, BrightnessIntensityAndContrastExtremes) {
    ToneSettings s;
    s.brightness = 100;
    for (int v : {0, 1, 128, 255}) EXPECT_EQ(ComposeToneCurve(s)[v], 255) << v;
    s.brightness = -100;
    for (int v : {0, 1, 128, 255}) EXPECT_EQ(ComposeToneCurve(s)[v], 0) << v;
    s = {};
    s.intensity = -100;
    for (int v : {0, 200, 255}) EXPECT_EQ(ComposeToneCurve(s)[v], 0) << v;
    s = {};
    s.contrast = 100;
    const ToneTable t = ComposeToneCurve(s);
    EXPECT_EQ(t[64], 1);
    EXPECT_EQ(t[127], 127);
    EXPECT_EQ(t[128], 129);
    EXPECT_EQ(t[200], 255);
    EXPECT_EQ(t[10], 0);
    EXPECT_EQ(ComposeToneCurve({}), IdentityToneTable());
}

TEST(ToneCurveTables, GammaTableAndComposition) {
    ToneTable g = IdentityToneTable();
    ASSERT_TRUE(GammaToneTable(2.0, g));
    EXPECT_EQ(g[0], 0);
    EXPECT_EQ(g[64], 128);
    EXPECT_EQ(g[255], 255);
    ToneTable untouched = IdentityToneTable();
    EXPECT_FALSE(GammaToneTable(0.0, untouched));
    EXPECT_FALSE(GammaToneTable(-1.0, untouched));
    EXPECT_EQ(untouched, IdentityToneTable());
    // Gamma first, then brightness: 64 → 128 → 128 + 26 (trunc(25.5 + 0.5 + 128)).
    ToneSettings s;
    s.gamma = 2.0;
    s.brightness = 10;
    EXPECT_EQ(ComposeToneCurve(s)[64], 154);
}

TEST(ToneCurveTables, AppliesToColourBytesOfTheRangeOnly) {
    std::vector<RgbQuad> pal(256, RgbQuad{10, 20, 30, 40});
    ToneSettings s;
    s.brightness = 100;
    ApplyToneTable(pal.data(), 20, 16, ComposeToneCurve(s));
    EXPECT_EQ(pal[15], (RgbQuad{10, 20, 30, 40}));
    EXPECT_EQ(pal[16], (RgbQuad{255, 255, 255, 40}));
    EXPECT_EQ(pal[20], (RgbQuad{255, 255, 255, 40}));
    EXPECT_EQ(pal[21], (RgbQuad{10, 20, 30, 40}));
}

TEST(DialogText, ParsesLeadingNumbersLikeAnEditBox) {
    EXPECT_EQ(ParseDialogInt("  42"), 42);
    EXPECT_EQ(ParseDialogInt("-7x"), -7);
    EXPECT_EQ(ParseDialogInt("+3"), 3);
    EXPECT_EQ(ParseDialogInt("abc"), 0);
    EXPECT_EQ(ParseDialogInt(""), 0);
    EXPECT_EQ(ParseDialogInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseDialogInt("-99999999999"), INT_MIN);
    EXPECT_DOUBLE_EQ(ParseDialogDouble("0.05"), 0.05);
    EXPECT_DOUBLE_EQ(ParseDialogDouble(" -2.5e1"), -25);
    EXPECT_DOUBLE_EQ(ParseDialogDouble("x"), 0);
    EXPECT_DOUBLE_EQ(ParseDialogDouble("1e-999"), 0);
    EXPECT_GT(ParseDialogDouble("1e999"), 1e300);
    EXPECT_TRUE(IsDialogInt(" 12 "));
    EXPECT_FALSE(IsDialogInt("12a"));
    EXPECT_FALSE(IsDialogInt(""));
    EXPECT_EQ(FormatDialogFixed2(10), "10.00");
    EXPECT_EQ(RangeValidationMessage(0, 255), "Please enter an integer between 0 and 255.");
}

}  // namespace
}  // namespace vorlin
