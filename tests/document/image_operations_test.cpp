#include "document/image_operations.h"

#include <gtest/gtest.h>

#include <vector>

#include "export/export_job.h"
#include "export/tile_ops.h"
#include "support/fake_ui_services.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ImageOperations : ::testing::Test {
    // A picture of the given size whose pixel (x, y) is painter(x, y).
    template <typename Painter>
    void Paint(int w, int h, Painter painter) {
        Bytes pixels;
        const int stride = (w + 3) / 4 * 4;
        pixels.assign(static_cast<std::size_t>(stride) * h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels[y * stride + x] = painter(x, y);
        ASSERT_EQ(doc.image.Create(w, h, nullptr, pixels.data()), 1);
        doc.backup.CopyFrom(&doc.image);
        doc.SetModifiedFlag(false);
    }
    Bytes Tile(int tx, int ty) const {
        Bytes t(kTileBytes);
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 8; ++j)
                t[i * 8 + j] =
                    static_cast<std::uint8_t>(doc.image.GetPixel(tx * 8 + j, ty * 8 + i));
        return t;
    }

    ScopedTempProfile profile;
    CVorlinDoc doc;
};

TEST(RoundUpPowerOfTwo, RoundsUpAndFloorsAtOne) {
    const int cases[][2] = {{100, 128}, {128, 128}, {1, 1}, {0, 1},          {-5, 1},
                            {129, 256}, {2, 2},     {3, 4}, {65537, 131072}, {INT32_MAX, 1 << 30}};
    for (auto [in, out] : cases) EXPECT_EQ(RoundUpPowerOfTwo(in), out) << in;
}

TEST_F(ImageOperations, RearrangeToAColumnAndBack) {
    // Each quarter of the 16 x 16 picture has its own index.
    Paint(16, 16, [](int x, int y) { return static_cast<std::uint8_t>(1 + x / 8 + 2 * (y / 8)); });
    doc.image.Palette()[3] = RgbQuad{1, 2, 3, 0};
    ASSERT_TRUE(RearrangeImage(doc, 8, 8).ok);
    EXPECT_EQ(doc.image.Width(), 8);
    EXPECT_EQ(doc.image.Height(), 32);
    for (int q = 0; q < 4; ++q) EXPECT_EQ(doc.image.GetPixel(5, q * 8 + 3), 1 + q) << q;
    EXPECT_EQ(doc.image.Palette()[3], (RgbQuad{1, 2, 3, 0}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.history.UndoCount(), 1);
    EXPECT_EQ(doc.backup.Height(), 32);

    ASSERT_TRUE(RearrangeImage(doc, 16, 8).ok);
    ASSERT_EQ(doc.image.Width(), 16);
    EXPECT_EQ(doc.image.GetPixel(12, 12), 4);
    EXPECT_EQ(doc.image.GetPixel(12, 3), 2);

    doc.history.Undo();
    EXPECT_EQ(doc.image.Width(), 8);
    EXPECT_EQ(doc.image.Height(), 32);
}

TEST_F(ImageOperations, RearrangeFailuresChangeNothing) {
    Paint(16, 16, [](int x, int) { return static_cast<std::uint8_t>(x); });
    for (auto [w, h] : {std::pair{0, 8}, {8, 0}, {-8, 8}, {8, 17}}) {
        const OperationResult result = RearrangeImage(doc, w, h);
        EXPECT_FALSE(result.ok) << w << "x" << h;
        EXPECT_EQ(result.message, kRearrangeFailed) << w << "x" << h;
    }
    EXPECT_EQ(doc.image.Width(), 16);
    EXPECT_EQ(doc.history.UndoCount(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ImageOperations, ReduceToUniqueTiles) {
    Paint(16, 16, [](int x, int y) { return static_cast<std::uint8_t>(x < 8 && y < 8 ? 5 : 0); });
    ASSERT_TRUE(ReduceImageTiles(doc, false, false, 1, 1).ok);
    EXPECT_EQ(doc.image.Width(), 8);
    EXPECT_EQ(doc.image.Height(), 16);
    EXPECT_EQ(Tile(0, 0), Bytes(64, 0));
    EXPECT_EQ(Tile(0, 1), Bytes(64, 5));
    EXPECT_EQ(doc.history.UndoCount(), 1);
    EXPECT_TRUE(doc.IsModified());

    // With banks, tiles that differ only in their bank are one tile.
    Paint(16, 8, [](int x, int) { return static_cast<std::uint8_t>(x < 8 ? 0x15 : 0x25); });
    ASSERT_TRUE(ReduceImageTiles(doc, true, false, 1, 1).ok);
    EXPECT_EQ(doc.image.Height(), 16);
    EXPECT_EQ(Tile(0, 1), Bytes(64, 0x15));

    Paint(24, 16, [](int, int) { return std::uint8_t{0}; });
    ASSERT_TRUE(ReduceImageTiles(doc, true, true, 1, 1).ok);
    EXPECT_EQ(doc.image.Width(), 8);
    EXPECT_EQ(doc.image.Height(), 8);
    doc.history.Undo();
    EXPECT_EQ(doc.image.Width(), 24);
}

TEST_F(ImageOperations, ReduceOfALargePictureKeepsEveryUniqueTile) {
    // 1024 x 1024 pixels are 16 384 tiles; 9 000 of them differ, so the unique
    // column is 72 008 rows, taller than any picture the size dialog allows.
    Paint(1024, 1024, [](int x, int y) {
        const int tile = (y / 8) * 128 + x / 8;
        if (tile >= 9000 || (x % 8) > 1 || (y % 8) != 0) return std::uint8_t{0};
        return static_cast<std::uint8_t>(x % 8 == 0 ? 1 + tile % 250 : 1 + tile / 250);
    });
    const OperationResult result = ReduceImageTiles(doc, false, false, 1, 1);
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(result.message, kExportFailed);
    EXPECT_EQ(doc.image.Width(), 1024);
    EXPECT_EQ(doc.history.UndoCount(), 0);

    // 4 000 distinct tiles fit: one blank tile plus every distinct one, in order.
    Paint(1024, 1024, [](int x, int y) {
        const int tile = ((y / 8) * 128 + x / 8) % 4000;
        if ((x % 8) > 1 || (y % 8) != 0) return std::uint8_t{0};
        return static_cast<std::uint8_t>(x % 8 == 0 ? 1 + tile % 250 : 1 + tile / 250);
    });
    ASSERT_TRUE(ReduceImageTiles(doc, false, false, 1, 1).ok);
    EXPECT_EQ(doc.image.Width(), 8);
    ASSERT_EQ(doc.image.Height(), 8 * 4001);
    EXPECT_EQ(doc.image.GetPixel(0, 8 * 3999 + 8), 1 + 3999 % 250);
    EXPECT_EQ(doc.image.GetPixel(1, 8 * 3999 + 8), 1 + 3999 / 250);
}

TEST_F(ImageOperations, ReduceWithGroupsRedrawsFlippedTiles) {
    // Groups of 2 x 1 tiles: (A, mirror of A) twice, then (blank, A).
    Bytes a(64, 0);
    a[0] = a[1] = a[10] = 7;
    Bytes mirrored(64);
    OrientTile(a.data(), 7, 0, mirrored.data());
    const Bytes* layout[] = {&a, &mirrored, &a, &mirrored, nullptr, &a};
    Paint(48, 8, [&](int x, int y) {
        const Bytes* t = layout[x / 8];
        return t ? (*t)[y * 8 + x % 8] : std::uint8_t{0};
    });
    ASSERT_TRUE(ReduceImageTiles(doc, false, true, 2, 1).ok);
    ASSERT_EQ(doc.image.Width(), 16);
    ASSERT_EQ(doc.image.Height(), 16);
    EXPECT_EQ(Tile(0, 0), a);
    EXPECT_EQ(Tile(1, 0), mirrored);  // stored once, drawn flipped
    EXPECT_EQ(Tile(0, 1), Bytes(64, 0));
    EXPECT_EQ(Tile(1, 1), a);
}

}  // namespace
}  // namespace vorlin
