// Three pictures exported together by vorlin-cli: one palette, one LZ77 tileset
// and a map each. The console loads the shared blocks and each map in turn and
// must show each picture pixel for pixel, and what the exporter's preview says.
#include <gtest/gtest.h>

#include "cartridge.h"
#include "core/packed_dib.h"
#include "formats/bmp_format.h"
#include "support/banked_tiles.h"

namespace vorlin::gbatest {
namespace {

using IndexAt = int (*)(int x, int y);

// A picture of the index pattern moved by whole tiles; `reversed` stores each
// colour at index 256 - i, so its palette disagrees with the others' while
// every pixel has the same colour.
struct Source {
    const char* title;
    int shiftX, shiftY;
    bool reversed;
};

int Stored(int index, bool reversed) {
    return reversed && index != 0 ? 256 - index : index;
}

void WritePicture(const std::string& path, IndexAt indexAt, const Source& s) {
    DibPtr dib(DibCreate(kScreenWidth + 16, kScreenHeight, 8, nullptr, 1));
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth + 16; ++x)
            DibPictureRow(dib.get(), y)[x] = static_cast<std::uint8_t>(
                Stored(indexAt(x + s.shiftX, y + s.shiftY), s.reversed));
    for (int i = 0; i < 256; ++i) DibColors(dib.get())[Stored(i, s.reversed)] = ColorEntry(i);
    BmpFormat bmp;
    bmp.AttachImage(std::move(dib));
    ASSERT_EQ(bmp.Write(path), 1);
}

int WrongPixels(const GbaMachine& machine, IndexAt indexAt, const Source& s) {
    int wrong = 0;
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            const std::uint16_t want = Color(indexAt(x + s.shiftX, y + s.shiftY));
            if (machine.Pixel555(x, y) != want && wrong++ < 3)
                ADD_FAILURE() << s.title << " pixel " << x << "," << y << ": "
                              << machine.Pixel555(x, y) << " instead of " << want;
        }
    return wrong;
}

TEST(ExportSetOnConsole, EachMapShowsItsPictureFromTheOneTilesetAndPalette) {
#ifndef VORLIN_CLI
    GTEST_SKIP() << "vorlin-cli not built";
#else
    const Source sources[] = {{"forest", 0, 0, false}, {"cave", 24, 8, true}, {"sky", 8, 40, false}};
    const struct {
        const char* name;
        IndexAt indexAt;
        const char* options;
    } rows[] = {
        {"banked", testing::BankedTileIndex, "--bpp 4 --map --reduce --flip --palbank"},
        {"auto_banks", ScatteredIndex, "--auto-banks --map --reduce --flip"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string dir = MakeWorkDir(std::string("export_set_") + row.name);
        std::string inputs;
        for (const Source& s : sources) {
            const std::string path = dir + "/" + s.title + ".bmp";
            ASSERT_NO_FATAL_FAILURE(WritePicture(path, row.indexAt, s));
            inputs += " " + path;
        }
        std::string log;
        ASSERT_EQ(RunCli("export" + inputs + " -o " + dir + "/level.c --img-cprs lz77 --preview " +
                             dir + "/preview/ " + row.options,
                         log, dir),
                  0)
            << log;
        for (const Source& s : sources) {
            SCOPED_TRACE(s.title);
            Glue glue;
            glue.includes = {"level.h"};
            glue.bgcnt = 30 << 8;
            const std::string map = std::string(s.title) + "Map";
            glue.blocks = {{"levelPal", "levelPalLen", false, kPaletteRam},
                           {"levelTiles", "levelTilesLen", true, kVram},
                           {map, map + "Len", false, kVram + 30 * 0x800}};
            GbaMachine machine;
            ASSERT_TRUE(BuildAndRun(machine, dir, glue, {dir + "/level.c"}, log)) << log;
            EXPECT_EQ(WrongPixels(machine, row.indexAt, s), 0);
            ExpectScreenShowsPreview(machine, dir + "/preview/" + s.title + ".png");
        }
    }
#endif
}

}  // namespace
}  // namespace vorlin::gbatest
