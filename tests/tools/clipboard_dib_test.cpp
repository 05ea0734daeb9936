#include "tools/clipboard_dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vorlin {
namespace {

struct TestPalette {
    RgbQuad entries[256] = {};
    TestPalette() {
        // 0 black, 1 red, 2 green, 3 blue, 4 white, the rest a dark grey that should never win.
        for (auto& e : entries) e = RgbQuad{40, 40, 40, 0};
        entries[0] = {0, 0, 0, 0};
        entries[1] = {0, 0, 255, 0};
        entries[2] = {0, 255, 0, 0};
        entries[3] = {255, 0, 0, 0};
        entries[4] = {255, 255, 255, 0};
    }
};

// Builds a clipboard block field by field so tests can make it lie.
struct DibBytes {
    BitmapInfoHeader header{40, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> extra;  // masks and colour table
    std::vector<std::uint8_t> pixels;

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out(sizeof header);
        std::memcpy(out.data(), &header, sizeof header);
        out.insert(out.end(), extra.begin(), extra.end());
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
    void AddU32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) extra.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void AddColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        extra.insert(extra.end(), {b, g, r, 0});
    }
};

DibBytes Make(int w, int h, int bpp, std::uint32_t compression = 0) {
    DibBytes d;
    d.header.biWidth = w;
    d.header.biHeight = h;
    d.header.biBitCount = static_cast<std::uint16_t>(bpp);
    d.header.biCompression = compression;
    return d;
}

std::unique_ptr<IndexSurface> Unpack(const DibBytes& d, const TestPalette& pal) {
    const auto bytes = d.Bytes();
    return UnpackClipboardDib(bytes.data(), bytes.size(), pal.entries);
}

TEST(ClipboardDibPack, BottomUp256ColourBlockWithDocumentPalette) {
    TestPalette pal;
    IndexSurface content(5, 2);
    for (int x = 0; x < 5; ++x) {
        content.Row(0)[x] = static_cast<std::uint8_t>(x);
        content.Row(1)[x] = 9;
    }
    const auto block = PackClipboardDib(content, pal.entries);
    ASSERT_EQ(block.size(), 1064u + 8 * 2);
    BitmapInfoHeader h;
    std::memcpy(&h, block.data(), sizeof h);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 5);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 16u);
    EXPECT_EQ(0, std::memcmp(block.data() + 40, pal.entries, 1024));
    // The bottom picture row is stored first.
    EXPECT_EQ(block[1064], 9);
    EXPECT_EQ(block[1064 + 8 + 3], 3);
}

TEST(ClipboardDibRoundTrip, CopiedBlockPastesBackToTheSameIndices) {
    TestPalette pal;
    IndexSurface content(3, 3);
    const std::uint8_t pattern[9] = {0, 1, 2, 3, 4, 0, 1, 2, 3};
    for (int i = 0; i < 9; ++i) content.Row(i / 3)[i % 3] = pattern[i];
    const auto block = PackClipboardDib(content, pal.entries);
    auto back = UnpackClipboardDib(block.data(), block.size(), pal.entries);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->width, 3);
    ASSERT_EQ(back->height, 3);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(back->Row(i / 3)[i % 3], pattern[i]) << i;

    std::vector<std::uint8_t> file = {'B', 'M'};
    file.resize(14, 0);
    file.insert(file.end(), block.begin(), block.end());
    auto fromFile = UnpackClipboardDib(file.data(), file.size(), pal.entries);
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->Row(1)[1], 4);
}

TEST(ClipboardDibUnpack, TrueColourGoesToNearestEntryEitherRowOrder) {
    TestPalette pal;
    for (int sign : {1, -1}) {
        DibBytes d = Make(2, 2 * sign, 24);
        // Stored first row: near-red, near-white; second: pure blue, near-green.
        d.pixels = {10,  10, 240, 250, 250, 250, 0, 0,  // BGR triples, rows padded to 8
                    255, 0,  0,   20,  230, 30,  0, 0};
        auto img = Unpack(d, pal);
        ASSERT_TRUE(img) << sign;
        const int first = sign > 0 ? 1 : 0;  // picture row of the first stored row
        EXPECT_EQ(img->Row(first)[0], 1);
        EXPECT_EQ(img->Row(first)[1], 4);
        EXPECT_EQ(img->Row(1 - first)[0], 3);
        EXPECT_EQ(img->Row(1 - first)[1], 2);
    }
}

TEST(ClipboardDibUnpack, IndexedImageIsRemappedByColourNotByIndex) {
    TestPalette pal;
    DibBytes d = Make(4, 1, 8);
    d.header.biClrUsed = 2;
    d.AddColour(255, 255, 255);  // its index 0 is white
    d.AddColour(0, 0, 250);      // its index 1 is blue
    d.pixels = {0, 1, 1, 0};
    auto img = Unpack(d, pal);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->Row(0)[0], 4);
    EXPECT_EQ(img->Row(0)[1], 3);
    EXPECT_EQ(img->Row(0)[3], 4);
}

TEST(ClipboardDibUnpack, LowDepthsReadMostSignificantBitsFirst) {
    TestPalette pal;
    DibBytes mono = Make(10, -1, 1);  // implicit table of two entries
    mono.AddColour(0, 0, 0);
    mono.AddColour(255, 255, 255);
    mono.pixels = {0b10100000, 0b01000000, 0, 0};
    auto m = Unpack(mono, pal);
    ASSERT_TRUE(m);
    const std::uint8_t expectMono[10] = {4, 0, 4, 0, 0, 0, 0, 0, 0, 4};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(m->Row(0)[x], expectMono[x]) << x;

    DibBytes nibble = Make(3, 1, 4);
    nibble.header.biClrUsed = 3;
    nibble.AddColour(0, 0, 0);
    nibble.AddColour(255, 0, 0);
    nibble.AddColour(0, 255, 0);
    nibble.pixels = {0x21, 0xF0, 0, 0};  // 15 lies beyond the table: black
    auto n = Unpack(nibble, pal);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->Row(0)[0], 2);
    EXPECT_EQ(n->Row(0)[1], 1);
    EXPECT_EQ(n->Row(0)[2], 0);
}

TEST(ClipboardDibUnpack, SixteenAndThirtyTwoBitDefaultsAndBitFields) {
    TestPalette pal;
    DibBytes d555 = Make(2, 1, 16);
    d555.pixels = {0x00, 0x7C, 0x1F, 0x00};  // red, blue in 5-5-5
    auto a = Unpack(d555, pal);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Row(0)[0], 1);
    EXPECT_EQ(a->Row(0)[1], 3);

    DibBytes d565 = Make(1, 1, 16, 3);
    d565.AddU32(0xF800);
    d565.AddU32(0x07E0);
    d565.AddU32(0x001F);
    d565.pixels = {0xE0, 0x07, 0, 0};  // all green bits
    auto b = Unpack(d565, pal);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Row(0)[0], 2);

    DibBytes argb = Make(1, 1, 32, 3);
    argb.AddU32(0x0000FF00);  // red in the second byte
    argb.AddU32(0x00FF0000);
    argb.AddU32(0xFF000000);
    argb.pixels = {0, 255, 0, 0};
    auto c = Unpack(argb, pal);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Row(0)[0], 1);

    DibBytes bgrx = Make(1, 1, 32);
    bgrx.pixels = {255, 255, 255, 0};
    auto w = Unpack(bgrx, pal);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Row(0)[0], 4);
}

TEST(ClipboardDibUnpack, NearestColourTiesGoToTheLowestIndex) {
    TestPalette pal;
    pal.entries[10] = {0, 0, 100, 0};
    pal.entries[11] = {0, 0, 100, 0};
    DibBytes d = Make(1, 1, 24);
    d.pixels = {0, 0, 101, 0};
    auto img = Unpack(d, pal);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->Row(0)[0], 10);
}

TEST(ClipboardDibUnpack, LyingOrTruncatedHeadersFailCleanly) {
    TestPalette pal;
    auto valid = [] {
        DibBytes d = Make(4, 2, 8);
        d.header.biClrUsed = 1;
        d.AddColour(1, 2, 3);
        d.pixels.assign(8, 0);
        return d;
    };
    ASSERT_TRUE(Unpack(valid(), pal));

    std::vector<DibBytes> bad;
    auto with = [&](auto change) {
        DibBytes d = valid();
        change(d);
        bad.push_back(d);
    };
    with([](DibBytes& d) { d.header.biWidth = 0; });
    with([](DibBytes& d) { d.header.biWidth = -4; });
    with([](DibBytes& d) { d.header.biHeight = 0; });
    with([](DibBytes& d) { d.header.biHeight = INT32_MIN; });
    with([](DibBytes& d) { d.header.biWidth = 0x7FFFFFFF; });
    with([](DibBytes& d) { d.header.biWidth = 60000, d.header.biHeight = 60000; });
    with([](DibBytes& d) { d.header.biHeight = 3; });              // rows beyond the data
    with([](DibBytes& d) { d.header.biClrUsed = 3; });             // table beyond the data
    with([](DibBytes& d) { d.header.biClrUsed = 0xFFFFFFFF; });    // table size overflow bait
    with([](DibBytes& d) { d.header.biSizeImage = 4; });           // smaller than the rows
    with([](DibBytes& d) { d.header.biSizeImage = 0x80000000; });  // larger than the block
    with([](DibBytes& d) { d.header.biSize = 39; });
    with([](DibBytes& d) { d.header.biSize = 4096; });
    with([](DibBytes& d) { d.header.biBitCount = 2; });
    with([](DibBytes& d) { d.header.biCompression = 1; });  // run-length coded
    with([](DibBytes& d) { d.pixels.pop_back(); });
    for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(Unpack(bad[i], pal)) << i;

    DibBytes noMasks = Make(1, 1, 32, 3);  // bit fields declared, masks missing
    EXPECT_FALSE(Unpack(noMasks, pal));
    DibBytes rgbFields = Make(1, 1, 24, 3);
    rgbFields.AddU32(0xFF0000), rgbFields.AddU32(0xFF00), rgbFields.AddU32(0xFF);
    rgbFields.pixels.assign(4, 0);
    EXPECT_FALSE(Unpack(rgbFields, pal));

    const auto bytes = valid().Bytes();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(UnpackClipboardDib(bytes.data(), cut, pal.entries)) << cut;
    EXPECT_FALSE(UnpackClipboardDib(nullptr, 100, pal.entries));
}

}  // namespace
}  // namespace vorlin
