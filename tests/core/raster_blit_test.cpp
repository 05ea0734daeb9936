// Block copies, scaled copies, fills and mask writes on index buffers.
#include <gtest/gtest.h>

#include <vector>

#include "core/raster.h"
#include "raster_test_util.h"

namespace vorlin {
namespace {

using test::FromPicture;
using test::Picture;

TEST(RasterBlockCopy, EveryOpIsBytewiseOnTheIndices) {
    struct Case {
        RasterOp op;
        std::uint8_t expected;
    };
    const std::uint8_t d = 0b1100'1010, s = 0b1010'0110;
    const Case cases[] = {
        {RasterOp::Copy, s},    {RasterOp::NotCopy, static_cast<std::uint8_t>(~s)},
        {RasterOp::And, d & s}, {RasterOp::Or, d | s},
        {RasterOp::Xor, d ^ s}, {RasterOp::AndNot, static_cast<std::uint8_t>(d & ~s)}};
    for (const Case& c : cases) {
        IndexSurface dst(3, 2), src(3, 2);
        FillRect(ViewOf(dst), {0, 0, 3, 2}, d);
        FillRect(ViewOf(src), {0, 0, 3, 2}, s);
        BlockCopy(ViewOf(dst), 1, 0, 2, 1, ViewOf(src), 0, 1, c.op);
        EXPECT_EQ(dst.Row(0)[0], d) << static_cast<int>(c.op);
        EXPECT_EQ(dst.Row(0)[1], c.expected) << static_cast<int>(c.op);
        EXPECT_EQ(dst.Row(0)[2], c.expected) << static_cast<int>(c.op);
        EXPECT_EQ(dst.Row(1)[1], d) << static_cast<int>(c.op);
    }
}

TEST(RasterBlockCopy, ClipsSourceAndDestinationTogether) {
    const IndexSurface src = FromPicture({"123", "456", "789"});
    // Destination above-left of the image: the block's lower-right part lands at (0, 0).
    IndexSurface a(3, 3);
    BlockCopy(ViewOf(a), -1, -2, 3, 3, ViewOf(src), 0, 0);
    EXPECT_EQ(Picture(a, 0), "89.\n...\n...\n");
    // Source rectangle starting outside the source: the destination shifts with it.
    IndexSurface b(3, 3);
    BlockCopy(ViewOf(b), 0, 0, 3, 3, ViewOf(src), -1, 1);
    EXPECT_EQ(Picture(b, 0), ".45\n.78\n...\n");
    // Past the right and bottom edges of both.
    IndexSurface c(3, 3);
    BlockCopy(ViewOf(c), 2, 1, 5, 5, ViewOf(src), 1, 0);
    EXPECT_EQ(Picture(c, 0), "...\n..2\n..5\n");
    // Nothing left, and absurd sizes, do nothing.
    IndexSurface d(3, 3);
    BlockCopy(ViewOf(d), 3, 0, 2, 2, ViewOf(src), 0, 0);
    BlockCopy(ViewOf(d), INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, ViewOf(src), INT32_MIN, 0);
    BlockCopy(ViewOf(d), 0, 0, -1, 3, ViewOf(src), 0, 0);
    EXPECT_EQ(Picture(d, 0), "...\n...\n...\n");
}

TEST(RasterBlockCopy, OverlappingCopiesWithinOneBufferReadTheOldPixels) {
    const IndexSurface start = FromPicture({"1234", "5678", "9123"});
    for (RasterOp op : {RasterOp::Copy, RasterOp::Xor}) {
        for (IPoint shift :
             {IPoint{1, 0}, IPoint{-1, 0}, IPoint{0, 1}, IPoint{0, -1}, IPoint{1, 1}}) {
            IndexSurface s = start;
            BlockCopy(ViewOf(s), shift.x, shift.y, 4, 3, ViewOf(s), 0, 0, op);
            IndexSurface expected = start;
            IndexSurface copy = start;
            BlockCopy(ViewOf(expected), shift.x, shift.y, 4, 3, ViewOf(copy), 0, 0, op);
            EXPECT_EQ(Picture(s, 0), Picture(expected, 0)) << shift.x << "," << shift.y;
        }
    }
}

TEST(RasterBlockCopy, MaskSourceCountsSetBitsAsAllOnes) {
    // 10 pixels wide: two bytes per row plus padding, MSB = leftmost.
    const std::uint8_t bits[] = {0b1010'0000, 0b0100'0000, 0xEE, 0b0110'0000, 0b0000'0000, 0xEE};
    const BitMaskView mask{bits, 10, 2, 3};
    IndexSurface s(10, 2);
    FillRect(ViewOf(s), {0, 0, 10, 2}, 0x5A);
    BlockCopy(ViewOf(s), 0, 0, 10, 2, mask, 0, 0, RasterOp::And);
    EXPECT_EQ(s.Row(0)[0], 0x5A);
    EXPECT_EQ(s.Row(0)[1], 0x00);
    EXPECT_EQ(s.Row(0)[2], 0x5A);
    EXPECT_EQ(s.Row(0)[9], 0x5A);
    EXPECT_EQ(s.Row(0)[8], 0x00);
    EXPECT_EQ(s.Row(1)[1], 0x5A);
    EXPECT_EQ(s.Row(1)[2], 0x5A);
    EXPECT_EQ(s.Row(1)[3], 0x00);

    // The transparent-selection combination: image AND mask, then XOR the masked content.
    IndexSurface img = FromPicture({"3333"});
    const std::uint8_t m[] = {0b0110'0000};
    BlockCopy(ViewOf(img), 0, 0, 4, 1, BitMaskView{m, 4, 1, 1}, 0, 0, RasterOp::And);
    const IndexSurface content = FromPicture({"7..5"});
    BlockCopy(ViewOf(img), 0, 0, 4, 1, ViewOf(content), 0, 0, RasterOp::Xor);
    EXPECT_EQ(Picture(img, 0), "7335\n");

    // Source offset into the mask, clipped at the destination's left edge.
    IndexSurface o(3, 1);
    BlockCopy(ViewOf(o), -1, 0, 4, 1, mask, 6, 0, RasterOp::Copy);
    EXPECT_EQ(o.Row(0)[0], 0x00);  // mask (7, 0)
    EXPECT_EQ(o.Row(0)[1], 0x00);  // mask (8, 0)
    EXPECT_EQ(o.Row(0)[2], 0xFF);  // mask (9, 0)
}

TEST(RasterScaledCopy, IntegerZoomRepeatsEveryPixelExactly) {
    const IndexSurface src = FromPicture({"12", "34"});
    IndexSurface dst(6, 4);
    ScaledCopy(ViewOf(dst), {0, 0, 6, 4}, ViewOf(src), {0, 0, 2, 2});
    EXPECT_EQ(Picture(dst, 0), "111222\n111222\n333444\n333444\n");
}

TEST(RasterScaledCopy, ShrinkingDropsRowsAndColumnsNeverBlends) {
    const IndexSurface src = FromPicture({"1234", "5678", "9123", "4567"});
    IndexSurface dst(2, 2);
    ScaledCopy(ViewOf(dst), {0, 0, 2, 2}, ViewOf(src), {0, 0, 4, 4});
    EXPECT_EQ(Picture(dst, 0), "13\n92\n");
    // Non-integer ratio 3 -> 5 follows the product mapping exactly: 0 0 1 1 2.
    const IndexSurface row = FromPicture({"123"});
    IndexSurface wide(5, 1);
    ScaledCopy(ViewOf(wide), {0, 0, 5, 1}, ViewOf(row), {0, 0, 3, 1});
    EXPECT_EQ(Picture(wide, 0), "11223\n");
}

TEST(RasterScaledCopy, ClippedDestinationKeepsTheMapping) {
    const IndexSurface src = FromPicture({"1234"});
    IndexSurface dst(4, 1);
    // Destination starts 3 pixels left of the image: columns 3..6 of an 8-wide 2x zoom.
    ScaledCopy(ViewOf(dst), {-3, 0, 5, 1}, ViewOf(src), {0, 0, 4, 1});
    EXPECT_EQ(Picture(dst, 0), "2334\n");
    // Source rectangle partly outside the source: those pixels stay untouched.
    IndexSurface keep(4, 1);
    FillRect(ViewOf(keep), {0, 0, 4, 1}, 9);
    ScaledCopy(ViewOf(keep), {0, 0, 4, 1}, ViewOf(src), {-2, 0, 2, 1});
    EXPECT_EQ(Picture(keep, 0), "9912\n");
    // Rectangles spanning the whole coordinate range map without overflow.
    ScaledCopy(ViewOf(keep), {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, ViewOf(src),
               {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    EXPECT_EQ(Picture(keep, 0), "1234\n");
}

TEST(RasterPixels, FillSetAndGetClipToTheImage) {
    IndexSurface s(5, 3);
    FillRect(ViewOf(s), {-4, 1, 3, 99}, 2);
    SetPixel(ViewOf(s), 4, 0, 7);
    SetPixel(ViewOf(s), 5, 0, 7);
    SetPixel(ViewOf(s), -1, 2, 7);
    EXPECT_EQ(Picture(s, 0), "....7\n222..\n222..\n");
    EXPECT_EQ(GetPixel(ViewOf(s), 4, 0), 7);
    EXPECT_EQ(GetPixel(ViewOf(s), 0, 1), 2);
    EXPECT_EQ(GetPixel(ViewOf(s), 5, 0), 0);
    EXPECT_EQ(GetPixel(ViewOf(s), 0, -1), 0);
    EXPECT_EQ(GetPixel(ConstIndexView{}, 0, 0), 0);
}

TEST(RasterWriteMask, SetBitsTakeTheIndexClearBitsStayAndEdgesClip) {
    // A 9-wide mask (two bytes per row) with a padded stride of 4 bytes.
    const std::uint8_t bits[] = {0b1000'0000, 0b1000'0000, 0xFF, 0xFF,
                                 0b0111'1111, 0b0000'0000, 0xFF, 0xFF};
    const BitMaskView mask{bits, 9, 2, 4};
    IndexSurface s(8, 3);
    FillRect(ViewOf(s), {0, 0, 8, 3}, 1);
    WriteMask(ViewOf(s), -1, 1, mask, 5);
    // Mask column 0 falls left of the image; column 8 (set in row 0) lands at x = 7.
    EXPECT_EQ(Picture(s, 0), "11111111\n11111115\n55555551\n");
    IndexSurface t(4, 4);
    WriteMask(ViewOf(t), 3, 3, mask, 5);
    WriteMask(ViewOf(t), 4, 0, mask, 5);
    WriteMask(ViewOf(t), -9, 0, mask, 5);
    EXPECT_EQ(Picture(t, 0), "....\n....\n....\n...5\n");
}

}  // namespace
}  // namespace vorlin
