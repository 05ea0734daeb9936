// Data exported by vorlin-cli, imported back into a picture and exported again: the emulated
// console shows the re-exported picture exactly as it shows the source.
#include <gtest/gtest.h>

#include "cartridge.h"
#include "export/gba_color.h"
#include "formats/bmp_format.h"
#include "support/banked_tiles.h"
#include "support/rule_picture.h"

namespace vorlin::gbatest {
namespace {

constexpr std::uint32_t kScreenBase30 = kVram + 30 * 0x800;

struct RoundTripCase {
    const char* name;
    int width, height;
    std::string exportOptions, importOptions;
    std::uint16_t dispcnt, bgcnt;
    bool compressed;
    std::uint32_t tileDest = kVram;
};

TEST(ImportOnConsole, ReexportedPictureShowsLikeTheSource) {
#ifndef VORLIN_CLI
    GTEST_SKIP() << "vorlin-cli not built";
#endif
    const RoundTripCase cases[] = {
        {"t4_reduced_lz77", 256, 256,
         "--bpp 4 --map --reduce --flip --palbank --img-cprs lz77 --map-cprs lz77",
         "--bpp 4", kMode0Bg0, 30 << 8, true},
        {"t8_affine", 256, 256, "--bpp 8 --map --map-layout affine --reduce --no-flip --no-palbank",
         "--bpp 8 --map-layout affine", kMode1Bg2, (30 << 8) | (1 << 14), false},
        {"t4_huff_rle_offset", 256, 256,
         "--bpp 4 --map --reduce --flip --palbank --tile-offset 1 --img-cprs huff --map-cprs rle",
         "--bpp 4 --tile-offset 1", kMode0Bg0, 30 << 8, true, kVram + 32},
    };
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string dir = MakeWorkDir(std::string("import_") + c.name);
        DibPtr source = testing::ColouredRulePicture(c.width, c.height, testing::BankedTileIndex);
        std::uint16_t colors[256];
        for (int i = 0; i < 256; ++i) colors[i] = GbaColor(DibColors(source.get())[i]);
        BmpFormat bmp;
        bmp.AttachImage(std::move(source));
        ASSERT_EQ(bmp.Write(dir + "/source.bmp"), 1);
        std::string log;
        ASSERT_EQ(RunCli("export " + dir + "/source.bmp -o " + dir + "/first/pic.bin " +
                             c.exportOptions,
                         log, dir),
                  0)
            << log;
        ASSERT_EQ(RunCli("import -o " + dir + "/back.png --bin " + dir + "/first/pic " +
                             c.importOptions,
                         log, dir),
                  0)
            << log;
        ASSERT_EQ(
            RunCli("export " + dir + "/back.png -o " + dir + "/pic.c " + c.exportOptions, log, dir),
            0)
            << log;
        Glue glue;
        glue.includes = {"pic.h"};
        glue.dispcnt = c.dispcnt;
        glue.bgcnt = c.bgcnt;
        glue.blocks = {{"picPal", "picPalLen", false, kPaletteRam},
                       {"picTiles", "picTilesLen", c.compressed, c.tileDest},
                       {"picMap", "picMapLen", c.compressed, kScreenBase30}};
        GbaMachine machine;
        ASSERT_TRUE(BuildAndRun(machine, dir, glue, {dir + "/pic.c"}, log)) << log;
        int wrong = 0;
        for (int y = 0; y < kScreenHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                const std::uint16_t want = colors[testing::BankedTileIndex(x, y)];
                if (machine.Pixel555(x, y) != want && wrong++ < 3)
                    ADD_FAILURE() << "pixel " << x << "," << y << ": " << machine.Pixel555(x, y)
                                  << " instead of " << want;
            }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
}  // namespace vorlin::gbatest
