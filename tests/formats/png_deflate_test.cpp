#include "formats/png_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <random>
#include <vector>

#include "formats/png_format.h"
#include "support/format_test_util.h"

namespace vorlin {
namespace {

using Pixel = std::function<int(int x, int y, std::mt19937& rng)>;

DibPtr Picture(int width, int height, int bpp, const Pixel& pixel) {
    DibPtr dib(DibCreate(width, height, bpp, nullptr, 1));
    std::mt19937 rng(9);
    const int perByte = 8 / bpp;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = DibPictureRow(dib.get(), y);
        std::fill_n(row, DibStride(dib.get()), 0);
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bpp * (x % perByte + 1);
            row[x / perByte] |= static_cast<std::uint8_t>((pixel(x, y, rng) & ((1 << bpp) - 1)) << shift);
        }
    }
    return dib;
}

// Deflated size of all the rows as the writer stores them, at the writer's level.
std::size_t WholeSize(PackedDib dib, int strategy) {
    std::vector<std::uint8_t> in;
    const std::size_t rowBytes = (static_cast<std::size_t>(DibWidth(dib)) * DibBitCount(dib) + 7) / 8;
    for (int y = 0; y < DibHeight(dib); ++y) {
        in.push_back(0);
        in.insert(in.end(), DibPictureRow(dib, y), DibPictureRow(dib, y) + rowBytes);
    }
    uLongf size = compressBound(static_cast<uLong>(in.size()));
    std::vector<std::uint8_t> out(size);
    z_stream z{};
    deflateInit2(&z, kPngDeflateLevel, Z_DEFLATED, 15, 8, strategy);
    z.next_in = in.data();
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    deflateEnd(&z);
    return z.total_out;
}

// The sampled choice agrees with deflating the whole picture both ways, and the
// file written with it reads back as it was.
TEST(PngPaletteStrategy, PicksWhatPacksTheWholePictureSmaller) {
    // Tiles of random colours in four banks, 40 % of them 0: short matches do not pay.
    const Pixel noisyTiles = [](int, int, std::mt19937& rng) {
        return rng() % 10 < 4 ? 0 : static_cast<int>(16 * (rng() % 4) + 1 + rng() % 15);
    };
    // A shaded picture with a little noise, as photos reduced to a palette are.
    const Pixel shaded = [](int x, int y, std::mt19937& rng) {
        return (x / 3 + y / 5 + static_cast<int>(rng() % 3)) % 256;
    };
    const Pixel stripes = [](int x, int y, std::mt19937&) { return (x / 7 + y / 2) % 2; };
    struct Row {
        const char* name;
        DibPtr picture;
        int strategy;
    };
    const Row rows[] = {
        {"noisy tiles, 8 bpp", Picture(512, 512, 8, noisyTiles), Z_FILTERED},
        {"noisy tiles, 4 bpp", Picture(1024, 256, 4, noisyTiles), Z_FILTERED},
        {"noisy tiles, one tall column", Picture(8, 40000, 8, noisyTiles), Z_FILTERED},
        {"shaded, 8 bpp", Picture(512, 512, 8, shaded), Z_DEFAULT_STRATEGY},
        {"stripes, 1 bpp", Picture(700, 300, 1, stripes), Z_DEFAULT_STRATEGY},
        {"one row", Picture(5000, 1, 8, shaded), Z_DEFAULT_STRATEGY},
    };
    for (const Row& row : rows) {
        PackedDib dib = row.picture.get();
        const int chosen = PngPaletteStrategy(dib);
        EXPECT_EQ(chosen, row.strategy) << row.name;
        const int other = chosen == Z_FILTERED ? Z_DEFAULT_STRATEGY : Z_FILTERED;
        EXPECT_LE(WholeSize(dib, chosen), WholeSize(dib, other)) << row.name;
        PngFormat format;
        DibPtr back = testing::DecodeWith(format, testing::EncodeWith(format, dib));
        ASSERT_TRUE(back) << row.name << ": " << format.message;
        EXPECT_EQ(testing::PictureBytes(back.get()), testing::PictureBytes(dib)) << row.name;
    }
}

}  // namespace
}  // namespace vorlin
