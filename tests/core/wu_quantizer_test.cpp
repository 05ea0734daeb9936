#include "core/wu_quantizer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {
namespace {

struct Rgb {
    int r, g, b;
};

DibPtr RgbImage(int width, int height, const std::vector<Rgb>& pixels, int topDown = 1) {
    DibPtr dib(DibCreate(width, height, 24, nullptr, topDown));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb& c = pixels[static_cast<std::size_t>(y * width + x)];
            std::uint8_t* p = DibPictureRow(dib.get(), y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(c.b);
            p[1] = static_cast<std::uint8_t>(c.g);
            p[2] = static_cast<std::uint8_t>(c.r);
        }
    return dib;
}

RgbQuad Quad(const Rgb& c) {
    return RgbQuad{static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.g),
                   static_cast<std::uint8_t>(c.r), 0};
}

TEST(WuQuantizerTest, FewDistinctColoursComeBackExactlyAndStopEarly) {
    const std::vector<Rgb> colours{
        {200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {120, 130, 140}, {255, 255, 0}};
    std::vector<Rgb> pixels;
    for (int i = 0; i < 40; ++i) pixels.push_back(colours[static_cast<std::size_t>(i * 7 % 5)]);
    DibPtr src = RgbImage(8, 5, pixels, 0);
    DibPtr out(DibConvert(src.get(), 8, 0));
    ASSERT_TRUE(out);
    EXPECT_EQ(DibBitCount(out.get()), 8);
    EXPECT_FALSE(DibIsTopDown(out.get()));
    const RgbQuad* table = DibColors(out.get());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) {
            const int index = DibPictureRow(out.get(), y)[x];
            ASSERT_LT(index, 5);
            EXPECT_EQ(table[index], Quad(pixels[static_cast<std::size_t>(y * 8 + x)]));
        }
    std::set<std::uint32_t> distinct;
    for (int i = 0; i < 5; ++i)
        distinct.insert(table[i].rgbRed << 16 | table[i].rgbGreen << 8 | table[i].rgbBlue);
    EXPECT_EQ(distinct.size(), 5u);
    for (int i = 5; i < 256; ++i) EXPECT_EQ(table[i], (RgbQuad{0, 0, 0, 0})) << i;
}

TEST(WuQuantizerTest, OneColourGivesOneEntryAndAZeroPicture) {
    DibPtr src = RgbImage(3, 3, std::vector<Rgb>(9, Rgb{90, 91, 92}));
    DibPtr out(DibConvert(src.get(), 8, 0));
    ASSERT_TRUE(out);
    EXPECT_EQ(DibColors(out.get())[0], Quad({90, 91, 92}));
    EXPECT_EQ(DibColors(out.get())[1], (RgbQuad{0, 0, 0, 0}));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(DibRow(out.get(), y)[0] | DibRow(out.get(), y)[1] | DibRow(out.get(), y)[2], 0);
    DibPtr black = RgbImage(2, 1, std::vector<Rgb>(2, Rgb{0, 0, 0}));
    DibPtr none(DibConvert(black.get(), 1, 0));
    ASSERT_TRUE(none);
    EXPECT_EQ(DibRow(none.get(), 0)[0], 0);
}

TEST(WuQuantizerTest, EntriesAreTheTruncatedMeansOfTheirPixels) {
    std::mt19937 rng(11);
    std::vector<Rgb> pixels;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            pixels.push_back(
                {x * 5 + static_cast<int>(rng() % 6), y * 6, static_cast<int>(rng() % 256)});
    DibPtr src = RgbImage(50, 40, pixels);
    for (int depth : {4, 8}) {
        DibPtr out(DibConvert(src.get(), depth, 0));
        ASSERT_TRUE(out);
        DibPtr eight(depth == 8 ? DibDuplicate(out.get()) : DibConvert(out.get(), 8, 0));
        std::array<std::array<long, 4>, 256> sums{};
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 50; ++x) {
                auto& s = sums[DibRow(eight.get(), y)[x]];
                const Rgb& c = pixels[static_cast<std::size_t>(y * 50 + x)];
                s[0] += c.r, s[1] += c.g, s[2] += c.b, s[3] += 1;
            }
        int used = 0;
        for (int i = 0; i < 256; ++i) {
            if (sums[i][3] == 0) continue;
            ++used;
            ASSERT_LT(i, 1 << depth);
            EXPECT_EQ(DibColors(out.get())[i].rgbRed, sums[i][0] / sums[i][3]) << i;
            EXPECT_EQ(DibColors(out.get())[i].rgbGreen, sums[i][1] / sums[i][3]) << i;
            EXPECT_EQ(DibColors(out.get())[i].rgbBlue, sums[i][2] / sums[i][3]) << i;
        }
        EXPECT_EQ(used, 1 << depth);
        DibPtr again(DibConvert(src.get(), depth, 0));
        EXPECT_EQ(std::memcmp(again->block, out->block, DibBlockSize(out.get())), 0);
    }
}

TEST(WuQuantizerTest, OtherTrueColourDepthsAndBadRequests) {
    DibPtr src = RgbImage(2, 1, {{255, 0, 0}, {0, 0, 255}});
    DibPtr quad(DibConvert(src.get(), 32, 0));
    DibPtr out(DibConvert(quad.get(), 1, 0));
    ASSERT_TRUE(out);
    EXPECT_EQ(DibBitCount(out.get()), 1);
    const int first = DibRow(out.get(), 0)[0] >> 7, second = (DibRow(out.get(), 0)[0] >> 6) & 1;
    EXPECT_NE(first, second);
    EXPECT_EQ(DibColors(out.get())[first], Quad({255, 0, 0}));
    EXPECT_EQ(WuQuantize(quad.get(), 16), nullptr);
    EXPECT_EQ(WuQuantize(src.get(), 0), nullptr);
    EXPECT_EQ(WuQuantize(src.get(), 257), nullptr);
}

}  // namespace
}  // namespace vorlin
