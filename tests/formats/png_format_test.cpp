#include "formats/png_format.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>

#include "formats/format_messages.h"
#include "support/format_test_util.h"

namespace vorlin {
namespace {

using testing::ColorTable;
using testing::DecodeWith;
using testing::EncodeWith;
using testing::PatternDib;
using testing::PictureBytes;

const std::filesystem::path kGenerated = std::filesystem::path(VORLIN_TESTDATA_DIR) / "generated";

// The bytes of the tRNS chunk's data, or nothing.
std::vector<std::uint8_t> TransparencyChunk(const std::vector<std::uint8_t>& file) {
    for (std::size_t pos = 8; pos + 8 <= file.size();) {
        const std::uint32_t length =
            (file[pos] << 24) | (file[pos + 1] << 16) | (file[pos + 2] << 8) | file[pos + 3];
        if (std::memcmp(&file[pos + 4], "tRNS", 4) == 0)
            return {file.begin() + static_cast<long>(pos) + 8,
                    file.begin() + static_cast<long>(pos + 8 + length)};
        pos += 12 + length;
    }
    return {};
}

TEST(PngFormat, RoundTripsEveryWrittenDepth) {
    for (int bpp : {1, 4, 8, 24, 32}) {
        DibPtr picture = PatternDib(11, 7, bpp);
        PngFormat format;
        DibPtr back = DecodeWith(format, EncodeWith(format, picture.get()));
        ASSERT_TRUE(back) << bpp << ": " << format.message;
        EXPECT_EQ(format.depth, bpp);
        EXPECT_EQ(PictureBytes(back.get()), PictureBytes(picture.get())) << bpp;
        EXPECT_EQ(ColorTable(back.get(), DibColorCount(picture.get())), ColorTable(picture.get()))
            << bpp;
    }
}

TEST(PngFormat, AlphaConventionIsTheSameBothWays) {
    // The fourth byte is 255 - alpha: 0 is opaque, so a picture made from a palette is opaque.
    DibPtr picture(DibCreate(2, 1, 32, nullptr, 1));
    const std::uint8_t pixels[8] = {10, 20, 30, 0, 40, 50, 60, 255};
    std::memcpy(DibPixels(picture.get()), pixels, 8);
    PngFormat format;
    const auto file = EncodeWith(format, picture.get());
    DibPtr back = DecodeWith(format, file);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::memcmp(DibPixels(back.get()), pixels, 8), 0);
    const auto rgba = testing::ToRgba(back.get());
    EXPECT_EQ(rgba[3], 255);
    EXPECT_EQ(rgba[7], 0);
}

TEST(PngFormat, TransparencyChunkMakesOnlyTheChosenIndexTransparent) {
    DibPtr picture = PatternDib(4, 4, 8);
    PngFormat format;
    format.transparent = 1;
    auto file = EncodeWith(format, picture.get());
    EXPECT_EQ(TransparencyChunk(file), std::vector<std::uint8_t>{0});
    PngFormat reader;
    ASSERT_TRUE(DecodeWith(reader, file));
    EXPECT_EQ(reader.transparent, 1);
    format.transparentIndex = 2;
    file = EncodeWith(format, picture.get());
    EXPECT_EQ(TransparencyChunk(file), (std::vector<std::uint8_t>{255, 255, 0}));
    format.transparent = 0;
    EXPECT_TRUE(TransparencyChunk(EncodeWith(format, picture.get())).empty());
}

TEST(PngFormat, RefusesWhatItCannotWriteOrRead) {
    PngFormat format;
    DibPtr wide = PatternDib(2, 2, 16);
    EXPECT_TRUE(EncodeWith(format, wide.get()).empty());
    EXPECT_EQ(format.message, kMsgPng16Bits);
    EXPECT_FALSE(DecodeWith(format, {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(format.message, kMsgFormatNotRecognized);
    DibPtr picture = PatternDib(30, 30, 24);
    auto file = EncodeWith(format, picture.get());
    file.resize(file.size() / 2);
    EXPECT_FALSE(DecodeWith(format, file));
    EXPECT_FALSE(format.message.empty());
    EXPECT_NE(format.message, kMsgAllClear);
}

TEST(PngFormat, OpensTwoBitGreyAlphaAndInterlacedFiles) {
    if (!std::filesystem::exists(kGenerated)) GTEST_SKIP() << "no shared test data";
    PngFormat format;
    ASSERT_TRUE(format.Read((kGenerated / "png_p2.png").string())) << format.message;
    EXPECT_EQ(format.depth, 4);
    ASSERT_TRUE(format.Read((kGenerated / "png_grey2_interlaced.png").string())) << format.message;
    EXPECT_EQ(format.depth, 4);
    EXPECT_EQ(DibColors(format.image.get())[1], (RgbQuad{85, 85, 85, 0}));
    ASSERT_TRUE(format.Read((kGenerated / "png_greyalpha8.png").string())) << format.message;
    EXPECT_EQ(format.depth, 32);
    ASSERT_TRUE(format.Read((kGenerated / "png_grey4.png").string())) << format.message;
    EXPECT_EQ(DibColors(format.image.get())[2], (RgbQuad{34, 34, 34, 0}));
    ASSERT_TRUE(format.Read((kGenerated / "png_rgb16.png").string())) << format.message;
    EXPECT_EQ(format.depth, 24);
    EXPECT_EQ(format.transparent, 0);
    ASSERT_TRUE(format.Read((kGenerated / "png_p4_trns.png").string())) << format.message;
    EXPECT_EQ(format.transparent, 1);
}

}  // namespace
}  // namespace vorlin
