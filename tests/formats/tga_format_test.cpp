#include "formats/tga_format.h"

#include <gtest/gtest.h>

#include <cstring>

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

std::vector<std::uint8_t> TgaHeader(int type, int width, int height, int bpp, int descriptor,
                                    int mapType = 0, int first = 0, int length = 0,
                                    int entryBits = 0) {
    std::vector<std::uint8_t> h(18);
    h[1] = static_cast<std::uint8_t>(mapType);
    h[2] = static_cast<std::uint8_t>(type);
    PutLe16(h.data() + 3, static_cast<std::uint32_t>(first));
    PutLe16(h.data() + 5, static_cast<std::uint32_t>(length));
    h[7] = static_cast<std::uint8_t>(entryBits);
    PutLe16(h.data() + 12, static_cast<std::uint32_t>(width));
    PutLe16(h.data() + 14, static_cast<std::uint32_t>(height));
    h[16] = static_cast<std::uint8_t>(bpp);
    h[17] = static_cast<std::uint8_t>(descriptor);
    return h;
}

TEST(TgaFormat, RoundTripsEveryDepthWithTheWrittenImageTypes) {
    const int expectedType[] = {3, 1, 1, 2, 2, 2};
    int i = 0;
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        DibPtr picture = PatternDib(9, 4, bpp);
        TgaFormat format;
        auto file = EncodeWith(format, picture.get());
        EXPECT_EQ(file[2], expectedType[i++]) << bpp;
        if (bpp == 4) {
            EXPECT_EQ(Le16(file.data() + 5), 16);
            EXPECT_EQ(file[7], 24);
            EXPECT_EQ(file.size(), 18u + 16 * 3 + 5 * 4);  // rows of ceil(9 / 2) bytes
        }
        DibPtr back = DecodeWith(format, file);
        ASSERT_TRUE(back) << bpp << ": " << format.message;
        EXPECT_EQ(PictureBytes(back.get()), PictureBytes(picture.get())) << bpp;
        EXPECT_EQ(ColorTable(back.get(), DibColorCount(picture.get())), ColorTable(picture.get()))
            << bpp;
    }
}

TEST(TgaFormat, ThirtyTwoBitPixelsFromAPaletteAreWrittenOpaque) {
    DibPtr picture(DibCreate(1, 1, 32, nullptr, 1));
    const std::uint8_t pixel[4] = {1, 2, 3, 0};
    std::memcpy(DibPixels(picture.get()), pixel, 4);
    TgaFormat format;
    auto file = EncodeWith(format, picture.get());
    EXPECT_EQ(file.back(), 255);
    EXPECT_EQ(file[17] & 0x0F, 8);
}

TEST(TgaFormat, RowOrderAndRightToLeftFlag) {
    auto bottom = TgaHeader(2, 1, 2, 24, 0);
    bottom.insert(bottom.end(), {1, 1, 1, 2, 2, 2});
    TgaFormat format;
    DibPtr dib = DecodeWith(format, bottom);
    EXPECT_EQ(DibPictureRow(dib.get(), 0)[0], 2);
    bottom[17] = 0x20;
    dib = DecodeWith(format, bottom);
    EXPECT_EQ(DibPictureRow(dib.get(), 0)[0], 1);

    auto mirrored = TgaHeader(3, 3, 1, 8, 0x30);
    mirrored.insert(mirrored.end(), {1, 2, 3});
    dib = DecodeWith(format, mirrored);
    EXPECT_EQ(DibRow(dib.get(), 0)[0], 3);
    EXPECT_EQ(DibRow(dib.get(), 0)[2], 1);
    EXPECT_EQ(DibColors(dib.get())[200],
              (RgbQuad{200, 200, 200, 0}));  // grey images get a grey ramp
}

TEST(TgaFormat, RunLengthCrossesRowsAndCannotOverrun) {
    auto file = TgaHeader(11, 3, 2, 8, 0x20);
    file.insert(file.end(),
                {0x83, 5, 0x01, 6, 7, 0xFF, 9, 0xFF, 9});  // run of 4, raw 2, runs past the end
    TgaFormat format;
    DibPtr dib = DecodeWith(format, file);
    ASSERT_TRUE(dib) << format.message;
    EXPECT_EQ(DibRow(dib.get(), 1)[0], 5);
    EXPECT_EQ(DibRow(dib.get(), 1)[1], 6);
    EXPECT_EQ(DibRow(dib.get(), 1)[2], 7);
    auto cut = TgaHeader(10, 4, 1, 24, 0x20);
    cut.insert(cut.end(), {0x02, 1, 2, 3});  // raw packet of 3 with data for 1
    dib = DecodeWith(format, cut);
    ASSERT_TRUE(dib);
    EXPECT_EQ(DibRow(dib.get(), 0)[2], 3);
    EXPECT_EQ(DibRow(dib.get(), 0)[3], 0);
}

TEST(TgaFormat, ColourMapFollowsThePublishedLayout) {
    auto file = TgaHeader(1, 2, 1, 8, 0x20, 1, 2, 2, 16);
    file.insert(file.end(), {0xFF, 0x7F, 0x1F, 0x00});  // entries 2 and 3: white, blue 255
    file.insert(file.end(), {2, 3});
    TgaFormat format;
    DibPtr dib = DecodeWith(format, file);
    ASSERT_TRUE(dib) << format.message;
    EXPECT_EQ(DibColors(dib.get())[2], (RgbQuad{255, 255, 255, 0}));
    EXPECT_EQ(DibColors(dib.get())[3], (RgbQuad{255, 0, 0, 0}));
    EXPECT_EQ(DibColors(dib.get())[0], (RgbQuad{0, 0, 0, 0}));
}

TEST(TgaFormat, RefusesWithTheFixedTexts) {
    const std::pair<std::vector<std::uint8_t>, const char*> refused[] = {
        {TgaHeader(32, 2, 2, 8, 0), kMsgTgaUnsupportedVersion},
        {TgaHeader(2, 2, 2, 15, 0), kMsgUnsupportedBitdepth},
        {TgaHeader(1, 2, 2, 8, 0, 1, 0, 4, 8), kMsgTgaPaletteEntries},
        {TgaHeader(2, 0, 2, 24, 0), kMsgFormatNotRecognized},
        {TgaHeader(2, 2, 2, 24, 0), kMsgFormatNotRecognized},  // no pixel data at all
        {std::vector<std::uint8_t>(10), kMsgFormatNotRecognized},
    };
    TgaFormat format;
    for (const auto& [header, text] : refused) {
        auto file = header;
        if (file.size() == 18 && file[12] && file[2] != 2) file.resize(18 + 64, 1);
        EXPECT_FALSE(DecodeWith(format, file));
        EXPECT_EQ(format.message, text);
    }
}

}  // namespace
}  // namespace vorlin
