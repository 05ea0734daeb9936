#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/index_surface.h"
#include "core/packed_dib.h"

namespace vorlin {
namespace {

// An 8-bpp top-down image whose pixel (x, y) is y * width + x (mod 256).
DibPtr Numbered(int width, int height) {
    DibPtr dib(DibCreate(width, height, 8, nullptr, 1));
    std::memset(DibPixels(dib.get()), 0, DibHeader(dib.get())->biSizeImage);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            DibRow(dib.get(), y)[x] = static_cast<std::uint8_t>(y * width + x);
    return dib;
}

std::vector<int> Row(PackedDib dib, int y, int count) {
    return std::vector<int>(DibRow(dib, y), DibRow(dib, y) + count);
}

TEST(DibCropTest, CornersInAnyOrderGiveTheSameRectangle) {
    DibPtr src = Numbered(12, 12);
    DibColors(src.get())[5] = RgbQuad{1, 2, 3, 4};
    DibPtr a(DibCrop(src.get(), 10, 10, 2, 4, 0));
    DibPtr b(DibCrop(src.get(), 2, 4, 10, 10, 0));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(DibWidth(a.get()), 8);
    EXPECT_EQ(DibHeight(a.get()), 6);
    EXPECT_TRUE(DibIsTopDown(a.get()));
    EXPECT_EQ(DibBlockSize(a.get()), DibBlockSize(b.get()));
    EXPECT_EQ(std::memcmp(a->block, b->block, DibBlockSize(a.get())), 0);
    EXPECT_EQ(DibRow(a.get(), 0)[0], 4 * 12 + 2);
    EXPECT_EQ(DibColors(a.get())[5], (RgbQuad{1, 2, 3, 4}));
    EXPECT_EQ(DibCrop(src.get(), 3, 1, 3, 9, 0), nullptr);
}

TEST(DibCropTest, OutsideIsZeroWithoutClipAndCutAwayWithClip) {
    DibPtr src = Numbered(4, 4);
    DibPtr loose(DibCrop(src.get(), 2, 2, 6, 5, 0));
    ASSERT_TRUE(loose);
    EXPECT_EQ(Row(loose.get(), 0, 4), (std::vector<int>{10, 11, 0, 0}));
    EXPECT_EQ(Row(loose.get(), 1, 4), (std::vector<int>{14, 15, 0, 0}));
    EXPECT_EQ(Row(loose.get(), 2, 4), (std::vector<int>{0, 0, 0, 0}));
    DibPtr clipped(DibCrop(src.get(), 2, 2, 6, 5, 1));
    EXPECT_EQ(DibWidth(clipped.get()), 2);
    EXPECT_EQ(DibHeight(clipped.get()), 2);
    EXPECT_EQ(Row(clipped.get(), 1, 2), (std::vector<int>{14, 15}));
    // Up and to the left of the source.
    DibPtr before(DibCrop(src.get(), -1, -2, 2, 1, 0));
    EXPECT_EQ(Row(before.get(), 1, 3), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Row(before.get(), 2, 3), (std::vector<int>{0, 0, 1}));
}

TEST(DibCropTest, RectangleMissingTheSourceIsAllZeroOrNothing) {
    DibPtr src = Numbered(4, 4);
    DibPtr far(DibCrop(src.get(), 10, -20, 14, -16, 0));
    ASSERT_TRUE(far);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(Row(far.get(), y, 4), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(DibCrop(src.get(), 10, 0, 14, 4, 1), nullptr);
    EXPECT_EQ(DibCrop(nullptr, 0, 0, 1, 1, 0), nullptr);
}

TEST(DibCropTest, SubByteEdgesShiftPixelsAndReadNoFurther) {
    // 8 x 2 at 4 bpp: no row padding, so the last row ends at the end of the block.
    const std::uint8_t nibbles[8] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF1};
    DibPtr src(DibCreate(8, 2, 4, nibbles, 1));
    DibPtr odd(DibCrop(src.get(), 3, 0, 8, 2, 0));
    ASSERT_TRUE(odd);
    EXPECT_EQ(Row(odd.get(), 0, 3), (std::vector<int>{0x45, 0x67, 0x80}));
    EXPECT_EQ(Row(odd.get(), 1, 3), (std::vector<int>{0xCD, 0xEF, 0x10}));
    // Sticking out on the right: the pixels past the source are 0, not the next byte.
    DibPtr wide(DibCrop(src.get(), 5, 0, 10, 1, 0));
    EXPECT_EQ(Row(wide.get(), 0, 3), (std::vector<int>{0x67, 0x80, 0x00}));
    // An odd negative left edge places the first source pixel exactly one column in.
    DibPtr left(DibCrop(src.get(), -1, 0, 3, 1, 0));
    EXPECT_EQ(Row(left.get(), 0, 2), (std::vector<int>{0x01, 0x23}));
    // One bit per pixel from bit 3 onwards.
    const std::uint8_t bits[4] = {0b00010110, 0b10000000, 0, 0};
    DibPtr mono(DibCreate(9, 1, 1, bits, 1));
    DibPtr cut(DibCrop(mono.get(), 3, 0, 9, 1, 1));
    EXPECT_EQ(DibRow(cut.get(), 0)[0], 0b10110100);
}

TEST(DibRetileTest, QuartersIntoAColumnAndBackAgain) {
    DibPtr src = Numbered(16, 16);
    DibPtr column(DibRetile(src.get(), 8, 8, 0));
    ASSERT_TRUE(column);
    EXPECT_EQ(DibWidth(column.get()), 8);
    EXPECT_EQ(DibHeight(column.get()), 32);
    EXPECT_EQ(DibRow(column.get(), 0)[0], 0);     // top-left quarter
    EXPECT_EQ(DibRow(column.get(), 8)[0], 8);     // top-right
    EXPECT_EQ(DibRow(column.get(), 16)[0], 128);  // bottom-left
    EXPECT_EQ(DibRow(column.get(), 31)[7], 255);  // bottom-right, last pixel
    DibPtr back(DibRetile(column.get(), 16, 8, 0));
    ASSERT_TRUE(back);
    EXPECT_EQ(DibBlockSize(back.get()), DibBlockSize(src.get()));
    EXPECT_EQ(std::memcmp(back->block, src->block, DibBlockSize(src.get())), 0);
}

TEST(DibRetileTest, LimitsDroppedRemaindersAndRefusals) {
    DibPtr src = Numbered(20, 10);  // two 8-wide blocks across, one whole 8-row band
    DibPtr column(DibRetile(src.get(), 8, 8, 0));
    ASSERT_TRUE(column);
    EXPECT_EQ(DibHeight(column.get()), 16);
    DibPtr limited(DibRetile(src.get(), 8, 4, 3));
    EXPECT_EQ(DibHeight(limited.get()), 12);
    EXPECT_EQ(DibRow(limited.get(), 8)[0], 4 * 20);  // third block: second band, left
    // Widening three blocks into rows of two leaves the last half band zero.
    DibPtr wide(DibRetile(limited.get(), 16, 4, 0));
    EXPECT_EQ(DibHeight(wide.get()), 8);
    EXPECT_EQ(DibRow(wide.get(), 0)[8], 8);
    EXPECT_EQ(DibRow(wide.get(), 4)[8], 0);
    DibPtr nib(DibCreate(8, 8, 4, nullptr, 1));
    EXPECT_EQ(DibRetile(nib.get(), 3, 8, 0), nullptr);
    EXPECT_EQ(DibRetile(src.get(), 8, 11, 0), nullptr);
    EXPECT_EQ(DibRetile(src.get(), 0, 8, 0), nullptr);
    EXPECT_EQ(DibRetile(src.get(), 8, 0, 0), nullptr);
}

TEST(DibRetileTest, OddWidthRowsAreReadAtTheirStride) {
    // 9 pixels at 4 bpp: 4 whole bytes of picture per row in an 8-byte stride.
    DibPtr src(DibCreate(9, 2, 4, nullptr, 0));
    std::memset(DibPixels(src.get()), 0, DibHeader(src.get())->biSizeImage);
    DibRow(src.get(), 1)[0] = 0xAB;
    DibPtr column(DibRetile(src.get(), 4, 1, 0));
    ASSERT_TRUE(column);
    EXPECT_FALSE(DibIsTopDown(column.get()));
    EXPECT_EQ(DibHeight(column.get()), 4);
    EXPECT_EQ(DibRow(column.get(), 2)[0], 0xAB);
}

TEST(DibPaletteOps, MovesReadBeforeWritingAndRemapsEveryByte) {
    DibPtr dib = Numbered(3, 1);
    const std::uint8_t dest[2] = {1, 2}, src[2] = {2, 1};
    ASSERT_EQ(DibMovePaletteEntries(dib.get(), dest, src, 2), 1);
    EXPECT_EQ(DibColors(dib.get())[1], (RgbQuad{0, 0, 2, 0}));
    EXPECT_EQ(DibColors(dib.get())[2], (RgbQuad{0, 0, 1, 0}));
    const std::uint8_t from[3] = {1, 2, 1}, to[3] = {9, 1, 7};
    ASSERT_EQ(DibRemapPixels(dib.get(), from, to, 3), 1);
    EXPECT_EQ(Row(dib.get(), 0, 4), (std::vector<int>{0, 7, 1, 0}));
    // Shortened tables and other depths are left alone.
    DibHeader(dib.get())->biClrUsed = 2;
    EXPECT_EQ(DibMovePaletteEntries(dib.get(), dest, src, 2), 0);
    DibPtr rgb(DibCreate(1, 1, 24, nullptr, 1));
    EXPECT_EQ(DibMovePaletteEntries(rgb.get(), dest, src, 2), 0);
    EXPECT_EQ(DibRemapPixels(rgb.get(), from, to, 3), 0);
}

TEST(DibSurfaceExchange, CopiesIndicesUnchangedAndNormalisesOrientation) {
    const std::uint8_t rows[8] = {1, 2, 3, 0, 4, 5, 6, 0};
    DibPtr bottomUp(DibCreate(3, 2, 8, rows, 0));
    auto surface = DibToBitmap(bottomUp.get());
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface->Row(0)[0], 1);
    EXPECT_EQ(surface->Row(1)[2], 6);
    std::vector<RgbQuad> palette(256, RgbQuad{9, 8, 7, 0});
    DibPtr back(DibFromBitmap(*surface, palette.data()));
    ASSERT_TRUE(back);
    EXPECT_TRUE(DibIsTopDown(back.get()));
    EXPECT_EQ(Row(back.get(), 1, 3), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(DibColors(back.get())[255], (RgbQuad{9, 8, 7, 0}));
    DibPtr ramp(DibFromBitmap(*surface, nullptr));
    EXPECT_EQ(DibColors(ramp.get())[3], (RgbQuad{0, 0, 3, 0}));
    DibPtr rgb(DibCreate(1, 1, 24, nullptr, 1));
    EXPECT_EQ(DibToBitmap(rgb.get()), nullptr);
    IndexSurface broken(4, 4);
    broken.bits.resize(3);
    EXPECT_EQ(DibFromBitmap(broken, nullptr), nullptr);
}

}  // namespace
}  // namespace vorlin
