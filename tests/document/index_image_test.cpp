#include "document/index_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/rgb.h"

namespace vorlin {
namespace {

// A picture whose pixel (x, y) holds x + 10 * y, for checking where pixels land.
CIndexImage Numbered(int w, int h) {
    CIndexImage img;
    EXPECT_EQ(img.Create(w, h, nullptr, nullptr), 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.Row(y)[x] = static_cast<std::uint8_t>(x + 10 * y);
    return img;
}

TEST(DefaultPalette, RampsBlackAndGreys) {
    const Palette256& p = DefaultPalette();
    EXPECT_EQ(p[0], Rgb(0, 0, 0));
    EXPECT_EQ(p[15], Rgb(0xF0, 0, 0));
    EXPECT_EQ(p[17], Rgb(0, 0x10, 0));
    EXPECT_EQ(p[47], Rgb(0, 0, 0xF0));
    EXPECT_EQ(p[50], Rgb(0, 0x20, 0x20));
    EXPECT_EQ(p[66], Rgb(0x20, 0, 0x20));
    EXPECT_EQ(p[95], Rgb(0xF0, 0xF0, 0));
    EXPECT_EQ(p[96], Rgb(0, 0, 0));
    EXPECT_EQ(p[223], Rgb(0, 0, 0));
    EXPECT_EQ(p[224], Rgb(0, 0, 0));
    EXPECT_EQ(p[225], Rgb(8, 8, 8));
    EXPECT_EQ(p[255], Rgb(248, 248, 248));
}

TEST(CIndexImage, CreateRejectsUnusableSizesAndKeepsTheOldPicture) {
    CIndexImage img = Numbered(5, 3);
    EXPECT_EQ(img.Create(0, 4, nullptr, nullptr), 0);
    EXPECT_EQ(img.Create(4, -1, nullptr, nullptr), 0);
    EXPECT_EQ(img.Create(70000, 1, nullptr, nullptr), 0);
    EXPECT_EQ(img.Create(65536, 65536, nullptr, nullptr), 0);  // area beyond the limit
    EXPECT_EQ(img.Width(), 5);
    EXPECT_EQ(img.GetPixel(4, 2), 24);
}

TEST(CIndexImage, CreateCopiesPaddedRowsAndPalette) {
    const std::vector<std::uint8_t> rows = {1, 2, 3, 0, 4, 5, 6, 0};  // width 3, stride 4
    Palette256 pal{};
    pal[7] = Rgb(1, 2, 3);
    CIndexImage img;
    ASSERT_EQ(img.Create(3, 2, pal.data(), rows.data()), 1);
    EXPECT_EQ(img.Stride(), 4);
    EXPECT_EQ(img.GetPixel(2, 1), 6);
    EXPECT_EQ(img.Palette()[7], Rgb(1, 2, 3));
    EXPECT_EQ(img.Palette()[15], Rgb(0, 0, 0));

    CIndexImage copy;
    ASSERT_EQ(copy.CopyFrom(&img), 1);
    EXPECT_EQ(copy.GetPixel(0, 1), 4);
    EXPECT_EQ(copy.Palette()[7], Rgb(1, 2, 3));
    EXPECT_EQ(copy.CopyFrom(nullptr), 0);
}

TEST(CIndexImage, GetPixelOutsideIsZero) {
    CIndexImage img = Numbered(4, 4);
    img.Row(0)[0] = 9;
    EXPECT_EQ(img.GetPixel(-1, 0), 0);
    EXPECT_EQ(img.GetPixel(4, 0), 0);
    EXPECT_EQ(img.GetPixel(0, 4), 0);
    EXPECT_EQ(img.GetPixel(0, -1), 0);
    EXPECT_EQ(img.GetPixel(0, 0), 9);
}

TEST(CIndexImage, ResizeWithoutStretchCutsAndPads) {
    CIndexImage img = Numbered(4, 3);
    EXPECT_EQ(img.Resize(0, 0, 0), 0);
    EXPECT_EQ(img.Resize(4, 3, 0), 0);
    EXPECT_EQ(img.Resize(-5, 3, 1), 0);
    EXPECT_EQ(img.Width(), 4);

    ASSERT_EQ(img.Resize(6, 0, 0), 1);  // height stays
    EXPECT_EQ(img.Width(), 6);
    EXPECT_EQ(img.Height(), 3);
    EXPECT_EQ(img.GetPixel(3, 2), 23);
    EXPECT_EQ(img.GetPixel(4, 2), 0);
    EXPECT_EQ(img.GetPixel(5, 0), 0);

    ASSERT_EQ(img.Resize(2, 2, 0), 1);
    EXPECT_EQ(img.GetPixel(1, 1), 11);
    EXPECT_EQ(img.Stride(), 4);
}

TEST(CIndexImage, ResizeWithStretchRepeatsAndDropsWithoutBlending) {
    CIndexImage img = Numbered(2, 2);
    img.Palette()[3] = Rgb(9, 9, 9);
    ASSERT_EQ(img.Resize(4, 4, 1), 1);
    const int expected[4][4] = {{0, 0, 1, 1}, {0, 0, 1, 1}, {10, 10, 11, 11}, {10, 10, 11, 11}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(img.GetPixel(x, y), expected[y][x]) << x << "," << y;
    ASSERT_EQ(img.Resize(2, 1, 1), 1);
    EXPECT_EQ(img.GetPixel(0, 0), 0);
    EXPECT_EQ(img.GetPixel(1, 0), 1);
    EXPECT_EQ(img.Palette()[3], Rgb(9, 9, 9));
}

TEST(CIndexImage, SetColorsClipsAndNullRestoresDefault) {
    CIndexImage img;
    std::vector<RgbQuad> four(4, Rgb(1, 1, 1));
    img.SetColors(254, 4, four.data());
    EXPECT_EQ(img.Palette()[254], Rgb(1, 1, 1));
    EXPECT_EQ(img.Palette()[255], Rgb(1, 1, 1));
    EXPECT_EQ(img.Palette()[253], DefaultPalette()[253]);
    img.SetColors(256, 4, four.data());  // nothing to copy
    img.SetColors(-1, 4, four.data());
    EXPECT_EQ(img.Palette()[0], DefaultPalette()[0]);
    img.SetColors(0, 0, nullptr);
    EXPECT_EQ(img.Palette()[255], DefaultPalette()[255]);
}

TEST(CIndexImage, DibRoundTripKeepsIndicesAndPalette) {
    CIndexImage img = Numbered(5, 3);
    img.Palette()[24] = Rgb(10, 20, 30);
    DibPtr dib(img.ToDib(8, 0));
    ASSERT_TRUE(dib);
    EXPECT_TRUE(DibIsTopDown(dib.get()));
    EXPECT_EQ(DibColorCount(dib.get()), 256);
    EXPECT_EQ(DibPictureRow(dib.get(), 2)[4], 24);
    EXPECT_EQ(DibColors(dib.get())[24], Rgb(10, 20, 30));

    CIndexImage back;
    ASSERT_EQ(back.SetFromDib(dib.get()), 1);
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.GetPixel(4, 2), 24);
    EXPECT_EQ(back.Palette()[24], Rgb(10, 20, 30));
}

TEST(CIndexImage, SetFromDibTakesOnlyTheColoursTheBlockHas) {
    DibPtr dib(DibCreate(2, 2, 8, nullptr, 0));  // stored bottom-up
    ASSERT_TRUE(dib);
    DibHeader(dib.get())->biClrUsed = 2;  // a shorter table moves the pixels up
    DibColors(dib.get())[1] = Rgb(200, 100, 50);
    DibPictureRow(dib.get(), 0)[0] = 1;
    DibPictureRow(dib.get(), 1)[0] = 0;
    CIndexImage img;
    ASSERT_EQ(img.SetFromDib(dib.get()), 1);
    EXPECT_EQ(img.GetPixel(0, 0), 1);
    EXPECT_EQ(img.GetPixel(0, 1), 0);
    EXPECT_EQ(img.Palette()[1], Rgb(200, 100, 50));
    EXPECT_EQ(img.Palette()[2], Rgb(0, 0, 0));
    EXPECT_EQ(img.Palette()[17], Rgb(0, 0, 0));  // default palette is gone

    CIndexImage untouched = Numbered(3, 3);
    EXPECT_EQ(untouched.SetFromDib(nullptr), 0);
    EXPECT_EQ(untouched.GetPixel(2, 2), 22);
}

}  // namespace
}  // namespace vorlin

namespace vorlin {
namespace {

TEST(CIndexImage, SetFromDibConvertsOtherDepths) {
    const std::uint8_t nibbles[] = {0x12, 0x30, 0, 0};  // 3 x 1 at 4 bpp: 1, 2, 3
    DibPtr four(DibCreate(3, 1, 4, nibbles, 1));
    ASSERT_TRUE(four);
    DibColors(four.get())[3] = Rgb(1, 2, 3);
    CIndexImage img;
    ASSERT_EQ(img.SetFromDib(four.get()), 1);
    EXPECT_EQ(img.GetPixel(0, 0), 1);
    EXPECT_EQ(img.GetPixel(2, 0), 3);
    EXPECT_EQ(img.Palette()[3], Rgb(1, 2, 3));
    EXPECT_EQ(img.Palette()[16], Rgb(0, 0, 0));  // only 16 colours came with the file

    const std::uint8_t bgr[] = {0, 0, 255, 0, 255, 0, 0, 0};  // 2 x 1 at 24 bpp: red, green
    DibPtr rgb(DibCreate(2, 1, 24, bgr, 1));
    ASSERT_TRUE(rgb);
    ASSERT_EQ(img.SetFromDib(rgb.get()), 1);
    EXPECT_EQ(img.Width(), 2);
    EXPECT_EQ(img.Palette()[img.GetPixel(0, 0)], Rgb(255, 0, 0));
    EXPECT_EQ(img.Palette()[img.GetPixel(1, 0)], Rgb(0, 255, 0));
}

TEST(CIndexImage, ToDibAtFourBitsUsesTheBankOffset) {
    CIndexImage img;
    ASSERT_EQ(img.Create(2, 1, nullptr, nullptr), 1);
    img.Row(0)[0] = 0;
    img.Row(0)[1] = 0x25;  // bank 2, entry 5
    img.Palette()[0x25] = Rgb(7, 8, 9);
    DibPtr four(img.ToDib(4, 0x20));
    ASSERT_TRUE(four);
    EXPECT_EQ(DibBitCount(four.get()), 4);
    EXPECT_EQ(DibPictureRow(four.get(), 0)[0], 0x05);
    EXPECT_EQ(DibColors(four.get())[5], Rgb(7, 8, 9));
    EXPECT_EQ(DibColors(four.get())[0], img.Palette()[0]);
}

}  // namespace
}  // namespace vorlin
