#include "formats/palette_format.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/byte_source.h"
#include "formats/format_messages.h"
#include "support/format_test_util.h"

namespace vorlin {
namespace {

using testing::DecodeWith;
using testing::EncodeWith;

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

DibPtr Holder(std::initializer_list<RgbQuad> colors) {
    DibPtr holder = CreatePaletteHolder();
    int i = 0;
    for (const RgbQuad& c : colors) DibColors(holder.get())[i++] = c;
    SetHolderColorCount(holder.get(), i);
    return holder;
}

TEST(PaletteFormat, WritesTheColourListLayout) {
    PaletteFormat format;
    DibPtr two = Holder({{0, 0, 255, 0}, {255, 0, 0, 0}});
    const auto text = EncodeWith(format, two.get());
    EXPECT_EQ(std::string(text.begin(), text.end()), "CLRX 8 2\n0x000000ff 0x00ff0000 ");
    DibPtr five =
        Holder({{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {10, 11, 12, 0}, {13, 14, 15, 0}});
    const auto more = EncodeWith(format, five.get());
    EXPECT_EQ(std::string(more.begin(), more.end()),
              "CLRX 8 5\n0x00010203 0x00040506 0x00070809 0x000a0b0c \n0x000d0e0f ");
    DibPtr back = DecodeWith(format, more);
    ASSERT_TRUE(back);
    EXPECT_EQ(DibColorCount(back.get()), 5);
    EXPECT_EQ(DibColors(back.get())[4], (RgbQuad{13, 14, 15, 0}));
}

TEST(PaletteFormat, TextLayoutsStopAtTheirCountOrAtTheEnd) {
    PaletteFormat format;
    std::string many = "CLRX 8 300\n";
    for (int i = 0; i < 300; ++i) many += "0x00010203 ";
    DibPtr dib = DecodeWith(format, Bytes(many));
    ASSERT_TRUE(dib);
    EXPECT_EQ(DibColorCount(dib.get()), 256);

    std::string jasc = "JASC-PAL\n0100\n16\n";
    for (int i = 0; i < 10; ++i) jasc += std::to_string(i) + " 20 300\n";
    dib = DecodeWith(format, Bytes(jasc));
    ASSERT_TRUE(dib);
    EXPECT_EQ(DibColorCount(dib.get()), 10);
    EXPECT_EQ(DibColors(dib.get())[9], (RgbQuad{255, 20, 9, 0}));  // out-of-range channels clamp

    // A first word far longer than any layout's own is read safely.
    dib = DecodeWith(format, Bytes("CLR" + std::string(5000, 'X') + " 8 1 0x10"));
    ASSERT_TRUE(dib);
    EXPECT_EQ(DibColors(dib.get())[0].rgbRed, 0x10);
    dib = DecodeWith(format, Bytes("JASC" + std::string(5000, 'Y') + " 1 1 1 2 3"));
    EXPECT_FALSE(dib);
    EXPECT_EQ(format.message, kMsgFormatNotRecognized);
}

TEST(PaletteFormat, RiffEntriesAreBoundedByTheFile) {
    std::vector<std::uint8_t> riff = Bytes("RIFF....PAL data....");
    riff.insert(riff.end(), {0x00, 0x03, 16, 0});
    for (int i = 0; i < 16; ++i) riff.insert(riff.end(), {std::uint8_t(i), 2, 3, 0});
    PaletteFormat format;
    DibPtr dib = DecodeWith(format, riff);
    ASSERT_TRUE(dib);
    EXPECT_EQ(DibColorCount(dib.get()), 16);
    EXPECT_EQ(DibColors(dib.get())[15], (RgbQuad{3, 2, 15, 0}));
    riff[22] = 200;  // announces more than the file holds
    dib = DecodeWith(format, riff);
    EXPECT_EQ(DibColorCount(dib.get()), 16);
    riff[20] = 1;
    EXPECT_FALSE(DecodeWith(format, riff));
    EXPECT_EQ(format.message, kMsgFormatNotRecognized);
    EXPECT_FALSE(DecodeWith(format, Bytes("GIF89a")));
    EXPECT_EQ(format.message, kMsgFormatNotRecognized);
}

TEST(PaletteFormat, ShippedDefaultPaletteReads) {
    PaletteFormat format;
    ASSERT_TRUE(format.Read(std::string(VORLIN_SOURCE_DIR) + "/data/vorlin.pal")) << format.message;
    EXPECT_EQ(DibColorCount(format.image.get()), 256);
}

}  // namespace
}  // namespace vorlin
