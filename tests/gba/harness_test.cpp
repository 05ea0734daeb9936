// Checks the cartridge harness itself with hand-made data, so that a failing export test points
// at the exporter and not at the harness.
#include <gtest/gtest.h>

#include "cartridge.h"
#include "rom/show.h"

namespace vorlin::gbatest {
namespace {

TEST(GbaHarness, Mode3BitmapReachesTheScreenPixelForPixel) {
    std::vector<std::uint16_t> bitmap(kScreenWidth * kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x)
            bitmap[y * kScreenWidth + x] = static_cast<std::uint16_t>((x & 31) | ((y & 31) << 5) | (((x + y) & 31) << 10));
    Glue glue;
    glue.extraCode = CArray("unsigned short", "bmp", bitmap);
    glue.dispcnt = kMode3Bg2;
    glue.blocks.push_back({"bmp", "sizeof bmp", false, kVram});
    GbaMachine machine;
    std::string log;
    ASSERT_TRUE(BuildAndRun(machine, MakeWorkDir("mode3"), glue, {}, log)) << log;
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x)
            ASSERT_EQ(machine.Pixel555(x, y), bitmap[y * kScreenWidth + x]) << x << "," << y;
}

TEST(GbaHarness, TiledBackgroundUsesPaletteTilesAndMap) {
    // Two 4-bpp tiles: tile 0 all colour 1, tile 1 all colour 2; map alternates them.
    std::vector<std::uint8_t> tiles(64, 0x11);
    tiles.resize(32);
    tiles.insert(tiles.end(), 32, 0x22);
    std::vector<std::uint16_t> map(32 * 32);
    for (int i = 0; i < 32 * 32; ++i) map[i] = static_cast<std::uint16_t>(((i % 32) + (i / 32)) & 1);
    const std::vector<std::uint16_t> palette = {0, 0x001F, 0x7C00};
    Glue glue;
    glue.extraCode = CArray("unsigned char", "tiles", tiles) + CArray("unsigned short", "map", map) +
                     CArray("unsigned short", "pal", palette);
    glue.dispcnt = kMode0Bg0;
    glue.bgcnt = 31 << 8;  // char base 0, screen base 31, 4 bpp, 256 x 256
    glue.blocks = {{"pal", "sizeof pal", false, kPaletteRam},
                   {"tiles", "sizeof tiles", false, kVram},
                   {"map", "sizeof map", false, kVram + 31 * 0x800}};
    GbaMachine machine;
    std::string log;
    ASSERT_TRUE(BuildAndRun(machine, MakeWorkDir("mode0"), glue, {}, log)) << log;
    for (int y = 0; y < kScreenHeight; y += 3)
        for (int x = 0; x < kScreenWidth; x += 5) {
            const int tile = ((x / 8) + (y / 8)) & 1;
            ASSERT_EQ(machine.Pixel555(x, y), tile ? 0x7C00 : 0x001F) << x << "," << y;
        }
}

TEST(GbaHarness, BiosDecodesHandMadeRunLengthAndLz77Streams) {
    // Run-length: a run of 5 x 0xAB (flag 0x80 | (5 - 3)), then 2 literal bytes.
    const std::vector<std::uint8_t> rle = {0x30, 7, 0, 0, 0x82, 0xAB, 0x01, 0x11, 0x22, 0, 0, 0};
    // LZ77: 4 literals "ABCD", then a copy of 4 from distance 4 ("ABCD" again).
    const std::vector<std::uint8_t> lz = {0x10, 8, 0, 0, 0x08, 'A', 'B', 'C', 'D', 0x10, 0x03, 0, 0, 0, 0, 0};
    struct Case {
        const char* name;
        const std::vector<std::uint8_t>* stream;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {{"rle", &rle, {0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0x11, 0x22}},
                          {"lz", &lz, {'A', 'B', 'C', 'D', 'A', 'B', 'C', 'D'}}};
    for (const Case& c : cases) {
        Glue glue;
        glue.extraCode = CArray("unsigned char", "stream", *c.stream);
        glue.dispcnt = kMode0Bg0;
        glue.probe = {"stream", "sizeof stream", true, 0};
        GbaMachine machine;
        std::string log;
        ASSERT_TRUE(BuildAndRun(machine, MakeWorkDir(std::string("bios_") + c.name), glue, {}, log)) << log;
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(machine.Read8(SHOW_PROBE_ADDR + static_cast<std::uint32_t>(i)), c.expected[i]) << c.name << " byte " << i;
    }
}

}  // namespace
}  // namespace vorlin::gbatest
