// Writes a test's glue source (the ShowSetup the cartridge reads) and runs the cartridge.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "core/packed_dib.h"
#include "gba_machine.h"

namespace vorlin::gbatest {

// Display control values the tests use.
inline constexpr std::uint16_t kMode0Bg0 = 0x0100;
inline constexpr std::uint16_t kMode1Bg2 = 0x0401;  // mode 1: BG2 is affine
inline constexpr std::uint16_t kMode3Bg2 = 0x0403;
inline constexpr std::uint16_t kMode4Bg2 = 0x0404;
inline constexpr std::uint32_t kPaletteRam = 0x05000000u;
inline constexpr std::uint32_t kVram = 0x06000000u;

struct GlueBlock {
    std::string symbol;       // C expression naming the data, empty for none
    std::string bytes;        // C expression for the stored size in bytes
    bool compressed = false;
    std::uint32_t dest = 0;
};

struct Glue {
    std::vector<std::string> includes;  // headers that declare the symbols
    std::string extraCode;              // definitions the test writes itself
    std::uint16_t dispcnt = kMode0Bg0;
    std::uint16_t bgcnt = 0;
    std::int16_t affine[4] = {256, 0, 0, 256};
    std::vector<GlueBlock> blocks;      // at most four
    GlueBlock probe;
};

// A word-aligned constant C array definition holding `values`.
template <typename T>
std::string CArray(const char* type, const char* name, const std::vector<T>& values) {
    std::ostringstream out;
    out << "const " << type << " " << name << "[" << values.size() << "] __attribute__((aligned(4))) = {";
    for (std::size_t i = 0; i < values.size(); ++i) out << (i ? "," : "") << static_cast<unsigned>(values[i]);
    out << "};\n";
    return out.str();
}

// A fresh folder for one test's files.
std::string MakeWorkDir(const std::string& name);
void WriteTextFile(const std::string& path, const std::string& text);
std::string WriteGlue(const std::string& workDir, const Glue& glue);

// Builds the cartridge from the glue and extra sources, runs it until its set-up is done plus a
// couple of frames; returns false (with `log`) when it could not be built or did not finish.
bool BuildAndRun(GbaMachine& machine, const std::string& workDir, const Glue& glue,
                 const std::vector<std::string>& sources, std::string& log);

// The 15-bit colour the tests give palette index i: one colour per index.
inline std::uint16_t Color(int i) {
    return static_cast<std::uint16_t>((i & 31) | (((i >> 3) & 31) << 5) |
                                      (((i * 5 + 3) & 31) << 10));
}

// Color(i) as a picture's colour-table entry: the console keeps exactly these bits.
inline RgbQuad ColorEntry(int i) {
    const std::uint16_t c = Color(i);
    return {static_cast<std::uint8_t>(((c >> 10) & 31) << 3),
            static_cast<std::uint8_t>(((c >> 5) & 31) << 3), static_cast<std::uint8_t>((c & 31) << 3),
            0};
}

// Six groups of fifteen colours scattered over the palette; each tile draws on one group, and
// one pixel value in sixteen is index 0. Shown at 4 bpp only after arranging the banks.
inline int ScatteredIndex(int x, int y) {
    const int tx = x / 8, ty = y / 8;
    const int group = (tx * 3 + ty * 5) % 6, k = (x % 8 * 3 + y % 8 * 7 + tx) % 16;
    return k == 15 ? 0 : 1 + (group * 15 + k) * 97 % 255;
}

// The whole file; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// Runs vorlin-cli with `args`, its error output going to dir/cli.log; `log` receives the
// command's arguments and that output. The exit status, or -1 when the tool was not built.
int RunCli(const std::string& args, std::string& log, const std::string& dir);

// The console preview the exporter wrote (a 24-bit PNG) must be what the console
// shows, pixel for pixel; reports the first differences as test failures.
void ExpectScreenShowsPreview(const GbaMachine& machine, const std::string& previewPath);

}  // namespace vorlin::gbatest
