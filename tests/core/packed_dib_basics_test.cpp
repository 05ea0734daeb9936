#include <gtest/gtest.h>

#include <algorithm>

#include "core/packed_dib.h"

namespace vorlin {
namespace {

TEST(PackedDibCreate, RejectsIllegalDepthsAndSizesTableByDepth) {
    for (int bpp : {0, 2, 3, 12, 64}) EXPECT_EQ(DibCreate(4, 4, bpp, nullptr, 1), nullptr) << bpp;
    EXPECT_EQ(DibCreate(kDibMaxLayoutSide + 1, 1, 8, nullptr, 1), nullptr);
    EXPECT_EQ(DibCreate(65536, 65536, 32, nullptr, 1), nullptr);
    EXPECT_EQ(DibCreate(-1, 4, 8, nullptr, 1), nullptr);
    const int expected[][2] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}};
    for (auto [bpp, colors] : expected) {
        DibPtr dib(DibCreate(3, 2, bpp, nullptr, 1));
        ASSERT_TRUE(dib) << bpp;
        EXPECT_EQ(DibColorCount(dib.get()), colors) << bpp;
    }
}

TEST(PackedDibCreate, TallWorkingLayoutsAreAllowedWithinTheAreaLimit) {
    // A 1024 x 1024 picture re-laid as one column of 8 x 8 tiles is 131072 rows high.
    DibPtr column(DibCreate(8, 131072, 8, nullptr, 1));
    EXPECT_TRUE(column);
    DibPtr picture(DibCreate(1024, 1024, 8, nullptr, 1));
    ASSERT_TRUE(picture);
    std::fill_n(DibPixels(picture.get()), DibHeader(picture.get())->biSizeImage, std::uint8_t{7});
    DibPtr tiles(DibRetile(picture.get(), 8, 8, 0));
    ASSERT_TRUE(tiles);
    EXPECT_EQ(DibHeight(tiles.get()), 131072);
    EXPECT_EQ(DibRow(tiles.get(), 131071)[7], 7);
}

TEST(PackedDibCreate, StrideSizeAndInitialRampTable) {
    DibPtr mono(DibCreate(3, 2, 1, nullptr, 1));
    EXPECT_EQ(DibStride(mono.get()), 4u);
    EXPECT_EQ(DibHeader(mono.get())->biSizeImage, 8u);
    DibPtr rgb(DibCreate(5, 1, 24, nullptr, 1));
    EXPECT_EQ(DibStride(rgb.get()), 16u);
    DibPtr idx(DibCreate(1, 1, 8, nullptr, 1));
    EXPECT_EQ(DibColors(idx.get())[200], (RgbQuad{0, 0, 200, 0}));
    EXPECT_EQ(DibHeader(idx.get())->biHeight, -1);
}

TEST(PackedDibCreate, BottomUpStoresLastSourceRowFirst) {
    const std::uint8_t src[3 * 4] = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
    DibPtr dib(DibCreate(4, 3, 8, src, 0));
    EXPECT_EQ(DibHeader(dib.get())->biHeight, 3);
    EXPECT_EQ(DibRow(dib.get(), 0)[0], 3);
    EXPECT_EQ(DibRow(dib.get(), 2)[0], 1);
    EXPECT_EQ(DibPictureRow(dib.get(), 0)[0], 1);
}

TEST(PackedDibFlipRows, SwapsOuterRowsKeepsMiddleAndHeader) {
    const std::uint8_t src[3 * 4] = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};
    DibPtr dib(DibCreate(4, 3, 8, src, 1));
    ASSERT_EQ(DibFlipRows(dib.get()), 1);
    EXPECT_EQ(DibRow(dib.get(), 0)[0], 3);
    EXPECT_EQ(DibRow(dib.get(), 1)[0], 2);
    EXPECT_EQ(DibRow(dib.get(), 2)[0], 1);
    EXPECT_EQ(DibHeader(dib.get())->biHeight, -3);
    EXPECT_EQ(DibFlipRows(nullptr), 0);
}

TEST(PackedDibDuplicate, CopiesOnlyTheShortenedBlockOfAPaletteHolder) {
    DibPtr holder(DibCreate(1, 1, 8, nullptr, 1));
    DibHeader(holder.get())->biClrUsed = 3;
    DibPtr copy(DibDuplicate(holder.get()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(DibBlockSize(copy.get()), 40u + 12u + 4u);
    EXPECT_EQ(DibColors(copy.get())[2], (RgbQuad{0, 0, 2, 0}));
    EXPECT_EQ(DibDuplicate(nullptr), nullptr);
}

}  // namespace
}  // namespace vorlin
