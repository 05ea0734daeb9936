#include "formats/palette_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/format_error.h"
#include "formats/png_format.h"
#include "support/format_test_util.h"

namespace vorlin {
namespace {

using testing::DecodeWith;

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

RgbQuad Rgb(int r, int g, int b) {
    return RgbQuad{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                   static_cast<std::uint8_t>(r), 0};
}

std::vector<RgbQuad> Ramp(int count) {
    std::vector<RgbQuad> colors;
    for (int i = 0; i < count; ++i) colors.push_back(Rgb(i, 255 - i, (i * 37) % 256));
    return colors;
}

// Colours every 15-bit layout keeps exactly: each channel a 5-bit value widened.
std::vector<RgbQuad> FifteenBitRamp(int count) {
    std::vector<RgbQuad> colors;
    for (int i = 0; i < count; ++i) {
        const auto widen = [](int v) { return (v << 3) | (v >> 2); };
        colors.push_back(Rgb(widen(i % 32), widen((i / 32) % 32), widen(31 - i % 32)));
    }
    return colors;
}

std::vector<RgbQuad> ReadBack(PaletteLayout layout, const std::string& file) {
    const std::vector<std::uint8_t> bytes = Bytes(file);
    if (layout != PaletteLayout::Picture) return DecodePalette(layout, bytes).colors;
    PngFormat reader;
    DibPtr dib = DecodeWith(reader, bytes);
    EXPECT_TRUE(dib) << reader.message;
    return dib ? PictureColors(dib.get(), reader.paletteEntries).colors : std::vector<RgbQuad>{};
}

struct RoundTrip {
    PaletteLayout layout;
    int count;
    bool fifteenBit;  // the layout keeps only 5 bits per channel
};

class PaletteRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(PaletteRoundTrip, WriteThenReadGivesTheSameColours) {
    const RoundTrip row = GetParam();
    const std::vector<RgbQuad> colors =
        row.fifteenBit ? FifteenBitRamp(row.count) : Ramp(row.count);
    std::string note;
    const std::string file = EncodePalette(row.layout, colors, "ramp", &note);
    EXPECT_EQ(ReadBack(row.layout, file), colors) << PaletteLayoutName(row.layout);
    EXPECT_EQ(note, "") << "colours already on the layout's grid need no rounding";
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, PaletteRoundTrip,
    ::testing::Values(RoundTrip{PaletteLayout::ColorList, 256, false},
                      RoundTrip{PaletteLayout::Riff, 16, false},
                      RoundTrip{PaletteLayout::Riff, 256, false},
                      RoundTrip{PaletteLayout::Jasc, 1, false},
                      RoundTrip{PaletteLayout::Jasc, 256, false},
                      RoundTrip{PaletteLayout::Gimp, 5, false},
                      RoundTrip{PaletteLayout::Gimp, 256, false},
                      RoundTrip{PaletteLayout::Act, 1, false},
                      RoundTrip{PaletteLayout::Act, 255, false},
                      RoundTrip{PaletteLayout::Act, 256, false},
                      RoundTrip{PaletteLayout::Hex, 17, false},
                      RoundTrip{PaletteLayout::GbaRaw, 16, true},
                      RoundTrip{PaletteLayout::GbaRaw, 256, true},
                      RoundTrip{PaletteLayout::Picture, 1, false},
                      RoundTrip{PaletteLayout::Picture, 17, false},
                      RoundTrip{PaletteLayout::Picture, 256, false}));

TEST(GbaPalette, EveryChannelRoundsToTheNearestFiveBitValueAndSaysSo) {
    struct Row {
        int in, out;
    } rows[] = {{0, 0}, {4, 0}, {5, 8}, {12, 8}, {13, 16}, {127, 123}, {128, 132}, {250, 247}, {255, 255}};
    for (const Row& row : rows) {
        const std::vector<RgbQuad> colors = {Rgb(row.in, row.in, row.in)};
        std::string note;
        const std::string file = EncodePalette(PaletteLayout::GbaRaw, colors, {}, &note);
        EXPECT_EQ(DecodePalette(PaletteLayout::GbaRaw, Bytes(file)).colors[0],
                  Rgb(row.out, row.out, row.out))
            << row.in;
        EXPECT_EQ(note.empty(), row.in == row.out) << row.in << ": " << note;
    }
}

// Files written by hand from each layout's published description.
struct HandWritten {
    const char* what;
    PaletteLayout layout;
    std::string file;
    std::vector<RgbQuad> colors;
    const char* refusal;  // start of the refusal text, or null when the file reads
};

std::string Act(int count, bool withCount, int countField = -1) {
    std::string file(768, '\0');
    for (int i = 0; i < count; ++i) file[3 * i] = static_cast<char>(i + 1);
    if (withCount) {
        const int c = countField < 0 ? count : countField;
        file += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF), '\xFF', '\xFF'};
    }
    return file;
}

std::vector<RgbQuad> Reds(int count) {
    std::vector<RgbQuad> colors;
    for (int i = 0; i < count; ++i) colors.push_back(Rgb(i + 1, 0, 0));
    return colors;
}

const HandWritten kHandWritten[] = {
    {"gimp with name, columns, comments, tabs and colour names", PaletteLayout::Gimp,
     "GIMP Palette\r\nName: Dawn\r\nColumns: 4\r\n#\r\n# a comment\r\n  0   0   0\tBlack\r\n"
     "255\t128\t1\r\n\r\n",
     {Rgb(0, 0, 0), Rgb(255, 128, 1)}, nullptr},
    {"gimp after a byte-order mark", PaletteLayout::Gimp, "\xEF\xBB\xBFGIMP Palette\n1 2 3\n",
     {Rgb(1, 2, 3)}, nullptr},
    {"gimp with no colours", PaletteLayout::Gimp, "GIMP Palette\nName: Empty\nColumns: 0\n#\n",
     {}, nullptr},
    {"gimp without its header", PaletteLayout::Gimp, "1 2 3\n", {}, "line 1: not a GIMP palette"},
    {"gimp line missing blue", PaletteLayout::Gimp, "GIMP Palette\n1 2 3\n65  38\n", {},
     "line 3: expected red, green and blue"},
    {"gimp channel over 255", PaletteLayout::Gimp, "GIMP Palette\n256 0 0\n", {},
     "line 2: expected red, green and blue"},
    {"gimp negative channel", PaletteLayout::Gimp, "GIMP Palette\n-1 0 0\n", {}, "line 2:"},
    {"hex list with #, blank lines and CRLF", PaletteLayout::Hex, "#ff0080\r\n\r\n00A0ff\r\n",
     {Rgb(255, 0, 128), Rgb(0, 160, 255)}, nullptr},
    {"hex line of five digits", PaletteLayout::Hex, "ffffff\nfffff\n", {},
     "line 2: expected a colour as RRGGBB"},
    {"hex line with a letter past f", PaletteLayout::Hex, "00ff0g\n", {}, "line 1:"},
    {"act of 768 bytes holds 256 colours", PaletteLayout::Act, Act(256, false), Reds(256),
     nullptr},
    {"act count and no transparent index", PaletteLayout::Act, Act(3, true), Reds(3), nullptr},
    {"act count 0", PaletteLayout::Act, Act(3, true, 0), {}, "byte 768: colour count 0"},
    {"act count 257", PaletteLayout::Act, Act(3, true, 257), {}, "byte 768: colour count 257"},
    {"act of the wrong size", PaletteLayout::Act, std::string(770, '\0'), {},
     "byte 0: an Adobe colour table is 768 or 772 bytes long, this file is 770"},
    {"gba colours little-endian, bit 15 ignored", PaletteLayout::GbaRaw,
     std::string("\x1F\x00\xE0\x83\x00\x7C", 6), {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)},
     nullptr},
    {"gba odd length", PaletteLayout::GbaRaw, std::string("\x1F\x00\x1F", 3), {},
     "byte 2: odd length"},
    {"jasc through the .pal reader", PaletteLayout::Jasc, "JASC-PAL\r\n0100\r\n1\r\n9 8 7\r\n",
     {Rgb(9, 8, 7)}, nullptr},
};

TEST(PaletteReaders, ReadFilesWrittenByHandOrNameWhereTheyAreWrong) {
    for (const HandWritten& row : kHandWritten) {
        try {
            const PaletteColors read = DecodePalette(row.layout, Bytes(row.file));
            EXPECT_EQ(row.refusal, nullptr) << row.what << " was read";
            EXPECT_EQ(read.colors, row.colors) << row.what;
        } catch (const FormatError& error) {
            ASSERT_NE(row.refusal, nullptr) << row.what << ": " << error.text;
            EXPECT_EQ(error.text.rfind(row.refusal, 0), 0u) << row.what << ": " << error.text;
        }
    }
}

TEST(PaletteReaders, KeepTheFirst256ColoursAndSaySo) {
    std::string gimp = "GIMP Palette\n", hex, gba(2 * 300, '\0');
    for (int i = 0; i < 300; ++i) {
        gimp += "1 2 3\n";
        hex += "010203\n";
    }
    for (const auto& [layout, file] : {std::pair{PaletteLayout::Gimp, gimp},
                                       std::pair{PaletteLayout::Hex, hex},
                                       std::pair{PaletteLayout::GbaRaw, gba}}) {
        const PaletteColors read = DecodePalette(layout, Bytes(file));
        EXPECT_EQ(read.colors.size(), 256u) << PaletteLayoutName(layout);
        EXPECT_NE(read.note.find("300 colours"), std::string::npos) << read.note;
    }
}

TEST(PaletteStrip, TrueColourStripGivesItsColoursInReadingOrderAndRefusesPhotos) {
    const std::vector<RgbQuad> colors = Ramp(20);
    DibPtr strip = PaletteStrip(colors);
    DibPtr rgb(DibConvert(strip.get(), 24, 0));
    ASSERT_TRUE(rgb);
    EXPECT_EQ(PictureColors(rgb.get()).colors, colors);

    DibPtr photo(DibCreate(300, 1, 24, nullptr, 1));
    for (int x = 0; x < 300; ++x) DibPictureRow(photo.get(), 0)[3 * x] = static_cast<std::uint8_t>(x);
    for (int x = 0; x < 300; ++x) DibPictureRow(photo.get(), 0)[3 * x + 1] = x >= 256;
    EXPECT_THROW(PictureColors(photo.get()), FormatError);
}

TEST(PaletteLayoutForPath, ChoosesByExtensionAndKeepsBinForExports) {
    struct Row {
        const char* path;
        bool binIsPalette;
        std::optional<PaletteLayout> layout;
    } rows[] = {
        {"a/b.GPL", false, PaletteLayout::Gimp},     {"x.act", false, PaletteLayout::Act},
        {"x.hex", false, PaletteLayout::Hex},        {"x.gbapal", false, PaletteLayout::GbaRaw},
        {"x.bin", true, PaletteLayout::GbaRaw},      {"x.bin", false, std::nullopt},
        {"x.pal", false, PaletteLayout::Jasc},       {"x.png", false, PaletteLayout::Picture},
        {"x.c", false, std::nullopt},                {"pal", false, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PaletteLayoutForPath(row.path, PaletteLayout::Jasc, row.binIsPalette), row.layout)
            << row.path;
}

}  // namespace
}  // namespace vorlin
