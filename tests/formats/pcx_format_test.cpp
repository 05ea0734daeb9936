#include "formats/pcx_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/little_endian.h"
#include "formats/format_messages.h"
#include "support/format_test_util.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

using testing::ColorTable;
using testing::DecodeWith;
using testing::EncodeWith;
using testing::PatternDib;
using testing::PictureBytes;

std::vector<std::uint8_t> PcxHeader(int bitsPerPlane, int planes, int width, int height,
                                    int bytesPerLine, int paletteInfo = 1) {
    std::vector<std::uint8_t> h(128);
    h[0] = 10;
    h[1] = 5;
    h[2] = 1;
    h[3] = static_cast<std::uint8_t>(bitsPerPlane);
    PutLe16(h.data() + 8, static_cast<std::uint32_t>(width - 1));
    PutLe16(h.data() + 10, static_cast<std::uint32_t>(height - 1));
    h[65] = static_cast<std::uint8_t>(planes);
    PutLe16(h.data() + 66, static_cast<std::uint32_t>(bytesPerLine));
    PutLe16(h.data() + 68, static_cast<std::uint32_t>(paletteInfo));
    return h;
}

std::vector<std::uint8_t> XMinAboveXMax() {
    auto h = PcxHeader(8, 1, 4, 4, 4);
    PutLe16(h.data() + 4, 9);
    return h;
}

TEST(PcxRunLength, EncodesRunsAndHighBytesAsPairs) {
    std::vector<std::uint8_t> out;
    const std::vector<std::uint8_t> hundred(100, 7);
    EXPECT_EQ(PcxEncodeLine(hundred.data(), hundred.size(), out), 4u);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{255, 7, 192 + 37, 7}));
    out.clear();
    const std::uint8_t mixed[] = {200, 5, 6, 6};
    PcxEncodeLine(mixed, sizeof mixed, out);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{193, 200, 5, 194, 6}));
}

TEST(PcxRunLength, DecodingStopsAtTheLineEndAndAtTheDataEnd) {
    // A run of 63 into a line of 4: the line is filled, the run is not carried on.
    const std::uint8_t longRun[] = {255, 9, 1};
    std::uint8_t line[8];
    std::memset(line, 0xAA, sizeof line);
    EXPECT_EQ(PcxDecodeLine(longRun, sizeof longRun, line, 4), 2u);
    EXPECT_EQ(line[3], 9);
    EXPECT_EQ(line[4], 0xAA);
    // Data ending inside a pair: what is missing reads as 0.
    const std::uint8_t cut[] = {3, 194};
    EXPECT_EQ(PcxDecodeLine(cut, sizeof cut, line, 4), 2u);
    EXPECT_EQ(line[0], 3);
    EXPECT_EQ(line[1], 0);
    EXPECT_EQ(line[3], 0);
}

TEST(PcxFormat, RoundTripsEveryDepthAndKeepsTheGreyFlag) {
    for (int bpp : {1, 4, 8, 24}) {
        DibPtr picture = PatternDib(21, 6, bpp);
        PcxFormat format;
        DibPtr back = DecodeWith(format, EncodeWith(format, picture.get()));
        ASSERT_TRUE(back) << bpp << ": " << format.message;
        EXPECT_EQ(PictureBytes(back.get()), PictureBytes(picture.get())) << bpp;
        const int checked = bpp == 1 ? 0 : bpp == 24 ? 0 : DibColorCount(picture.get());
        EXPECT_EQ(ColorTable(back.get(), checked), ColorTable(picture.get(), checked)) << bpp;
    }
    PcxFormat grey;
    grey.greyscale = 1;
    DibPtr picture = PatternDib(5, 2, 8);
    auto file = EncodeWith(grey, picture.get());
    EXPECT_EQ(Le16(file.data() + 68), 2);
    EXPECT_LT(file.size(), 128u + 769u);  // no trailing palette
    PcxFormat reader;
    DibPtr back = DecodeWith(reader, file);
    EXPECT_EQ(reader.greyscale, 1);
    EXPECT_EQ(DibColors(back.get())[77], (RgbQuad{77, 77, 77, 0}));
}

TEST(PcxFormat, WrittenHeaderFacts) {
    PcxFormat format;
    DibPtr four = PatternDib(20, 1, 4);
    auto file = EncodeWith(format, four.get());
    EXPECT_EQ(file[3], 1);
    EXPECT_EQ(file[65], 4);
    EXPECT_EQ(Le16(file.data() + 66), 4);  // 16 bytes per scan line before coding
    EXPECT_EQ(std::string(file.begin() + 74, file.begin() + 128),
              "     If you're reading this, you must be a geek :)    ");
    EXPECT_EQ(file[16], DibColors(four.get())[0].rgbRed);
    DibPtr rgb = PatternDib(3, 1, 24);
    file = EncodeWith(format, rgb.get());
    EXPECT_EQ(file[3], 8);
    EXPECT_EQ(file[65], 3);
    EXPECT_EQ(file[16 + 3 * 8 + 2], 255);  // default header palette entry 8 = 85, 85, 255
}

TEST(PcxFormat, ReadsOffsetsSinglePlaneNibblesAndRefusesOddLayouts) {
    auto file = PcxHeader(8, 1, 1, 1, 2);
    PutLe16(file.data() + 4, 10);
    PutLe16(file.data() + 8, 19);
    PutLe16(file.data() + 66, 10);
    file.insert(file.end(), {0xCA, 3});  // ten bytes of 3
    PcxFormat format;
    DibPtr dib = DecodeWith(format, file);
    ASSERT_TRUE(dib) << format.message;
    EXPECT_EQ(DibWidth(dib.get()), 10);
    EXPECT_EQ(DibRow(dib.get(), 0)[9], 3);

    auto nibbles = PcxHeader(4, 1, 3, 1, 2);
    nibbles.insert(nibbles.end(), {0x12, 0x30});
    dib = DecodeWith(format, nibbles);
    ASSERT_TRUE(dib) << format.message;
    EXPECT_EQ(DibRow(dib.get(), 0)[0], 0x12);
    EXPECT_EQ(DibRow(dib.get(), 0)[1], 0x30);

    const std::pair<std::vector<std::uint8_t>, const char*> refused[] = {
        {PcxHeader(8, 2, 4, 4, 4), kMsgUnsupportedBitdepth},
        {PcxHeader(1, 3, 4, 4, 2), kMsgUnsupportedBitdepth},
        {PcxHeader(2, 1, 4, 4, 1), kMsgUnsupportedBitdepth},
        {XMinAboveXMax(), kMsgFormatNotRecognized},
        {std::vector<std::uint8_t>(128, 11), kMsgFormatNotRecognized},
        {std::vector<std::uint8_t>(60, 10), kMsgFormatNotRecognized},
    };
    for (const auto& [bytes, text] : refused) {
        EXPECT_FALSE(DecodeWith(format, bytes));
        EXPECT_EQ(format.message, text);
    }
}

TEST(PcxFormat, ZeroBytesPerLineReadsAsAnEmptyPicture) {
    // Found by fuzzing: an empty scan line must not reach memset with no buffer.
    auto file = PcxHeader(8, 1, 3, 2, 0);
    file.insert(file.end(), {0xC5, 1, 2, 3});
    PcxFormat format;
    DibPtr dib = DecodeWith(format, file);
    ASSERT_TRUE(dib) << format.message;
    EXPECT_EQ(DibRow(dib.get(), 1)[2], 0);
}

TEST(PcxFormat, RefusedDepthLeavesNoFileBehind) {
    ScopedTempDir dir;
    PcxFormat format;
    format.AttachImage(PatternDib(4, 4, 16));
    EXPECT_FALSE(format.Write(dir.File("x.pcx")));
    EXPECT_EQ(format.message, kMsgUnsupportedBitdepth);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace vorlin
