#include <gtest/gtest.h>

#include <vector>

#include "core/packed_dib.h"

namespace vorlin {
namespace {

RgbQuad Entry(int i) {
    return RgbQuad{static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(255 - i), 0};
}

DibPtr PalettedImage(int width, int height, int bpp, const std::vector<std::uint8_t>& rows) {
    DibPtr dib(DibCreate(width, height, bpp, rows.data(), 1));
    for (int i = 0; i < DibColorCount(dib.get()); ++i) DibColors(dib.get())[i] = Entry(i);
    return dib;
}

TEST(DibConvertRepack, FourToEightWithOffsetMovesPixelsAndPalette) {
    DibPtr src = PalettedImage(8, 1, 4, {0x05, 0x0F, 0x00, 0x00});
    DibPtr out(DibConvert(src.get(), 8, 32));
    ASSERT_TRUE(out);
    const std::uint8_t* p = DibRow(out.get(), 0);
    EXPECT_EQ(std::vector<int>(p, p + 4), (std::vector<int>{0, 37, 0, 47}));
    EXPECT_EQ(DibColors(out.get())[0], Entry(0));
    for (int n = 1; n < 16; ++n) EXPECT_EQ(DibColors(out.get())[32 + n], Entry(n)) << n;
    EXPECT_EQ(DibColors(out.get())[32], (RgbQuad{0, 0, 32, 0}));  // untouched ramp entry
    EXPECT_EQ(DibColors(out.get())[48], (RgbQuad{0, 0, 48, 0}));

    DibPtr forced(DibConvert(src.get(), 8, 32 | kOffsetForce));
    EXPECT_EQ(DibRow(forced.get(), 0)[0], 32);
    EXPECT_EQ(DibColors(forced.get())[32], Entry(0));
    EXPECT_EQ(DibColors(forced.get())[0], (RgbQuad{0, 0, 0, 0}));
}

TEST(DibConvertRepack, EightToFourWithOffsetTakesTheBank) {
    DibPtr src = PalettedImage(4, 1, 8, {0, 17, 31, 16});
    DibPtr out(DibConvert(src.get(), 4, 16));
    ASSERT_TRUE(out);
    EXPECT_EQ(DibRow(out.get(), 0)[0], 0x01);
    EXPECT_EQ(DibRow(out.get(), 0)[1], 0xF0);
    EXPECT_EQ(DibColors(out.get())[0], Entry(0));
    for (int n = 1; n < 16; ++n) EXPECT_EQ(DibColors(out.get())[n], Entry(16 + n)) << n;
    DibPtr forced(DibConvert(src.get(), 4, 16 | kOffsetForce));
    EXPECT_EQ(DibColors(forced.get())[0], Entry(16));
}

TEST(DibConvertRepack, EightToOneKeepsLowestBitOfNonZeroIndices) {
    DibPtr src = PalettedImage(8, 2, 8, {0, 1, 2, 3, 4, 5, 254, 255, 9, 9, 9, 9, 0, 0, 0, 0});
    DibPtr out(DibConvert(src.get(), 1, 0));
    ASSERT_TRUE(out);
    EXPECT_EQ(DibRow(out.get(), 0)[0], 0b01010101);
    EXPECT_EQ(DibRow(out.get(), 1)[0], 0b11110000);
    EXPECT_EQ(DibColors(out.get())[1], Entry(1));
}

TEST(DibConvertRepack, MisalignedPaddingGoesRowByRowAndKeepsOrientation) {
    // Width 3 at 4 bpp: rows of 12 bits padded by 20, 24 bits padded by 8 at 8 bpp.
    const std::vector<std::uint8_t> rows{0x12, 0x3F, 0xFF, 0xFF, 0x45, 0x60, 0, 0};
    DibPtr src(DibCreate(3, 2, 4, rows.data(), 0));
    DibPtr out(DibConvert(src.get(), 8, 0));
    ASSERT_TRUE(out);
    EXPECT_FALSE(DibIsTopDown(out.get()));
    EXPECT_EQ(std::vector<int>(DibPictureRow(out.get(), 0), DibPictureRow(out.get(), 0) + 3),
              (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(std::vector<int>(DibPictureRow(out.get(), 1), DibPictureRow(out.get(), 1) + 3),
              (std::vector<int>{4, 5, 6}));
    // And back down: the same nibbles again.
    DibPtr back(DibConvert(out.get(), 4, 0));
    EXPECT_EQ(DibPictureRow(back.get(), 0)[0], 0x12);
    EXPECT_EQ(DibPictureRow(back.get(), 0)[1] & 0xF0, 0x30);
}

TEST(DibConvertRepack, HugeOffsetStaysInsideBothTables) {
    DibPtr src = PalettedImage(2, 1, 4, {0xF1, 0, 0, 0});
    DibPtr up(DibConvert(src.get(), 8, 250));
    ASSERT_TRUE(up);
    EXPECT_EQ(DibRow(up.get(), 0)[0], (15 + 250) & 255);
    EXPECT_EQ(DibColors(up.get())[255], Entry(5));
    DibPtr holder = PalettedImage(1, 1, 8, {3, 0, 0, 0});
    DibHeader(holder.get())->biClrUsed = 20;  // a shortened table
    DibPtr down(DibConvert(holder.get(), 4, 16 | kOffsetForce));
    ASSERT_TRUE(down);
    EXPECT_EQ(DibColors(down.get())[3], Entry(19));
    EXPECT_EQ(DibColors(down.get())[4], (RgbQuad{0, 0, 4, 0}));
}

TEST(DibConvertTrueColour, FiveBitRoundTripAndChannelLayouts) {
    const std::vector<std::uint8_t> px{200, 150, 100, 255, 255, 255, 0, 0};  // b g r, b g r
    DibPtr rgb(DibCreate(2, 1, 24, px.data(), 1));
    DibPtr hi(DibConvert(rgb.get(), 16, 0));
    ASSERT_TRUE(hi);
    const std::uint8_t* w = DibRow(hi.get(), 0);
    EXPECT_EQ(w[0] | (w[1] << 8), (100 / 8) << 10 | (150 / 8) << 5 | (200 / 8));
    DibPtr back(DibConvert(hi.get(), 24, 0));
    const std::uint8_t* p = DibRow(back.get(), 0);
    EXPECT_EQ(std::vector<int>(p, p + 6), (std::vector<int>{205, 148, 98, 255, 255, 255}));
    DibPtr wide(DibConvert(rgb.get(), 32, 0));
    const std::uint8_t* q = DibRow(wide.get(), 0);
    EXPECT_EQ(std::vector<int>(q, q + 8), (std::vector<int>{200, 150, 100, 0, 255, 255, 255, 0}));
    DibPtr narrow(DibConvert(wide.get(), 24, 0));
    EXPECT_EQ(std::vector<int>(DibRow(narrow.get(), 0), DibRow(narrow.get(), 0) + 6),
              std::vector<int>(px.begin(), px.begin() + 6));
    DibPtr wideHi(DibConvert(hi.get(), 32, 0));
    EXPECT_EQ(DibRow(wideHi.get(), 0)[2], 98);
    EXPECT_EQ(DibRow(wideHi.get(), 0)[3], 0);
}

TEST(DibConvertTrueColour, PaletteExpansionThroughTheColourTable) {
    DibPtr src = PalettedImage(3, 2, 4, {0x12, 0x30, 0, 0, 0xF0, 0x00, 0, 0});
    DibColors(src.get())[15].rgbReserved = 9;
    DibPtr rgb(DibConvert(src.get(), 24, 0));
    ASSERT_TRUE(rgb);
    const std::uint8_t* p = DibRow(rgb.get(), 0);
    EXPECT_EQ(std::vector<int>(p, p + 9), (std::vector<int>{1, 7, 254, 2, 7, 253, 3, 7, 252}));
    DibPtr quad(DibConvert(src.get(), 32, 0));
    EXPECT_EQ(DibRow(quad.get(), 1)[3], 9);  // the reserved byte is carried over
    DibPtr hi(DibConvert(src.get(), 16, 0));
    const std::uint8_t* h = DibRow(hi.get(), 1);
    EXPECT_EQ(h[0] | (h[1] << 8), (240 / 8) << 10 | (7 / 8) << 5 | (15 / 8));
}

TEST(DibConvertDispatch, RejectsWhatItCannotDo) {
    DibPtr rgb(DibCreate(2, 2, 24, nullptr, 1));
    EXPECT_EQ(DibConvert(nullptr, 8, 0), nullptr);
    EXPECT_EQ(DibConvert(rgb.get(), 2, 0), nullptr);
    EXPECT_EQ(DibConvert(rgb.get(), 12, 0), nullptr);
    DibPtr same(DibConvert(rgb.get(), 24, 0));
    ASSERT_TRUE(same);
    EXPECT_EQ(DibBlockSize(same.get()), DibBlockSize(rgb.get()));
}

}  // namespace
}  // namespace vorlin
