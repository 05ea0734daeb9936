#include "core/quantize.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "core/nearest_color.h"
#include "core/palette_refine.h"
#include "core/wu_quantizer.h"
#include "support/synthetic_photo.h"

namespace vorlin {
namespace {

using test::PhotoScene;
using test::SyntheticPhoto;

int BruteForceNearest(const std::vector<RgbQuad>& palette, int r, int g, int b) {
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = r - palette[i].rgbRed, dg = g - palette[i].rgbGreen,
                  db = b - palette[i].rgbBlue;
        if (dr * dr + dg * dg + db * db < bestDistance) {
            bestDistance = dr * dr + dg * dg + db * db;
            best = static_cast<int>(i);
        }
    }
    return best;
}

TEST(NearestColor, AgreesWithAFullSearchIncludingTies) {
    struct Row {
        int colours;
        int levels;  // few levels make many equal colours and equal distances
    };
    for (const Row row : {Row{1, 256}, Row{2, 256}, Row{16, 4}, Row{256, 256}, Row{256, 3}}) {
        std::mt19937 rng(static_cast<unsigned>(row.colours * 31 + row.levels));
        auto channel = [&] {
            return static_cast<std::uint8_t>(rng() % row.levels * (255 / (row.levels - 1)));
        };
        std::vector<RgbQuad> palette(static_cast<std::size_t>(row.colours));
        for (RgbQuad& c : palette) c = {channel(), channel(), channel(), 0};
        NearestColor nearest(palette.data(), row.colours);
        for (int i = 0; i < 20000; ++i) {
            const int r = static_cast<int>(rng() % 256), g = static_cast<int>(rng() % 256),
                      b = static_cast<int>(rng() % 256);
            const int expected = BruteForceNearest(palette, r, g, b);
            ASSERT_EQ(nearest.Find(r, g, b), expected)
                << row.colours << " colours at " << r << "," << g << "," << b;
            const RgbQuad& c = palette[static_cast<std::size_t>(expected)];
            const NearestColor::Hit hit = nearest.FindWithDistance(r, g, b);
            ASSERT_EQ(hit.index, expected);
            ASSERT_EQ(hit.distance, (r - c.rgbRed) * (r - c.rgbRed) +
                                        (g - c.rgbGreen) * (g - c.rgbGreen) +
                                        (b - c.rgbBlue) * (b - c.rgbBlue));
        }
    }
}

DibPtr Reduce(PackedDib src, int bpp, QuantizeQuality quality, bool dither = false) {
    return DibPtr(DibQuantize(src, bpp, QuantizeOptions{quality, dither}));
}

std::uint64_t Error(PackedDib src, PackedDib reduced) {
    DibPtr eight(DibBitCount(reduced) == 8 ? DibDuplicate(reduced) : DibConvert(reduced, 8, 0));
    return QuantizeError(src, eight.get());
}

TEST(DibQuantize, FastIsWuQuantisationUnchanged) {
    DibPtr photo = SyntheticPhoto(97, 61, PhotoScene::kObjects, 3);
    DibPtr fast = Reduce(photo.get(), 8, QuantizeQuality::kFast);
    DibPtr wu(WuQuantize(photo.get(), 256));
    ASSERT_TRUE(fast && wu);
    ASSERT_EQ(DibBlockSize(fast.get()), DibBlockSize(wu.get()));
    EXPECT_EQ(std::memcmp(fast->block, wu->block, DibBlockSize(wu.get())), 0);
}

TEST(DibQuantize, BestNeverRaisesTheErrorAndLowersItOnPhotos) {
    struct Row {
        PhotoScene scene;
        int width, height, bpp, topDown;
    };
    const Row rows[] = {{PhotoScene::kSky, 320, 240, 8, 1},
                        {PhotoScene::kObjects, 321, 199, 8, 0},
                        {PhotoScene::kSky, 150, 101, 4, 1},
                        {PhotoScene::kObjects, 64, 64, 1, 1}};
    for (const Row& row : rows) {
        DibPtr photo = SyntheticPhoto(row.width, row.height, row.scene, 9);
        if (!row.topDown)
            photo.reset(DibCreate(row.width, row.height, 24, DibPixels(photo.get()), 0));
        DibPtr fast = Reduce(photo.get(), row.bpp, QuantizeQuality::kFast);
        DibPtr best = Reduce(photo.get(), row.bpp, QuantizeQuality::kBest);
        ASSERT_TRUE(fast && best);
        EXPECT_EQ(DibBitCount(best.get()), row.bpp);
        EXPECT_EQ(DibIsTopDown(best.get()), DibIsTopDown(photo.get()));
        const std::uint64_t fastError = Error(photo.get(), fast.get());
        const std::uint64_t bestError = Error(photo.get(), best.get());
        EXPECT_LT(bestError, fastError) << row.width << "x" << row.height << " at " << row.bpp;
        // Rows past the width stay zero so equal pictures give equal files.
        if (row.bpp != 8) continue;
        for (int y = 0; y < row.height; ++y)
            for (std::size_t x = row.width; x < DibStride(best.get()); ++x)
                EXPECT_EQ(DibRow(best.get(), y)[x], 0);
    }
}

TEST(DibQuantize, BestKeepsExactColoursOfAFewColourPicture) {
    DibPtr photo(DibCreate(5, 3, 24, nullptr, 1));
    const std::uint8_t colours[3][3] = {{10, 200, 30}, {250, 250, 250}, {0, 0, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) std::memcpy(DibRow(photo.get(), y) + 3 * x, colours[(x + y) % 3], 3);
    DibPtr best = Reduce(photo.get(), 8, QuantizeQuality::kBest);
    ASSERT_TRUE(best);
    EXPECT_EQ(QuantizeError(photo.get(), best.get()), 0u);
}

// Mean colour error over 8 x 8 blocks: what the eye averages.
double BlockError(PackedDib src, PackedDib eight) {
    double total = 0;
    for (int by = 0; by + 8 <= DibHeight(src); by += 8)
        for (int bx = 0; bx + 8 <= DibWidth(src); bx += 8)
            for (int ch = 0; ch < 3; ++ch) {
                int want = 0, got = 0;
                for (int y = by; y < by + 8; ++y)
                    for (int x = bx; x < bx + 8; ++x) {
                        want += DibRow(src, y)[3 * x + ch];
                        const RgbQuad& c = DibColors(eight)[DibRow(eight, y)[x]];
                        got += ch == 0 ? c.rgbBlue : ch == 1 ? c.rgbGreen : c.rgbRed;
                    }
                total += std::abs(want - got) / 64.0;
            }
    return total;
}

TEST(DibQuantize, DitheringKeepsAreaColoursCloser) {
    DibPtr photo = SyntheticPhoto(128, 96, PhotoScene::kSky, 4);
    for (QuantizeQuality quality : {QuantizeQuality::kFast, QuantizeQuality::kBest}) {
        DibPtr plain = Reduce(photo.get(), 4, quality);
        DibPtr dithered = Reduce(photo.get(), 4, quality, true);
        ASSERT_TRUE(plain && dithered);
        DibPtr plain8(DibConvert(plain.get(), 8, 0)), dithered8(DibConvert(dithered.get(), 8, 0));
        EXPECT_LT(BlockError(photo.get(), dithered8.get()), BlockError(photo.get(), plain8.get()) * 0.8);
    }
}

TEST(DibQuantize, RefusesBadRequests) {
    DibPtr photo = SyntheticPhoto(4, 4, PhotoScene::kSky, 1);
    EXPECT_EQ(DibQuantize(nullptr, 8, {}), nullptr);
    EXPECT_EQ(DibQuantize(photo.get(), 3, {}), nullptr);
    EXPECT_EQ(DibQuantize(photo.get(), 16, {}), nullptr);
    DibPtr eight(DibCreate(4, 4, 8, nullptr, 1));
    EXPECT_EQ(DibQuantize(eight.get(), 8, {}), nullptr);
}

}  // namespace
}  // namespace vorlin
