#include "formats/bmp_format.h"

#include <gtest/gtest.h>

#include "core/little_endian.h"
#include "formats/format_messages.h"
#include "support/format_test_util.h"

namespace vorlin {
namespace {

using testing::ColorTable;
using testing::DecodeWith;
using testing::EncodeWith;
using testing::PatternDib;
using testing::PictureBytes;

// A minimal file: 14-byte file header, 40-byte info header, table, rows.
std::vector<std::uint8_t> BmpFile(int width, int height, int bpp, std::uint32_t clrUsed,
                                  std::uint32_t compression = 0, std::uint16_t planes = 1) {
    std::vector<std::uint8_t> f(54);
    PutLe16(f.data(), 19778);
    PutLe32(f.data() + 14, 40);
    PutLe32(f.data() + 18, static_cast<std::uint32_t>(width));
    PutLe32(f.data() + 22, static_cast<std::uint32_t>(height));
    PutLe16(f.data() + 26, planes);
    PutLe16(f.data() + 28, static_cast<std::uint32_t>(bpp));
    PutLe32(f.data() + 30, compression);
    PutLe32(f.data() + 46, clrUsed);
    const std::uint32_t colors = clrUsed ? clrUsed : bpp <= 8 ? 1u << bpp : 0;
    for (std::uint32_t i = 0; i < std::min(colors, 300u); ++i)
        f.insert(f.end(), {std::uint8_t(i), 0x10, 0x20, 0});
    PutLe32(f.data() + 10, static_cast<std::uint32_t>(f.size()));
    const std::size_t rows =
        DibStrideFor(width, bpp) * static_cast<std::size_t>(height < 0 ? -height : height);
    for (std::size_t i = 0; i < rows; ++i) f.push_back(static_cast<std::uint8_t>(i * 13 + 1));
    return f;
}

TEST(BmpFormat, RoundTripsEveryDepthFromBothOrientations) {
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        for (int topDown : {0, 1}) {
            DibPtr picture = PatternDib(13, 5, bpp);
            if (bpp == 32)  // the reserved byte is not kept
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < 13; ++x) DibRow(picture.get(), y)[4 * x + 3] = 0;
            if (!topDown) {
                DibFlipRows(picture.get());
                DibHeader(picture.get())->biHeight = 5;
            }
            BmpFormat format;
            DibPtr back = DecodeWith(format, EncodeWith(format, picture.get()));
            ASSERT_TRUE(back) << bpp << ": " << format.message;
            EXPECT_EQ(format.message, kMsgAllClear);
            EXPECT_EQ(format.depth, bpp);
            EXPECT_TRUE(DibIsTopDown(back.get()));
            EXPECT_EQ(PictureBytes(back.get()), PictureBytes(picture.get())) << bpp;
            EXPECT_EQ(ColorTable(back.get()), ColorTable(picture.get())) << bpp;
        }
    }
}

TEST(BmpFormat, WrittenHeaderFacts) {
    BmpFormat format;
    DibPtr small = PatternDib(3, 3, 8);
    auto file = EncodeWith(format, small.get());
    ASSERT_EQ(file.size(), 1090u);
    EXPECT_EQ(Le32(file.data() + 2), 1090u);
    EXPECT_EQ(Le32(file.data() + 10), 1078u);
    EXPECT_EQ(Le32(file.data() + 14), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(file.data() + 22)), 3);
    EXPECT_EQ(Le32(file.data() + 34), 12u);  // stride 4 x 3 rows
    DibPtr rgb = PatternDib(3, 3, 24);
    file = EncodeWith(format, rgb.get());
    EXPECT_EQ(Le32(file.data() + 10), 54u);
    EXPECT_EQ(file.size(), 54u + 12 * 3);
}

TEST(BmpFormat, RefusesWithTheFixedTexts) {
    BmpFormat format;
    auto notBm = BmpFile(4, 4, 8, 0);
    notBm[1] = 'A';
    EXPECT_FALSE(DecodeWith(format, notBm));
    EXPECT_EQ(format.message, kMsgFormatNotRecognized);
    EXPECT_FALSE(DecodeWith(format, BmpFile(4, 4, 8, 0, 1)));
    EXPECT_EQ(format.message, kMsgBmpCompression);
    EXPECT_FALSE(DecodeWith(format, BmpFile(4, 4, 32, 0, 3)));
    EXPECT_EQ(format.message, kMsgBmpCompression);
    EXPECT_FALSE(DecodeWith(format, BmpFile(4, 4, 8, 0, 0, 2)));
    EXPECT_EQ(format.message, kMsgBmpBitplanes);
    EXPECT_FALSE(DecodeWith(format, BmpFile(4, 4, 2, 4)));
    EXPECT_EQ(format.message, kMsgUnsupportedBitdepth);
    for (auto [w, h] : {std::pair{0, 4}, {-5, 4}, {70000, 4}, {4, 0}, {4, INT32_MIN}, {4, 70000}}) {
        auto file = BmpFile(1, 1, 8, 0);
        PutLe32(file.data() + 18, static_cast<std::uint32_t>(w));
        PutLe32(file.data() + 22, static_cast<std::uint32_t>(h));
        EXPECT_FALSE(DecodeWith(format, file)) << w << "x" << h;
        EXPECT_EQ(format.message, kMsgFormatNotRecognized);
    }
    // A colour table that cannot be in the file, and files cut inside the headers.
    EXPECT_FALSE(DecodeWith(format, BmpFile(4, 4, 8, 0x12345678)));
    EXPECT_EQ(format.message, kMsgFormatNotRecognized);
    for (std::size_t cut : {0u, 10u, 20u, 60u}) {
        auto file = BmpFile(4, 4, 8, 0);
        file.resize(cut);
        EXPECT_FALSE(DecodeWith(format, file)) << cut;
        EXPECT_EQ(format.message, kMsgFormatNotRecognized);
    }
}

TEST(BmpFormat, ColourTableCountsAndClamping) {
    BmpFormat format;
    DibPtr five = DecodeWith(format, BmpFile(4, 2, 4, 5));
    ASSERT_TRUE(five);
    EXPECT_EQ(DibColors(five.get())[4], (RgbQuad{4, 0x10, 0x20, 0}));
    EXPECT_EQ(DibColors(five.get())[5], (RgbQuad{0, 0, 5, 0}));  // initial table
    DibPtr implied = DecodeWith(format, BmpFile(4, 2, 4, 0));
    EXPECT_EQ(DibColors(implied.get())[15], (RgbQuad{15, 0x10, 0x20, 0}));
    // More entries than an 8-bit table holds: the rest are skipped, pixels still found.
    auto over = BmpFile(4, 1, 8, 300);
    DibPtr clamped = DecodeWith(format, over);
    ASSERT_TRUE(clamped) << format.message;
    EXPECT_EQ(DibColorCount(clamped.get()), 256);
    EXPECT_EQ(DibRow(clamped.get(), 0)[0], over[Le32(over.data() + 10)]);
}

TEST(BmpFormat, ShortPixelDataReadsAsIndexZero) {
    BmpFormat format;
    auto file = BmpFile(4, 3, 8, 0);
    file.resize(file.size() - 6);  // bottom row whole, middle row half, top row missing
    DibPtr dib = DecodeWith(format, file);
    ASSERT_TRUE(dib);
    const std::size_t pixels = Le32(file.data() + 10);
    EXPECT_EQ(DibPictureRow(dib.get(), 1)[1], file[pixels + 5]);
    EXPECT_EQ(DibPictureRow(dib.get(), 1)[2], 0);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(DibPictureRow(dib.get(), 0)[x], 0);
}

TEST(BmpFormat, CoreHeaderHasThreeByteEntriesAndLargerHeadersAreSkipped) {
    std::vector<std::uint8_t> core(26);
    PutLe16(core.data(), 19778);
    PutLe32(core.data() + 14, 12);
    PutLe16(core.data() + 18, 2);
    PutLe16(core.data() + 20, 1);
    PutLe16(core.data() + 22, 1);
    PutLe16(core.data() + 24, 1);
    core.insert(core.end(), {1, 2, 3, 4, 5, 6});  // two 3-byte entries
    core.insert(core.end(), {0x40, 0, 0, 0});     // pixels: 0, 1
    BmpFormat format;
    DibPtr dib = DecodeWith(format, core);
    ASSERT_TRUE(dib) << format.message;
    EXPECT_EQ(DibColors(dib.get())[1], (RgbQuad{4, 5, 6, 0}));
    EXPECT_EQ(DibRow(dib.get(), 0)[0], 0x40);

    // A 124-byte header: the table follows the whole header, pixels at the offset.
    auto v5 = BmpFile(2, 1, 8, 2);
    v5.insert(v5.begin() + 54, 84, 0xEE);
    PutLe32(v5.data() + 14, 124);
    v5.insert(v5.end() - 4, 8, 0x77);  // a gap before the pixels
    PutLe32(v5.data() + 10, static_cast<std::uint32_t>(v5.size() - 4));
    dib = DecodeWith(format, v5);
    ASSERT_TRUE(dib) << format.message;
    EXPECT_EQ(DibColors(dib.get())[1], (RgbQuad{1, 0x10, 0x20, 0}));
    EXPECT_EQ(DibRow(dib.get(), 0)[0], v5[v5.size() - 4]);
}

}  // namespace
}  // namespace vorlin
