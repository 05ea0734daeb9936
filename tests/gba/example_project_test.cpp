// The example game under examples/gba-sprites, built the way a game's build runs (its own CMake
// project converting art/*.png with vorlin-cli export) and run on the emulated console: the
// screen must show the backdrop with the sprites over it, and a changed picture must reach the
// screen on the next build.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "cartridge.h"
#include "core/packed_dib.h"
#include "formats/png_format.h"

namespace vorlin::gbatest {
namespace {

namespace fs = std::filesystem;

// The example sits two levels above the tests' own cartridge sources (tests/gba/rom).
const fs::path kExample = fs::path(VORLIN_GBA_ROM_DIR) / ".." / ".." / ".." / "examples" / "gba-sprites";

// Where src/main.c places its 16 x 16 sprites; sprite i uses the i-th 16-pixel column of
// art/sprites.png, and a lower number is drawn over a higher one.
struct SpritePlace {
    int x, y;
};
constexpr SpritePlace kSprites[] = {{40, 60}, {120, 40}, {180, 100}, {200, 20}};
constexpr int kSpriteSide = 16;

struct Picture {
    DibPtr dib;
    int Index(int x, int y) const { return DibPictureRow(dib.get(), y)[x]; }
    // The console's 15-bit colour of a palette entry (red in bits 0-4).
    std::uint16_t Color(int index) const {
        const RgbQuad& c = DibColors(dib.get())[index];
        return static_cast<std::uint16_t>((c.rgbRed >> 3) | ((c.rgbGreen >> 3) << 5) |
                                          ((c.rgbBlue >> 3) << 10));
    }
};

Picture ReadPicture(const fs::path& path) {
    PngFormat png;
    EXPECT_EQ(png.Read(path.string()), 1) << path << ": " << png.message;
    Picture picture{png.DetachImage()};
    EXPECT_TRUE(picture.dib && DibBitCount(picture.dib.get()) == 8) << path;
    return picture;
}

// What the console should show at (x, y): the first sprite with an opaque pixel there, else
// the backdrop, whose pixels with colour 0 of their bank show the backdrop colour (entry 0).
std::uint16_t ExpectedPixel(const Picture& backdrop, const Picture& sprites, int x, int y) {
    for (int i = 0; i < static_cast<int>(std::size(kSprites)); ++i) {
        const int sx = x - kSprites[i].x, sy = y - kSprites[i].y;
        if (sx < 0 || sy < 0 || sx >= kSpriteSide || sy >= kSpriteSide) continue;
        const int index = sprites.Index(i * kSpriteSide + sx, sy) & 15;
        if (index != 0) return sprites.Color(index);
    }
    const int index = backdrop.Index(x, y);
    return backdrop.Color((index & 15) ? index : 0);
}

// Builds the copy of the example in `project` and runs it; false with the output in `log`.
bool BuildAndStart(GbaMachine& machine, const fs::path& project, std::string& log) {
    const fs::path build = project / "build";
    int status = 0;
    log = RunCommand("cmake -S " + project.string() + " -B " + build.string() +
                         " -G Ninja -DVORLIN_CLI=" VORLIN_CLI " && cmake --build " + build.string(),
                     status);
    if (status != 0) return false;
    if (!machine.Load((build / "gba-sprites.gba").string())) {
        log = "the emulator refused the ROM";
        return false;
    }
    machine.RunFrames(10);  // set-up, then a few frames of the main loop
    return true;
}

// Number of screen pixels that differ from the pictures; the first one is reported.
int CountWrongPixels(const GbaMachine& machine, const fs::path& project) {
    const Picture backdrop = ReadPicture(project / "art" / "backdrop.png");
    const Picture sprites = ReadPicture(project / "art" / "sprites.png");
    if (!backdrop.dib || !sprites.dib) return -1;
    int wrong = 0;
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            const std::uint16_t expected = ExpectedPixel(backdrop, sprites, x, y);
            if (machine.Pixel555(x, y) == expected) continue;
            if (wrong++ == 0)
                ADD_FAILURE() << "first wrong pixel (" << x << ", " << y << "): 0x" << std::hex
                              << machine.Pixel555(x, y) << " instead of 0x" << expected;
        }
    return wrong;
}

// Gives the sprites' colours 1-15 new values (rotated by one entry) and saves the sheet.
void RecolourSprites(const fs::path& path) {
    Picture sheet = ReadPicture(path);
    RgbQuad* colors = DibColors(sheet.dib.get());
    const RgbQuad first = colors[1];
    for (int i = 1; i < 15; ++i) colors[i] = colors[i + 1];
    colors[15] = first;
    PngFormat png;
    png.AttachImage(std::move(sheet.dib));
    ASSERT_EQ(png.Write(path.string()), 1) << png.message;
}

TEST(ExampleProject, BuildsItsArtAndShowsTheSceneOnTheConsole) {
#ifndef VORLIN_CLI
    GTEST_SKIP() << "vorlin-cli not built";
#else
    const fs::path project = MakeWorkDir("example_project");
    fs::copy(kExample, project, fs::copy_options::recursive);
    fs::remove_all(project / "build");  // a build someone made in the source folder

    std::string log;
    GbaMachine first;
    ASSERT_TRUE(BuildAndStart(first, project, log)) << log;
    EXPECT_EQ(CountWrongPixels(first, project), 0);

    RecolourSprites(project / "art" / "sprites.png");
    GbaMachine second;
    ASSERT_TRUE(BuildAndStart(second, project, log)) << log;
    EXPECT_NE(log.find("vorlin-cli export art/sprites.png"), std::string::npos) << log;
    EXPECT_EQ(log.find("vorlin-cli export art/backdrop.png"), std::string::npos) << log;
    EXPECT_EQ(CountWrongPixels(second, project), 0);
#endif
}

}  // namespace
}  // namespace vorlin::gbatest
