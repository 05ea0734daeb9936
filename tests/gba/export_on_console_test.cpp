// Pictures exported by vorlin-cli, compiled into the test cartridge and shown by the emulated
// console: the screen must match the source picture pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "cartridge.h"
#include "core/packed_dib.h"
#include "formats/bmp_format.h"
#include "formats/png_format.h"
#include "support/banked_tiles.h"

namespace vorlin::gbatest {
namespace {

int PictureIndex(int x, int y) {
    return testing::BankedTileIndex(x, y);
}

// The same tiles, but every fourth tile takes its lower half from the next bank: the console
// shows such a tile in one bank, so the screen differs from the source.
int MixedBankIndex(int x, int y) {
    const int v = PictureIndex(x, y);
    if (v == 0 || (x / 8 + y / 8) % 4 != 0 || y % 8 < 4) return v;
    return ((v / 16) % 3 + 1) * 16 + v % 16;
}

using IndexAt = int (*)(int x, int y);

std::string WritePicture(const std::string& dir, int width, int height,
                         IndexAt indexAt = PictureIndex) {
    DibPtr dib(DibCreate(width, height, 8, nullptr, 1));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            DibPictureRow(dib.get(), y)[x] = static_cast<std::uint8_t>(indexAt(x, y));
    for (int i = 0; i < 256; ++i) DibColors(dib.get())[i] = ColorEntry(i);
    BmpFormat bmp;
    bmp.AttachImage(std::move(dib));
    const std::string path = dir + "/pic.bmp";
    EXPECT_EQ(bmp.Write(path), 1);
    return path;
}

constexpr std::uint32_t kScreenBase30 = kVram + 30 * 0x800;

struct ConsoleCase {
    const char* name;
    int width, height;
    std::string options;
    std::uint16_t dispcnt, bgcnt;
    bool tiles, compressedImg, compressedMap;
    std::uint32_t tileDest;
    IndexAt picture = PictureIndex;
    int palStart = 0;          // the palette block goes to this entry
    bool showsSource = true;   // false: the console cannot show the picture as it is
    std::uint32_t mapDest = kScreenBase30;
};

std::vector<ConsoleCase> Cases() {
    const std::string reduce = " --map --reduce --flip --palbank";
    return {
        {"t4_flat_reduced", 256, 256, "--bpp 4 --map-layout flat" + reduce, kMode0Bg0, 30 << 8,
         true, false, false, kVram},
        {"t4_plain_u8", 256, 256, "--bpp 4 --map --no-reduce --unit u8", kMode0Bg0, 30 << 8, true,
         false, false, kVram},
        {"t8_sbb_lz77_u32", 512, 256,
         "--bpp 8 --map --map-layout sbb --flip --no-palbank --img-cprs lz77 --map-cprs lz77 "
         "--unit u32",
         kMode0Bg0, 0x80 | (30 << 8) | (1 << 14), true, true, true, kVram},
        {"t8_lz77_smallest", 256, 256,
         "--bpp 8" + reduce + " --no-palbank --img-cprs lz77 --map-cprs lz77 --best", kMode0Bg0,
         0x80 | (30 << 8), true, true, true, kVram},
        {"t4_huff_rle_offset", 256, 256,
         "--bpp 4" + reduce + " --tile-offset 1 --img-cprs huff --map-cprs rle", kMode0Bg0, 30 << 8,
         true, true, true, kVram + 32},
        {"t8_rle_u8", 256, 256, "--bpp 8" + reduce + " --no-palbank --img-cprs rle --unit u8",
         kMode0Bg0, 0x80 | (30 << 8), true, true, false, kVram},
        {"bm8_lz77", 240, 160, "--bitmap --bpp 8 --img-cprs lz77", kMode4Bg2, 0, false, true, false,
         kVram},
        {"bm16_key_u32", 240, 160, "--bpp 16 --unit u32", kMode3Bg2, 0, false, false, false, kVram},
        {"t8_affine", 256, 256, "--bpp 8 --map --map-layout affine --reduce --no-flip --no-palbank",
         kMode1Bg2, (30 << 8) | (1 << 14), true, false, false, kVram},
        {"t4_mixed_banks", 256, 256, "--bpp 4 --map --reduce --flip --no-palbank", kMode0Bg0,
         30 << 8, true, false, false, kVram, MixedBankIndex, 0, false},
        {"t8_palette_range", 256, 256, "--bpp 8 --map --no-reduce --pal-start 16 --pal-count 32",
         kMode0Bg0, 0x80 | (30 << 8), true, false, false, kVram, PictureIndex, 16, false},
        // 8-bpp tiles ignore the entry's bank, so tiles in other banks stay apart.
        {"t8_reduced_banks", 256, 256, "--bpp 8" + reduce, kMode0Bg0, 0x80 | (30 << 8), true,
         false, false, kVram},
        // The map, loaded after the tiles, overwrites tiles 576-615.
        {"t4_map_over_tiles", 256, 160,
         "--bpp 4 --map --no-reduce --char-block 2 --screen-block 25", kMode0Bg0,
         (2 << 2) | (25 << 8), true, false, false, kVram + 0x8000, PictureIndex, 0, false,
         kVram + 25 * 0x800},
        // Loaded in one piece from slot 1020, the tiles past slot 1023 are out of the map's
        // reach: their indices wrap round to slots that hold nothing.
        {"t4_offset_past_the_slots", 256, 256, "--bpp 4" + reduce + " --tile-offset 1020",
         kMode0Bg0, 30 << 8, true, false, false, kVram + 1020 * 32, PictureIndex, 0, false},
    };
}

Glue GlueFor(const ConsoleCase& c) {
    Glue glue;
    glue.includes = {"pic.h"};
    glue.dispcnt = c.dispcnt;
    glue.bgcnt = c.bgcnt;
    const bool palette = c.dispcnt != kMode3Bg2;
    if (palette)
        glue.blocks.push_back({"picPal", "picPalLen", false, kPaletteRam + 2u * c.palStart});
    const char* img = c.tiles ? "picTiles" : "picBitmap";
    glue.blocks.push_back({img, std::string(img) + "Len", c.compressedImg, c.tileDest});
    if (c.tiles) glue.blocks.push_back({"picMap", "picMapLen", c.compressedMap, c.mapDest});
    return glue;
}

// Screen pixels whose colour is not the source pixel's; the first few are reported.
int WrongPixels(GbaMachine& machine, IndexAt indexAt, const std::string& name) {
    int wrong = 0;
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x)
            if (machine.Pixel555(x, y) != Color(indexAt(x, y)) && wrong++ < 3)
                ADD_FAILURE() << name << " pixel " << x << "," << y << ": "
                              << machine.Pixel555(x, y) << " instead of " << Color(indexAt(x, y));
    return wrong;
}

// Exports the case's picture with vorlin-cli, runs it on the console and compares the screen
// with the exporter's console preview and (when the console can show it) the source.
void ShowOnConsole(const ConsoleCase& c, IndexAt indexAt, GbaMachine& machine) {
    const std::string dir = MakeWorkDir(std::string("export_") + c.name);
    const std::string picture = WritePicture(dir, c.width, c.height, indexAt);
    std::string log;
    ASSERT_EQ(RunCli("export " + picture + " -o " + dir + "/pic.c " + c.options + " --preview " +
                         dir + "/preview.png",
                     log, dir),
              0)
        << log;
    ASSERT_TRUE(BuildAndRun(machine, dir, GlueFor(c), {dir + "/pic.c"}, log)) << log;
    ExpectScreenShowsPreview(machine, dir + "/preview.png");
    if (c.showsSource) {
        EXPECT_EQ(WrongPixels(machine, indexAt, c.name), 0);
    }
}

TEST(ExportOnConsole, ScreenShowsTheSourcePictureAndThePreview) {
#ifndef VORLIN_CLI
    GTEST_SKIP() << "vorlin-cli not built";
#endif
    for (const ConsoleCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        GbaMachine machine;
        ASSERT_NO_FATAL_FAILURE(ShowOnConsole(c, c.picture, machine));
        if (c.dispcnt == kMode3Bg2) {
            // The colour key (palette entry 0) marks its pixels with bit 15 in memory.
            for (int x = 0; x < 64; ++x) {
                const bool key = PictureIndex(x, 0) == 0;
                EXPECT_EQ((machine.Read8(kVram + 2 * x + 1) & 0x80) != 0, key) << x;
            }
        }
    }
}

TEST(ExportOnConsole, AutoBanksShowAScatteredPaletteAtFourBitsPerPixel) {
#ifndef VORLIN_CLI
    GTEST_SKIP() << "vorlin-cli not built";
#endif
    const ConsoleCase c{"t4_auto_banks", 256, 256, "--auto-banks --map --map-layout flat",
                        kMode0Bg0, 30 << 8, true, false, false, kVram};
    GbaMachine machine;
    ShowOnConsole(c, ScatteredIndex, machine);
}

std::string Command(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    status = pclose(pipe);
    return out;
}

// Symbol offsets and sizes in .rodata of an object file, and the section's bytes.
std::map<std::string, std::pair<std::size_t, std::size_t>> RodataSymbols(
    const std::string& object) {
    int status = 0;
    std::istringstream nm(Command("arm-none-eabi-nm -S --defined-only " + object, status));
    std::map<std::string, std::pair<std::size_t, std::size_t>> symbols;
    for (std::string line; std::getline(nm, line);) {
        std::istringstream fields(line);
        std::string offset, size, type, name;
        if (fields >> offset >> size >> type >> name)
            symbols[name] = {std::stoul(offset, nullptr, 16), std::stoul(size, nullptr, 16)};
        else if (std::istringstream(line) >> offset >> type >> name)
            symbols[name] = {std::stoul(offset, nullptr, 16), 0};
    }
    return symbols;
}

TEST(ExportOnConsole, AssemblerOutputHoldsTheSameBytesAsCSource) {
#ifndef VORLIN_CLI
    GTEST_SKIP() << "vorlin-cli not built";
#endif
    const std::string dir = MakeWorkDir("export_asm");
    const std::string picture = WritePicture(dir, 128, 64);
    const std::string options = " --bpp 4 --map --meta 2x2 --img-cprs lz77 --unit u8";
    std::string log;
    ASSERT_EQ(RunCli("export " + picture + " -o " + dir + "/pic.c" + options, log, dir), 0) << log;
    ASSERT_EQ(RunCli("export " + picture + " -o " + dir + "/pic.s" + options, log, dir), 0) << log;
    int status = 0;
    for (const char* step :
         {"arm-none-eabi-gcc -c -o %1/c.o %1/pic.c", "arm-none-eabi-gcc -c -o %1/s.o %1/pic.s",
          "arm-none-eabi-objcopy -O binary -j .rodata %1/c.o %1/c.bin",
          "arm-none-eabi-objcopy -O binary -j .rodata %1/s.o %1/s.bin"}) {
        std::string command = step;
        for (std::size_t at; (at = command.find("%1")) != std::string::npos;)
            command.replace(at, 2, dir);
        log = Command(command, status);
        ASSERT_EQ(status, 0) << command << "\n" << log;
    }
    const auto cSymbols = RodataSymbols(dir + "/c.o");
    const auto sSymbols = RodataSymbols(dir + "/s.o");
    const std::string cBytes = ReadAll(dir + "/c.bin"), sBytes = ReadAll(dir + "/s.bin");
    int compared = 0;
    for (const char* name : {"picPal", "picTiles", "picMap", "picMetaMap"}) {
        ASSERT_TRUE(cSymbols.count(name) && sSymbols.count(name)) << name;
        const auto [cOffset, size] = cSymbols.at(name);
        const std::size_t sOffset = sSymbols.at(name).first;
        ASSERT_GT(size, 0u);
        ASSERT_LE(cOffset + size, cBytes.size());
        ASSERT_LE(sOffset + size, sBytes.size());
        EXPECT_EQ(cBytes.substr(cOffset, size), sBytes.substr(sOffset, size)) << name;
        ++compared;
    }
    EXPECT_EQ(compared, 4);
}

// Small exports compiled for size: the compiler packs arrays as tight as their element type
// allows, so a 6-byte map can come before the compressed tiles. The BIOS calls need the tiles
// on a word boundary.
int FirstBankIndex(int x, int y) {
    return PictureIndex(x, y) % 16;
}

TEST(ExportOnConsole, ArraysCompiledForSizeStayWordAligned) {
#ifndef VORLIN_CLI
    GTEST_SKIP() << "vorlin-cli not built";
#endif
    const std::string dir = MakeWorkDir("export_packed");
    const std::string picture = WritePicture(dir, 24, 8, FirstBankIndex);
    std::string log;
    ASSERT_EQ(RunCli("export " + picture + " -o " + dir +
                         "/pic.c --bpp 4 --map --img-cprs lz77 --area 0,0,24,8 --pal-count 16",
                     log, dir),
              0)
        << log;
    int status = 0;
    log = Command(
        "arm-none-eabi-gcc -mcpu=arm7tdmi -mthumb -Os -c -o " + dir + "/pic.o " + dir + "/pic.c",
        status);
    ASSERT_EQ(status, 0) << log;
    for (const auto& [name, place] : RodataSymbols(dir + "/pic.o"))
        EXPECT_EQ(place.first % 4, 0u) << name << " at " << place.first;

    Glue glue;
    glue.includes = {"pic.h"};
    glue.bgcnt = 30 << 8;
    glue.blocks = {{"picPal", "picPalLen", false, kPaletteRam},
                   {"picTiles", "picTilesLen", true, kVram},
                   {"picMap", "picMapLen", false, kScreenBase30}};
    GbaMachine machine;
    ASSERT_TRUE(BuildAndRun(machine, dir, glue, {dir + "/pic.o"}, log)) << log;
    int wrong = 0;
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            // Map entries past the area are 0: the blank tile that reduction puts first.
            const int index = (x < 24 && y < 8) ? FirstBankIndex(x, y) : 0;
            if (machine.Pixel555(x, y) != Color(index) && wrong++ < 3)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << machine.Pixel555(x, y)
                              << " instead of " << Color(index);
        }
    EXPECT_EQ(wrong, 0);
}

// A reader written from the archive layout alone: header, directory, objects.
std::map<std::string, std::string> ReadGbfs(const std::string& archive) {
    std::map<std::string, std::string> objects;
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(archive[at]) |
                                          static_cast<unsigned char>(archive[at + 1]) << 8 |
                                          static_cast<unsigned char>(archive[at + 2]) << 16) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(archive[at + 3])) << 24;
    };
    if (archive.size() < 32 ||
        archive.compare(0, 16, std::string("PinEightGBFS\r\n\x1a\n", 16)) != 0)
        return objects;
    const std::size_t dir = u32(20) & 0xFFFF, count = u32(20) >> 16;
    if (u32(16) != archive.size() || dir + 32 * count > archive.size()) return objects;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = dir + 32 * i;
        const std::string name = archive.substr(entry, 24).c_str();
        const std::size_t length = u32(entry + 24), offset = u32(entry + 28);
        if (offset % 16 != 0 || offset + length > archive.size()) return {};
        objects[name] = archive.substr(offset, length);
    }
    return objects;
}

TEST(ExportOnConsole, GbfsArchiveHoldsTheBinaryBlocks) {
#ifndef VORLIN_CLI
    GTEST_SKIP() << "vorlin-cli not built";
#endif
    const std::string dir = MakeWorkDir("export_gbfs");
    const std::string picture = WritePicture(dir, 64, 32);
    const std::string options = " --bpp 4 --map --meta 2x1 --map-cprs rle";
    std::string log;
    ASSERT_EQ(RunCli("export " + picture + " -o " + dir + "/pic.gbfs" + options, log, dir), 0)
        << log;
    ASSERT_EQ(RunCli("export " + picture + " -o " + dir + "/pic.bin" + options, log, dir), 0)
        << log;
    const auto objects = ReadGbfs(ReadAll(dir + "/pic.gbfs"));
    const std::map<std::string, std::string> expected = {
        {"picPal", ReadAll(dir + "/pic.pal.bin")},
        {"picTiles", ReadAll(dir + "/pic.img.bin")},
        {"picMap", ReadAll(dir + "/pic.map.bin")},
        {"picMetaMap", ReadAll(dir + "/pic.meta.bin")},
    };
    EXPECT_EQ(objects, expected);
    for (const auto& [name, bytes] : expected) EXPECT_FALSE(bytes.empty()) << name;
}

}  // namespace
}  // namespace vorlin::gbatest
