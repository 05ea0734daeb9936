#include "cartridge.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "formats/png_format.h"
#include "rom/show.h"

namespace vorlin::gbatest {

std::string MakeWorkDir(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(VORLIN_GBA_WORK_DIR) / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

namespace {

void EmitBlock(std::ostringstream& out, const GlueBlock& b) {
    if (b.symbol.empty()) {
        out << "    {0, 0, 0, 0},\n";
        return;
    }
    out << "    {" << b.symbol << ", " << b.bytes << ", " << (b.compressed ? 1 : 0) << ", 0x" << std::hex
        << b.dest << std::dec << "u},\n";
}

}  // namespace

std::string WriteGlue(const std::string& workDir, const Glue& glue) {
    std::ostringstream out;
    out << "#include \"show.h\"\n";
    for (const auto& h : glue.includes) out << "#include \"" << h << "\"\n";
    out << glue.extraCode << "\n";
    out << "const struct ShowSetup show_setup = {\n    " << glue.dispcnt << ", " << glue.bgcnt << ",\n    {"
        << glue.affine[0] << ", " << glue.affine[1] << ", " << glue.affine[2] << ", " << glue.affine[3]
        << "},\n  {\n";
    for (std::size_t i = 0; i < 4; ++i) EmitBlock(out, i < glue.blocks.size() ? glue.blocks[i] : GlueBlock{});
    out << "  },\n";
    EmitBlock(out, glue.probe);
    out << "};\n";
    const std::string path = workDir + "/glue.c";
    WriteTextFile(path, out.str());
    return path;
}

bool BuildAndRun(GbaMachine& machine, const std::string& workDir, const Glue& glue,
                 const std::vector<std::string>& sources, std::string& log) {
    std::vector<std::string> all = sources;
    all.push_back(WriteGlue(workDir, glue));
    const std::string rom = BuildRom(workDir, all, {workDir}, log);
    if (rom.empty()) return false;
    if (!machine.Load(rom)) {
        log = "the emulator refused " + rom;
        return false;
    }
    // Loading large compressed blocks through the BIOS takes a few frames.
    for (int frame = 0; frame < 120 && !machine.Finished(); ++frame) machine.RunFrames(1);
    if (!machine.Finished()) {
        log = "the cartridge did not finish its set-up";
        return false;
    }
    machine.RunFrames(2);
    return true;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunCli(const std::string& args, std::string& log, const std::string& dir) {
#ifdef VORLIN_CLI
    const std::string command = std::string(VORLIN_CLI) + " " + args + " 2>" + dir + "/cli.log";
    const int status = std::system(command.c_str());
    log = args + "\n" + ReadAll(dir + "/cli.log");
    return status;
#else
    (void)args, (void)dir;
    log = "vorlin-cli not built";
    return -1;
#endif
}

void ExpectScreenShowsPreview(const GbaMachine& machine, const std::string& previewPath) {
    PngFormat png;
    ASSERT_EQ(png.Read(previewPath), 1) << png.message;
    PackedDib preview = png.image.get();
    ASSERT_EQ(DibBitCount(preview), 24);
    ASSERT_GE(DibWidth(preview), kScreenWidth);
    ASSERT_GE(DibHeight(preview), kScreenHeight);
    int wrong = 0;
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            const std::uint8_t* bgr = DibPictureRow(preview, y) + 3 * x;
            const int shown = (bgr[2] >> 3) | ((bgr[1] >> 3) << 5) | ((bgr[0] >> 3) << 10);
            if (machine.Pixel555(x, y) != shown && wrong++ < 3)
                ADD_FAILURE() << "preview pixel " << x << "," << y << ": " << shown
                              << ", the console shows " << machine.Pixel555(x, y);
        }
    EXPECT_EQ(wrong, 0);
}

}  // namespace vorlin::gbatest
