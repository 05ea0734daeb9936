#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/little_endian.h"
#include "export/export_job.h"
#include "export/tile_ops.h"

namespace vorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

DibPtr Picture(int w, int h, std::uint8_t fill = 0) {
    DibPtr dib(DibCreate(w, h, 8, nullptr, 1));
    std::memset(DibPixels(dib.get()), fill, DibHeader(dib.get())->biSizeImage);
    return dib;
}

void Set(PackedDib dib, int x, int y, std::uint8_t v) {
    DibPictureRow(dib, y)[x] = v;
}

// Paints an 8x8 tile from a 64-byte pattern at tile column tx, row ty.
void PutTile(PackedDib dib, int tx, int ty, const Bytes& tile) {
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j) Set(dib, tx * 8 + j, ty * 8 + i, tile[i * 8 + j]);
}

Bytes Asymmetric(std::uint8_t value) {
    Bytes t(64, 0);
    t[0] = t[1] = t[9] = value;  // top-left corner only
    return t;
}

Bytes Mirrored(const Bytes& t, int xFlip, int yFlip) {
    Bytes out(64);
    OrientTile(t.data(), xFlip, yFlip, out.data());
    return out;
}

ExportJobPtr Job(DibPtr picture, std::uint32_t imgFlags, int bpp, std::uint32_t mapFlags = 0) {
    ExportJobPtr job(ExportJobNew());
    job->right = DibWidth(picture.get());
    job->bottom = DibHeight(picture.get());
    job->image = std::move(picture);
    job->outFlags = OUT_CONVERT_ONLY;
    job->imgFlags = imgFlags;
    job->bpp = bpp;
    job->mapFlags = mapFlags;
    job->metaWidth = job->metaHeight = 1;
    return job;
}

std::vector<std::uint16_t> Entries(const DataBlock& block) {
    std::vector<std::uint16_t> out;
    for (std::size_t i = 0; i + 1 < block.bytes.size(); i += 2)
        out.push_back(Le16(&block.bytes[i]));
    return out;
}

using Entry16 = std::vector<std::uint16_t>;

ExportJobPtr Converted(ExportJobPtr job) {
    EXPECT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(ExportConvert(job.get()), 1);
    return job;
}

TEST(ExportConvertReduce, UniformAreasAndTheBlankTile) {
    auto job = Converted(Job(Picture(16, 16, 5), BLK_EXPORT, 8, BLK_EXPORT | MAP_REDUCE));
    EXPECT_EQ(Entries(job->mapData), (Entry16{1, 1, 1, 1}));
    ASSERT_EQ(job->imgData.bytes.size(), 128u);
    EXPECT_EQ(Bytes(job->imgData.bytes.begin(), job->imgData.bytes.begin() + 64), Bytes(64, 0));
    EXPECT_EQ(Bytes(job->imgData.bytes.begin() + 64, job->imgData.bytes.end()), Bytes(64, 5));

    job = Converted(Job(Picture(16, 16, 0), BLK_EXPORT, 8, BLK_EXPORT | MAP_REDUCE));
    EXPECT_EQ(Entries(job->mapData), (Entry16{0, 0, 0, 0}));
    EXPECT_EQ(job->imgData.bytes, Bytes(64, 0));
    EXPECT_EQ(DibHeight(job->work.get()), 8);
}

TEST(ExportConvertReduce, FlipsTakeTheFirstMatchInTestOrder) {
    const Bytes tile = Asymmetric(7);
    for (bool mirrorFirst : {false, true}) {
        DibPtr pic = Picture(16, 8);
        PutTile(pic.get(), mirrorFirst ? 1 : 0, 0, tile);
        PutTile(pic.get(), mirrorFirst ? 0 : 1, 0, Mirrored(tile, 7, 0));
        auto job =
            Converted(Job(std::move(pic), BLK_EXPORT, 8, BLK_EXPORT | MAP_REDUCE | MAP_FLIP));
        EXPECT_EQ(Entries(job->mapData), (Entry16{0x0001, 0x0401}));
        EXPECT_EQ(DibHeight(job->work.get()), 16);
    }
    // Vertical is tried before horizontal; a tile symmetric both ways matches unflipped.
    DibPtr pic = Picture(32, 8);
    Bytes symmetric(64, 0);
    symmetric[0] = symmetric[7] = symmetric[56] = symmetric[63] = 3;
    PutTile(pic.get(), 0, 0, tile);
    PutTile(pic.get(), 1, 0, Mirrored(tile, 7, 7));
    PutTile(pic.get(), 2, 0, symmetric);
    PutTile(pic.get(), 3, 0, symmetric);
    auto job = Converted(Job(std::move(pic), BLK_EXPORT, 8, BLK_EXPORT | MAP_REDUCE | MAP_FLIP));
    EXPECT_EQ(Entries(job->mapData), (Entry16{0x0001, 0x0C01, 0x0002, 0x0002}));
    // Without MAP_FLIP the mirror is a tile of its own.
    DibPtr plain = Picture(16, 8);
    PutTile(plain.get(), 0, 0, tile);
    PutTile(plain.get(), 1, 0, Mirrored(tile, 0, 7));
    job = Converted(Job(std::move(plain), BLK_EXPORT, 8, BLK_EXPORT | MAP_REDUCE));
    EXPECT_EQ(Entries(job->mapData), (Entry16{0x0001, 0x0002}));
}

TEST(ExportConvertReduce, PaletteBanksCompareLowNibbles) {
    DibPtr pic = Picture(24, 8);
    PutTile(pic.get(), 0, 0, Bytes(64, 0x23));
    PutTile(pic.get(), 1, 0, Bytes(64, 0x53));
    PutTile(pic.get(), 2, 0, Bytes(64, 0x40));  // zero low bits: blank tile, bank 0
    auto job = Converted(Job(std::move(pic), BLK_EXPORT, 4, BLK_EXPORT | MAP_REDUCE | MAP_PALBANK));
    EXPECT_EQ(Entries(job->mapData), (Entry16{0x2001, 0x5001, 0x0000}));
    ASSERT_EQ(DibHeight(job->work.get()), 16);
    EXPECT_EQ(DibPictureRow(job->work.get(), 8)[0], 0x23);  // stored with all 8 bits
    // At 4 bpp the high nibbles are dropped: 32 bytes of 0x33 after the blank tile.
    ASSERT_EQ(job->imgData.bytes.size(), 64u);
    EXPECT_EQ(job->imgData.bytes[32], 0x33);
}

TEST(ExportConvertMap, BanksAndTileOffsetBothWays) {
    const Bytes a = Asymmetric(9), b = Asymmetric(0x14);
    auto make = [&](std::int32_t offset) {
        DibPtr pic = Picture(32, 8);
        PutTile(pic.get(), 1, 0, a);
        PutTile(pic.get(), 2, 0, b);
        PutTile(pic.get(), 3, 0, Mirrored(b, 7, 7));
        auto job = Job(std::move(pic), BLK_EXPORT, 8, BLK_EXPORT | MAP_REDUCE | MAP_FLIP);
        job->tileOffset = offset;
        return Converted(std::move(job));
    };
    EXPECT_EQ(Entries(make(0)->mapData), (Entry16{0x0000, 0x0001, 0x0002, 0x0C02}));
    EXPECT_EQ(Entries(make(512)->mapData), (Entry16{0x0000, 0x0201, 0x0202, 0x0E02}));
    EXPECT_EQ(Entries(make(-1)->mapData), (Entry16{0x03FF, 0x0000, 0x0001, 0x0C01}));
    EXPECT_EQ(Entries(make(1023 + 1024 * 5)->mapData), (Entry16{0x0000, 0x0000, 0x0001, 0x0C01}));
    // Without reduction the entries count tiles and still carry each tile's bank.
    DibPtr pic = Picture(24, 8, 0x31);
    auto job = Converted(Job(std::move(pic), 0, 8, BLK_EXPORT));
    EXPECT_EQ(Entries(job->mapData), (Entry16{0x3000, 0x3001, 0x3002}));
    EXPECT_TRUE(job->imgData.bytes.empty());
}

// Tile at tile column tx, row ty gets bytes (tx + 1, ty + 1) in its first row.
DibPtr Numbered(int w, int h) {
    DibPtr pic = Picture(w, h);
    for (int ty = 0; ty < h / 8; ++ty)
        for (int tx = 0; tx < w / 8; ++tx) {
            Set(pic.get(), tx * 8, ty * 8, static_cast<std::uint8_t>(tx + 1));
            Set(pic.get(), tx * 8 + 1, ty * 8, static_cast<std::uint8_t>(ty + 1));
        }
    return pic;
}

TEST(ExportConvertArrange, ScreenBlocksComeOneAfterTheOther) {
    auto job = Converted(Job(Numbered(512, 256), BLK_EXPORT, 8, BLK_EXPORT | MAP_SBB));
    const Bytes& g = job->imgData.bytes;
    ASSERT_EQ(g.size(), 2048u * 64);
    for (int k : {0, 31, 32, 1023, 1024, 1057, 2047}) {
        const int column = (k % 1024) % 32 + (k >= 1024 ? 32 : 0), row = (k % 1024) / 32;
        EXPECT_EQ(g[k * 64], column + 1) << k;
        EXPECT_EQ(g[k * 64 + 1], row + 1) << k;
    }
    EXPECT_EQ(job->mapData.count, 2048);
    // Tile numbers wrap at 1024; the first pixel 33 = 0x21 gives bank 2.
    EXPECT_EQ(Entries(job->mapData)[1024], 0x2000);
}

// The largest affine background, 128 x 128 tiles: its tile column is far taller
// than any picture, and every tile must still reach the map and the graphics.
TEST(ExportConvertArrange, LargestAffineMapIsOneColumnOfTiles) {
    auto job = Converted(Job(Numbered(1024, 1024), BLK_EXPORT, 8, BLK_EXPORT | MAP_AFFINE));
    ASSERT_EQ(DibWidth(job->work.get()), 8);
    ASSERT_EQ(job->mapData.count, 16384);
    const Bytes& g = job->imgData.bytes;
    ASSERT_EQ(g.size(), 16384u * 64);
    for (int k : {0, 127, 128, 16383}) {
        EXPECT_EQ(g[k * 64], k % 128 + 1) << k;
        EXPECT_EQ(g[k * 64 + 1], static_cast<std::uint8_t>(k / 128 + 1)) << k;
    }
    EXPECT_EQ(job->mapData.bytes[300], 300 % 256);
}

TEST(ExportConvertArrange, UnarrangedPictureKeepsItsPixelsAndGetsNoMap) {
    // Unvalidated, the area is shorter than one 1 x 2 group: the re-layout fails
    // and the picture stays as it is instead of being reduced to nothing.
    auto job = Job(Picture(16, 8, 3), BLK_EXPORT, 8, BLK_EXPORT | MAP_REDUCE);
    job->metaHeight = 2;
    ASSERT_EQ(ExportConvert(job.get()), 1);
    EXPECT_EQ(DibWidth(job->work.get()), 16);
    EXPECT_TRUE(job->mapData.bytes.empty());
    EXPECT_EQ(job->imgData.bytes, Bytes(128, 3));
}

TEST(ExportConvertArrange, TileGroupsMakeMetaTilesAndAMetaMap) {
    auto job = Job(Numbered(64, 32), BLK_EXPORT, 8, BLK_EXPORT);
    job->metaWidth = job->metaHeight = 2;
    job = Converted(std::move(job));
    const Bytes& g = job->imgData.bytes;
    ASSERT_EQ(g.size(), 32u * 64);
    // Group order: the first group holds tiles (0,0), (1,0), (0,1), (1,1); the second starts at
    // (2,0).
    const int expected[][2] = {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {3, 1}};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(g[k * 64], expected[k][0]) << k;
        EXPECT_EQ(g[k * 64 + 1], expected[k][1]) << k;
    }
    EXPECT_EQ(job->mapData.count, 32);
    EXPECT_EQ(Entries(job->metaData), (Entry16{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ExportMapColumns(*job), 4);
    EXPECT_EQ(ExportMapRows(*job), 2);
}

TEST(ExportConvertArrange, RepeatedGroupsShareAMetaTile) {
    DibPtr pic = Picture(32, 8);
    PutTile(pic.get(), 0, 0, Bytes(64, 0x12));
    PutTile(pic.get(), 2, 0, Bytes(64, 0x32));
    auto job = Job(std::move(pic), 0, 4, BLK_EXPORT | MAP_REDUCE | MAP_PALBANK | MAP_META_PAL);
    job->metaWidth = 2;
    job = Converted(std::move(job));
    // Both groups are (tile 1, blank); under MAP_META_PAL the bank moves to the meta-map.
    EXPECT_EQ(Entries(job->mapData), (Entry16{0x1001, 0x0000}));
    EXPECT_EQ(Entries(job->metaData), (Entry16{0x1000, 0x3000}));

    job = Job(Picture(32, 8, 0x12), 0, 8, BLK_EXPORT);
    job->metaWidth = 2;
    job->mapFlags |= MAP_META_PAL;
    job = Converted(std::move(job));
    EXPECT_EQ(Entries(job->mapData), (Entry16{0x1000, 0x1001, 0x1002, 0x1003}));
}

TEST(ExportConvertMap, AffineEntriesAreLowBytes) {
    DibPtr pic = Picture(300 * 8, 8);
    for (int t = 0; t < 300; ++t) {
        Set(pic.get(), t * 8, 0, static_cast<std::uint8_t>(t % 256));
        Set(pic.get(), t * 8 + 1, 0, static_cast<std::uint8_t>(1 + t / 256));
    }
    auto job = Converted(Job(std::move(pic), 0, 8, BLK_EXPORT | MAP_REDUCE | MAP_AFFINE));
    ASSERT_EQ(job->mapData.elementSize, 1);
    ASSERT_EQ(job->mapData.count, 300);
    EXPECT_EQ(job->mapData.bytes[0], 1);
    EXPECT_EQ(job->mapData.bytes[255], 0);  // unique tile 256
    EXPECT_EQ(job->mapData.bytes[299], 44);
}

TEST(ExportConvertGraphics, PackingIsLeastSignificantFirst) {
    DibPtr pic = Picture(8, 8);
    Set(pic.get(), 0, 0, 0x21);
    Set(pic.get(), 1, 0, 0x43);
    auto job = Converted(Job(std::move(pic), BLK_EXPORT, 4));
    ASSERT_EQ(job->imgData.bytes.size(), 32u);
    EXPECT_EQ(job->imgData.bytes[0], 0x31);

    DibPtr mono = Picture(8, 8);
    Set(mono.get(), 0, 0, 1);
    Set(mono.get(), 3, 0, 1);
    Set(mono.get(), 0, 1, 3);
    job = Converted(Job(std::move(mono), BLK_EXPORT, 1));
    ASSERT_EQ(job->imgData.bytes.size(), 8u);
    EXPECT_EQ(job->imgData.bytes[0], 0x09);
    EXPECT_EQ(job->imgData.bytes[1], 0x01);

    DibPtr two = Picture(8, 8);
    for (int x = 0; x < 4; ++x) Set(two.get(), x, 0, static_cast<std::uint8_t>(x));
    job = Converted(Job(std::move(two), BLK_EXPORT, 2));
    ASSERT_EQ(job->imgData.bytes.size(), 16u);
    EXPECT_EQ(job->imgData.bytes[0], 0xE4);
}

TEST(ExportConvertGraphics, BitmapRowsKeepTheirPadding) {
    DibPtr pic = Picture(6, 2, 9);
    auto job = Job(std::move(pic), BLK_EXPORT | IMG_BITMAP, 8);
    job = Converted(std::move(job));
    EXPECT_EQ(job->imgData.bytes, (Bytes{9, 9, 9, 9, 9, 9, 0, 0, 9, 9, 9, 9, 9, 9, 0, 0}));

    DibPtr colors = Picture(3, 1);
    DibColors(colors.get())[0] = RgbQuad{0, 0, 255, 0};    // red
    DibColors(colors.get())[1] = RgbQuad{255, 0, 0, 0};    // blue
    DibColors(colors.get())[2] = RgbQuad{0, 255, 255, 0};  // yellow: the key
    Set(colors.get(), 0, 0, 1);
    Set(colors.get(), 1, 0, 2);
    Set(colors.get(), 2, 0, 0);
    job = Job(std::move(colors), BLK_EXPORT | IMG_BITMAP | IMG_COLOR_KEY, 16);
    job->colorKey = RgbQuad{0, 255, 255, 0};
    job = Converted(std::move(job));
    // Blue, keyed yellow, red, then the padding unit in index 0's colour.
    EXPECT_EQ(job->imgData.bytes, (Bytes{0x00, 0x7C, 0xFF, 0x83, 0x1F, 0x00, 0x1F, 0x00}));
}

TEST(ExportConvertGraphics, AreaOutsideThePictureIsIndexZero) {
    auto job = Job(Picture(8, 8, 4), BLK_EXPORT, 8);
    job->left = 4;
    job->top = 4;
    job->right = 12;
    job->bottom = 12;
    job = Converted(std::move(job));
    ASSERT_EQ(job->imgData.bytes.size(), 64u);
    EXPECT_EQ(job->imgData.bytes[0], 4);
    EXPECT_EQ(job->imgData.bytes[4], 0);
    EXPECT_EQ(job->imgData.bytes[63], 0);
    job->left = job->right = 3;
    EXPECT_EQ(ExportConvert(job.get()), 0);  // empty area
}

TEST(ExportConvertPalette, EntriesAreFifteenBitAndPaddedToEven) {
    DibPtr pic = Picture(8, 8);
    DibColors(pic.get())[1] = RgbQuad{0, 0, 255, 0};
    DibColors(pic.get())[2] = RgbQuad{255, 255, 255, 0};
    DibColors(pic.get())[3] = RgbQuad{8, 16, 24, 0};
    auto job = Job(std::move(pic), 0, 8);
    job->palFlags = BLK_EXPORT;
    job->palStart = 1;
    job->palEnd = 4;
    job = Converted(std::move(job));
    EXPECT_EQ(job->palData.elementSize, 2);
    EXPECT_EQ(Entries(job->palData), (Entry16{0x001F, 0x7FFF, 0x0443, 0x0000}));

    job->palFlags = WithCompression(BLK_EXPORT, BLK_CPRS_RLE);
    ASSERT_EQ(ExportConvert(job.get()), 1);
    EXPECT_EQ(job->palData.elementSize, 1);
    EXPECT_EQ(job->palData.bytes[0], 0x30);
    EXPECT_TRUE(job->imgData.bytes.empty());
}

}  // namespace
}  // namespace vorlin
