// vorlin-cli driven as a build pipeline would: exit statuses, the one-line
// reasons on stderr, and what the commands write.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/packed_dib.h"
#include "formats/bmp_format.h"
#include "formats/read_warnings.h"
#include "support/bank_corpus.h"
#include "support/banked_tiles.h"
#include "support/rule_picture.h"
#include "support/format_test_util.h"
#include "formats/png_format.h"
#include "core/palette_refine.h"
#include "support/synthetic_photo.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

struct CliRun {
    int status = -1;
    std::string out, err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef VORLIN_CLI_PATH
        GTEST_SKIP() << "vorlin-cli is not built";
#endif
    }

    // `shell` runs first in the same shell, for limits such as ulimit.
    CliRun Cli(const std::string& args, const std::string& shell = "true") {
#ifdef VORLIN_CLI_PATH
        const std::string command = std::string(VORLIN_CLI_PATH) + " " + args + " >" +
                                    dir_.File("stdout") + " 2>" + dir_.File("stderr");
        const int raw =
            std::system(("cd " + dir_.Path().string() + " && " + shell + " && " + command).c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadAll(dir_.File("stdout"));
        run.err = ReadAll(dir_.File("stderr"));
        return run;
#else
        (void)args;
        (void)shell;
        return {};
#endif
    }

    struct Refusal {
        std::string args;
        int status;
        const char* says;  // on stderr
    };

    // Each command fails with its status and message, and `output` is never written.
    void ExpectRefusals(const std::string& output, const std::vector<Refusal>& refusals) {
        for (const Refusal& r : refusals) {
            const CliRun run = Cli(r.args);
            EXPECT_EQ(run.status, r.status) << r.args;
            EXPECT_NE(run.err.find(r.says), std::string::npos) << r.args << "\n" << run.err;
            EXPECT_FALSE(std::filesystem::exists(dir_.File(output))) << r.args;
        }
    }

    // A 32 x 16 picture: tile columns 0 and 2 alike, column 1 its mirror, column 3 blank
    // (index 0) or filled with `column3`.
    std::string Picture(const std::string& name, int column3 = 0, bool reversedColors = false) {
        DibPtr dib(DibCreate(32, 16, 8, nullptr, 1));
        std::memset(DibPixels(dib.get()), column3, DibHeader(dib.get())->biSizeImage);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) {
                const int tx = x % 8;
                DibPictureRow(dib.get(), y)[x] =
                    static_cast<std::uint8_t>(((x / 8) == 1 ? 7 - tx : tx) == y % 8 ? 3 : 1);
            }
        for (int i = 0; i < 256; ++i) {
            const int blue = reversedColors ? 255 - i : i;
            DibColors(dib.get())[i] = {static_cast<std::uint8_t>(blue), 0,
                                       static_cast<std::uint8_t>(255 - blue), 0};
        }
        BmpFormat bmp;
        bmp.AttachImage(std::move(dib));
        EXPECT_EQ(bmp.Write(dir_.File(name)), 1);
        return dir_.File(name);
    }

    ScopedTempDir dir_;
};

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

std::string Fingerprint(const std::string& bytes) {
    return std::to_string(bytes.size()) + " bytes, hash " +
           std::to_string(std::hash<std::string>{}(bytes));
}

// Every file under `root` except the captured stdout and stderr, with its size
// and hash (or where a symbolic link points), to see that a command changed nothing.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (name == "stdout" || name == "stderr") continue;
        if (entry.is_symlink())
            files[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            files[name] = "/";
        else
            files[name] = Fingerprint(ReadAll(entry.path().string()));
    }
    return files;
}

// A strict reader of JSON: OneDocument() is true when the text is exactly one
// value with nothing but white space around it.
class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : s_(text) {}
    bool OneDocument() { return Value() && (Space(), at_ == s_.size()); }

  private:
    bool More() const { return at_ < s_.size(); }
    void Space() {
        while (More() && std::string_view(" \t\r\n").find(s_[at_]) != std::string_view::npos) ++at_;
    }
    bool Eat(char c) {
        Space();
        return More() && s_[at_] == c && (++at_, true);
    }
    bool Value() {
        Space();
        if (!More()) return false;
        if (s_[at_] == '{') return Items('}', true);
        if (s_[at_] == '[') return Items(']', false);
        if (s_[at_] == '"') return String();
        for (const std::string_view word : {"true", "false", "null"})
            if (s_.substr(at_).starts_with(word)) return at_ += word.size(), true;
        return Number();
    }
    bool Items(char close, bool named) {
        ++at_;
        if (Eat(close)) return true;
        do {
            if (named && !(Space(), String() && Eat(':'))) return false;
            if (!Value()) return false;
        } while (Eat(','));
        return Eat(close);
    }
    bool String() {
        if (!More() || s_[at_] != '"') return false;
        for (++at_; More(); ++at_) {
            const auto c = static_cast<unsigned char>(s_[at_]);
            if (c == '"') return ++at_, true;
            if (c < 0x20) return false;
            if (c != '\\') continue;
            if (++at_ >= s_.size()) return false;
            if (s_[at_] == 'u') {
                if (at_ + 4 >= s_.size()) return false;
                for (int i = 1; i <= 4; ++i)
                    if (!std::isxdigit(static_cast<unsigned char>(s_[at_ + i]))) return false;
                at_ += 4;
            } else if (std::string_view("\"\\/bfnrt").find(s_[at_]) == std::string_view::npos) {
                return false;
            }
        }
        return false;
    }
    bool Number() {
        const std::size_t start = at_;
        while (More() && (std::isdigit(static_cast<unsigned char>(s_[at_])) ||
                          std::string_view("-+.eE").find(s_[at_]) != std::string_view::npos))
            ++at_;
        return at_ > start && std::isdigit(static_cast<unsigned char>(s_[at_ - 1]));
    }

    std::string_view s_;
    std::size_t at_ = 0;
};

TEST_F(CliTest, BadUsageExitsWithTwoAndSaysWhy) {
    const std::string pic = Picture("p.bmp");
    struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        {"", "usage: vorlin-cli COMMAND"},
        {"paint x", "unknown command \"paint\""},
        {"export " + pic, "missing -o OUTPUT"},
        {"export " + pic + " -o out.txt", "-o OUTPUT must end in .c, .s, .bin or .gbfs"},
        {"export " + pic + " -o out.c --bpp 3", "--bpp must be one of 1|2|4|8|16"},
        {"export " + pic + " -o out.c --pal-start 300", "--pal-start must be between 0 and 255"},
        {"export " + pic + " -o out.c --meta 2", "--meta needs WIDTHxHEIGHT"},
        {"export " + pic + " -o out.c --area 1,2,3", "--area needs X,Y,WIDTH,HEIGHT"},
        {"export " + pic + " -o out.c --area 40,0,8,8",
         "--area lies wholly outside the 32 x 16 picture"},
        {"export " + pic + " -o out.c --area 0,16,8,8",
         "--area lies wholly outside the 32 x 16 picture"},
        {"export " + pic + " -o out.c --meta 3x0", "--meta must be between 1 and 256"},
        {"export " + pic + " -o out.c --meta 0x2", "--meta must be between 1 and 256"},
        {"export " + pic + " -o out.c --tile-offset x1", "--tile-offset needs a whole number"},
        {"export " + pic + " -o out.c --frobnicate", "unknown option --frobnicate"},
        {"convert " + pic, "expected INPUT OUTPUT"},
        {"convert " + pic + " a.bmp --bpp 16", "--bpp must be one of 4|8|24"},
        {"compress zip a b", "method must be one of lz77|huff|rle"},
        {"compress rle a b --best", "--best is only for lz77"},
        {"convert " + pic + " a.bmp --quantize good", "--quantize must be one of fast|best"},
        {"decompress a", "expected INPUT OUTPUT"},
        {"info", "expected INPUT"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args << "\n" << run.err;
    }
}

TEST_F(CliTest, EveryCommandHasHelp) {
    for (const char* command :
         {"export", "convert", "info", "reduce", "compress", "decompress", "banks", "check",
          "import", "palette"}) {
        const CliRun run = Cli(std::string(command) + " --help");
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.out.rfind(std::string("usage: vorlin-cli ") + command, 0), 0u) << run.out;
    }
    EXPECT_EQ(Cli("--help").status, 0);
}

TEST_F(CliTest, FailuresExitWithOneAndNameTheFile) {
    const std::string pic = Picture("p.bmp");
    std::ofstream(dir_.File("blocker")) << "not a folder";
    CliRun run = Cli("export " + pic + " -o blocker/out.c");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find("blocker/out.h: Not a directory"), std::string::npos) << run.err;

    // Nothing is left behind: the header would declare arrays that were never written.
    std::filesystem::create_directory(dir_.File("adir.c"));
    run = Cli("export " + pic + " -o adir.c");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "vorlin-cli export: ./adir.c: Is a directory\n");
    EXPECT_FALSE(std::filesystem::exists(dir_.File("adir.h")));

    run = Cli("export missing.png -o out.c");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing.png"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir_.File("out.c")));

    run = Cli("export " + pic + " -o out.c --bitmap --map");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("a bitmap cannot be exported with a map"), std::string::npos);

    std::ofstream(dir_.File("junk.lz")) << "\x10\xFF\xFF\x00garbage";
    run = Cli("decompress junk.lz out.bin");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("junk.lz: not a valid"), std::string::npos) << run.err;
}

TEST_F(CliTest, ExportWritesTheChosenKindWithTheOptionsApplied) {
    const std::string pic = Picture("p.bmp");
    CliRun run = Cli("export " + pic + " -o gfx.c --bpp 4 --unit u8 --no-header --symbol tiles8 " +
                     "--pal-count 16 --map --flip --palbank");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir_.File("gfx.h")));
    const std::string c = ReadAll(dir_.File("gfx.c"));
    EXPECT_NE(c.find("//\ttiles8, 32x16@4, \n"), std::string::npos) << c;
    EXPECT_NE(c.find("const unsigned char tiles8Pal[32] __attribute__((aligned(4)))="),
              std::string::npos);
    // Blank tile plus one tile (its mirror and copy reduce to it), 32 bytes each at 4 bpp.
    EXPECT_NE(c.find("const unsigned char tiles8Tiles[64] __attribute__((aligned(4)))="),
              std::string::npos)
        << c;
    EXPECT_NE(c.find("const unsigned char tiles8Map[16] __attribute__((aligned(4)))="),
              std::string::npos);

    run = Cli("export " + pic + " -o gfx.img.bin --no-pal --bpp 8 --img-cprs rle");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string bin = ReadAll(dir_.File("gfx.img.bin"));
    ASSERT_GE(bin.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(bin[0]), 0x30);
    EXPECT_TRUE(std::filesystem::exists(dir_.File("gfx.h")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("gfx.pal.bin")));
}

TEST_F(CliTest, AreaPastThePictureIsExportedWithAWarning) {
    const std::string pic = Picture("p.bmp");
    const struct {
        const char* area;
        const char* warning;  // empty: none
        const char* size;
    } cases[] = {
        {"0,0,32,16", "", "32x16@4"},
        {"8,8,24,8", "", "24x8@4"},
        {"16,0,24,8",
         "vorlin-cli: warning: --area reaches past the 32 x 16 picture; pixels outside it are "
         "exported as index 0\n",
         "24x8@4"},
        {"0,0,999,999",
         "vorlin-cli: warning: --area reaches past the 32 x 16 picture; pixels outside it are "
         "exported as index 0\n",
         "1000x1000@4"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli("export " + pic + " -o a.c --bpp 4 --area " + c.area);
        EXPECT_EQ(run.status, 0) << c.area;
        EXPECT_EQ(run.err, c.warning) << c.area;
        EXPECT_NE(ReadAll(dir_.File("a.c")).find(std::string(", ") + c.size + ", \n"),
                  std::string::npos)
            << c.area;
    }
}

TEST_F(CliTest, InfoGivesDistinctTilesAndWhatReductionKeeps) {
    const struct {
        int column3;
        const char* counts;
    } cases[] = {
        // The picture's own blank tile is the one reduction keeps first.
        {0,
         "unique tiles: 3\nunique with flips: 2\nunique with flips and banks: 2\n"
         "reduced tiles: 3\nreduced with flips: 2\nreduced with flips and banks: 2\n"},
        // Without one, reduction adds it.
        {2,
         "unique tiles: 3\nunique with flips: 2\nunique with flips and banks: 2\n"
         "reduced tiles: 4\nreduced with flips: 3\nreduced with flips and banks: 3\n"},
    };
    for (const auto& c : cases) {
        const std::string pic = Picture("p.bmp", c.column3);
        const CliRun run = Cli("info " + pic);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(std::string("tiles: 8\n") + c.counts), std::string::npos) << run.out;
    }
    const CliRun version = Cli("--version");
    EXPECT_EQ(version.out, "vorlin-cli " VORLIN_VERSION "\n");
}

TEST_F(CliTest, PresetsSaveEveryOptionAndReadThemBack) {
    const std::string pic = Picture("p.bmp");
    ASSERT_EQ(Cli("export " + pic + " -o a.s --bpp 2 --map --map-layout sbb --meta 2x1 " +
                  "--area 0,0,16,8 --unit u32 --symbol my_gfx --tile-offset -3 --save-preset p.txt")
                  .status,
              0);
    const std::string preset = ReadAll(dir_.File("p.txt"));
    for (const char* line : {"--bpp 2\n", "--no-best\n", "--map-layout sbb\n", "--meta 2x1\n", "--area 0,0,16,8\n",
                             "--unit u32\n", "--symbol my_gfx\n", "--tile-offset -3\n"})
        EXPECT_NE(preset.find(line), std::string::npos) << line;

    ASSERT_EQ(Cli("export " + pic + " -o b.s --preset p.txt").status, 0);
    auto body = [](std::string text) { return text.substr(text.find("#ifndef")); };
    EXPECT_EQ(body(ReadAll(dir_.File("b.h"))), body(ReadAll(dir_.File("a.h"))));
    auto data = [](std::string text) { return text.substr(text.find("\t.section")); };
    EXPECT_EQ(data(ReadAll(dir_.File("b.s"))), data(ReadAll(dir_.File("a.s"))));

    std::ofstream(dir_.File("bad.txt")) << "# comment\n--bpp 4\n\n--bpp 5\n";
    const CliRun run = Cli("export " + pic + " -o c.c --preset bad.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("bad.txt:4: --bpp must be one of"), std::string::npos) << run.err;
}

TEST_F(CliTest, PresetsAreWrittenAfterTheExportAndNeverOverItsFiles) {
    const std::string pic = Picture("pic.bmp");
    const std::string before = ReadAll(pic);
    for (const std::string& preset : {pic, std::string("pic.bmp"), std::string("out.c"),
                                      std::string("./out.h"), dir_.File("out.c")}) {
        const CliRun run = Cli("export " + pic + " -o out.c --save-preset " + preset);
        EXPECT_EQ(run.status, 2) << preset << run.err;
        EXPECT_NE(run.err.find("--save-preset would overwrite"), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadAll(pic), before);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("out.c")));
    // A failed export leaves no preset to suggest that its settings worked.
    EXPECT_EQ(Cli("export missing.bmp -o out.c --save-preset p.txt").status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("p.txt")));
    // Another title in the same folder is no output of this export.
    EXPECT_EQ(Cli("export " + pic + " -o out.c --save-preset other.h").status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir_.File("other.h")));
}

TEST_F(CliTest, PresetErrorsShowTheFilesBytesEscapedOnOneShortLine) {
    const std::string pic = Picture("pic.bmp");
    std::ofstream(dir_.File("raw.txt"), std::ios::binary)
        << "--bpp 4\x1b[2J\rX\xff\n--" << std::string(1000, 'y') << "\n";
    CliRun run = Cli("export " + pic + " -o c.c --preset raw.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(
        run.err.find("raw.txt:1: --bpp must be one of 1|2|4|8|16, not \"4\\x1b[2J\\rX\\xff\""),
        std::string::npos)
        << run.err;
    EXPECT_EQ(Lines(run.err), 2);  // the reason and the pointer to --help

    std::ofstream(dir_.File("long.txt")) << "--" << std::string(1000, 'y') << "\n";
    run = Cli("export " + pic + " -o c.c --preset long.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_LT(run.err.size(), 300u) << run.err;
    EXPECT_NE(run.err.find("yyy...\n"), std::string::npos) << run.err;
}

TEST_F(CliTest, AFileSizeLimitIsReportedAndLeavesNothingBehind) {
    const std::string pic = Picture("pic.bmp");
    // One 512-byte block: far less than the 1590-byte picture needs.
    const CliRun run = Cli("convert " + pic + " big.bmp", "ulimit -f 1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("big.bmp: File too large"), std::string::npos) << run.err;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"pic.bmp", "stderr", "stdout"}));
}

TEST_F(CliTest, APictureThatEndsEarlyOpensWithOneWarningLine) {
    const std::string pic = Picture("cut.bmp");
    std::string bytes = ReadAll(pic);
    bytes.resize(bytes.size() - 4 * 32);  // the top four rows of the bottom-up file
    std::ofstream(pic, std::ios::binary) << bytes;
    const CliRun run = Cli("info " + pic);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "vorlin-cli: warning: " + pic + ": " + RowsMissingWarning(4, 16) + "\n");

    const std::string shortFile =
        std::string(VORLIN_TESTDATA_DIR) + "/peers/bmp/bmpsuite/b/shortfile.bmp";
    if (!std::filesystem::exists(shortFile)) return;
    const CliRun suite = Cli("info " + shortFile);
    EXPECT_EQ(suite.status, 0);
    EXPECT_EQ(Lines(suite.err), 1);
    EXPECT_NE(suite.err.find(shortFile + ": the file ends early"), std::string::npos) << suite.err;
}

TEST_F(CliTest, ConvertReduceInfoAndCompressionRoundTrip) {
    const std::string pic = Picture("p.bmp");
    ASSERT_EQ(Cli("convert " + pic + " q.png --bpp 4").status, 0);
    CliRun run = Cli("info q.png");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("width: 32\nheight: 16\ndepth: 4\ncolours used: 3\ntiles: 8\n", 0), 0u)
        << run.out;

    // Pictures, like exports, may go into folders that do not exist yet.
    run = Cli("convert " + pic + " new/folder/q.tga");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(Cli("info new/folder/q.tga").out.find("colours used: 3\n"), std::string::npos);

    ASSERT_EQ(Cli("reduce " + pic + " out/r.bmp --flip").status, 0);
    run = Cli("info out/r.bmp");
    EXPECT_NE(run.out.find("width: 8\nheight: 16\n"), std::string::npos) << run.out;

    for (const char* method : {"lz77", "huff", "rle"}) {
        ASSERT_EQ(Cli(std::string("compress ") + method + " p.bmp p.z").status, 0) << method;
        ASSERT_EQ(Cli("decompress p.z p.back").status, 0) << method;
        EXPECT_EQ(ReadAll(dir_.File("p.back")), ReadAll(pic)) << method;
    }
}

// Tiles of an 8-bpp file whose indices span more than one bank.
int TilesAcrossBanks(PackedDib dib) {
    const std::vector<std::uint8_t> bytes = testing::PictureBytes(dib);
    const int width = DibWidth(dib), height = DibHeight(dib);
    int across = 0;
    for (int top = 0; top < height; top += 8)
        for (int left = 0; left < width; left += 8) {
            int banks = 0;
            for (int y = top; y < std::min(top + 8, height); ++y)
                for (int x = left; x < std::min(left + 8, width); ++x)
                    banks |= 1 << (bytes[static_cast<std::size_t>(y) * width + x] / 16);
            across += (banks & (banks - 1)) != 0;
        }
    return across;
}

TEST_F(CliTest, BanksArrangesThePaletteOrSaysWhichTilesCannotFit) {
    testing::CorpusPicture corpus = testing::MakeCorpusPicture({64, 32, 3, 15, 0, 4, 5});
    BmpFormat bmp;
    bmp.AttachImage(testing::CorpusDib(corpus));
    ASSERT_EQ(bmp.Write(dir_.File("in.bmp")), 1);
    CliRun run = Cli("banks in.bmp out.bmp --max-banks 3");
    ASSERT_EQ(run.status, 0) << run.err;
    // All 256 entries are distinct colours: colour 0 copied into banks 1 and 2 leaves no room
    // for two unused colours.
    EXPECT_EQ(run.out, "32 tiles in 3 banks; 2 unused colours no longer fit the palette\n");
    BmpFormat before, after;
    ASSERT_EQ(before.Read(dir_.File("in.bmp")), 1);
    ASSERT_EQ(after.Read(dir_.File("out.bmp")), 1);
    EXPECT_EQ(testing::ToRgba(after.image.get()), testing::ToRgba(before.image.get()));
    EXPECT_EQ(TilesAcrossBanks(after.image.get()), 0);
    // Its own result, read back from the file, needs no more banks and keeps every colour.
    run = Cli("banks out.bmp again.bmp --max-banks 3");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "32 tiles in 3 banks\n");
    BmpFormat again;
    ASSERT_EQ(again.Read(dir_.File("again.bmp")), 1);
    EXPECT_EQ(testing::ToRgba(again.image.get()), testing::ToRgba(before.image.get()));

    ExpectRefusals("x.bmp", {
        {"banks in.bmp x.bmp --max-banks 2", 1, "in.bmp: The tiles need 3 banks, at most 2 are allowed; nothing changed"},
        {"banks in.bmp x.bmp --tile 12x8", 2, "multiples of 8"},
        {"banks in.bmp x.bmp --max-banks 17", 2, "--max-banks must be between 1 and 16"},
        {"banks in.bmp x.bmp --fixed 3-x", 2, "Fixed entries"},
        {"banks in.bmp x.bmp --fixed 16", 1, "Entry 16 is its bank's transparent entry"},
        {"banks in.bmp", 2, "expected INPUT OUTPUT"},
        {"export in.bmp -o x.c --auto-banks --bitmap", 2, "--auto-banks needs --tiles"},
    });

    // Tile (24,0) gets sixteen colours besides index 0.
    for (int y = 0; y < 8; ++y)
        for (int x = 24; x < 32; ++x)
            corpus.pixels.Row(y)[x] = static_cast<std::uint8_t>(100 + (y * 8 + x) % 16);
    bmp.AttachImage(testing::CorpusDib(corpus));
    ASSERT_EQ(bmp.Write(dir_.File("crowded.bmp")), 1);
    run = Cli("banks crowded.bmp x.bmp");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("1 tile needs more than 15 colours: (24,0); nothing changed"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir_.File("x.bmp")));
    run = Cli("banks crowded.bmp x.bmp --partial");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("31 tiles in 3 banks; 1 tile needs more than 15 colours: (24,0)"),
              std::string::npos)
        << run.out;

    run = Cli("export in.bmp -o auto.c --auto-banks --map --no-header");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("32 tiles in 3 banks", 0), 0u) << run.out;
    EXPECT_NE(ReadAll(dir_.File("auto.c")).find(", 64x32@4, "), std::string::npos);
}

TEST_F(CliTest, BestModesNeverLoseToTheDefaults) {
    BmpFormat bmp;
    DibPtr photo = test::SyntheticPhoto(160, 120, test::PhotoScene::kSky, 2);
    bmp.AttachImage(DibPtr(DibDuplicate(photo.get())));
    ASSERT_EQ(bmp.Write(dir_.File("photo.bmp")), 1);
    std::uint64_t errors[2] = {};
    for (int best = 0; best < 2; ++best) {
        const std::string out = best ? "best.bmp" : "fast.bmp";
        ASSERT_EQ(Cli("convert photo.bmp " + out + (best ? " --quantize best" : "")).status, 0);
        BmpFormat back;
        ASSERT_EQ(back.Read(dir_.File(out)), 1);
        DibPtr eight = back.DetachImage();
        errors[best] = QuantizeError(photo.get(), eight.get());
    }
    EXPECT_LT(errors[1], errors[0]);
    // The default stays what it always was: no option and --quantize fast agree.
    ASSERT_EQ(Cli("convert photo.bmp fast2.bmp --quantize fast").status, 0);
    EXPECT_EQ(ReadAll(dir_.File("fast2.bmp")), ReadAll(dir_.File("fast.bmp")));

    ASSERT_EQ(Cli("compress lz77 fast.bmp greedy.lz").status, 0);
    ASSERT_EQ(Cli("compress lz77 fast.bmp smallest.lz --best").status, 0);
    EXPECT_LE(ReadAll(dir_.File("smallest.lz")).size(), ReadAll(dir_.File("greedy.lz")).size());
    ASSERT_EQ(Cli("decompress smallest.lz back.bmp").status, 0);
    EXPECT_EQ(ReadAll(dir_.File("back.bmp")), ReadAll(dir_.File("fast.bmp")));

    const std::string options = " --map --img-cprs lz77 --map-cprs lz77";
    ASSERT_EQ(Cli("export photo.bmp -o g.bin" + options).status, 0);
    ASSERT_EQ(Cli("export photo.bmp -o s.bin --best --save-preset s.txt" + options).status, 0);
    EXPECT_NE(ReadAll(dir_.File("s.txt")).find("--best\n"), std::string::npos);
    for (const char* block : {".img.bin", ".map.bin"})
        EXPECT_LE(ReadAll(dir_.File(std::string("s") + block)).size(),
                  ReadAll(dir_.File(std::string("g") + block)).size())
            << block;
}

// 16 x 8: tile 0 in bank 2; tile 1 mixes banks 1 and 3 (the console shows it in bank 1).
std::string BankedPicture(const std::string& path) {
    DibPtr dib(DibCreate(16, 8, 8, nullptr, 1));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            DibPictureRow(dib.get(), y)[x] = static_cast<std::uint8_t>(x < 8 ? 0x25 : y < 4 ? 0x16 : 0x37);
    for (int i = 0; i < 256; ++i)
        DibColors(dib.get())[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i / 2),
                                   static_cast<std::uint8_t>(255 - i), 0};
    BmpFormat bmp;
    bmp.AttachImage(std::move(dib));
    EXPECT_EQ(bmp.Write(path), 1);
    return path;
}

TEST_F(CliTest, StrictExportWritesNothingWhenTheConsoleWouldShowSomethingElse) {
    const std::string pic = BankedPicture(dir_.File("banks.bmp"));
    const struct {
        const char* options;
        int status;
    } cases[] = {
        {"--bpp 4 --map", 1},             // the mixed tile
        {"--bpp 8 --map", 0},             // 8-bpp tiles show every bank
        {"--bpp 4 --map --pal-count 32", 1},  // colours 0x37 and up are not exported
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(dir_.File("out"));
        const CliRun run =
            Cli("export " + pic + " -o out/g.c --strict --preview out/g.png " + c.options);
        EXPECT_EQ(run.status, c.status) << c.options << "\n" << run.err;
        for (const char* file : {"out/g.c", "out/g.h", "out/g.png"})
            EXPECT_EQ(std::filesystem::exists(dir_.File(file)), c.status == 0)
                << c.options << " " << file;
        if (c.status == 1) {
            EXPECT_NE(run.err.find("with --strict; nothing written"), std::string::npos) << run.err;
            EXPECT_NE(run.err.find("8,0: "), std::string::npos) << run.err;
        }
    }
}

TEST_F(CliTest, StatsListFiguresAndWarningsAtTheirTile) {
    const std::string pic = BankedPicture(dir_.File("banks.bmp"));
    CliRun run = Cli("export " + pic + " -o g.c --bpp 4 --map --img-cprs lz77 --stats");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("tiles: 2 in the area, 3 in the graphics\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("graphics: 96 bytes, "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n8,0: 4-bpp tile uses colours of palette banks 1 and 3; the console "
                           "shows them all in bank 1\n"),
              std::string::npos)
        << run.out;

    run = Cli("export " + pic + " -o g.c --bpp 4 --map --stats=json --screen-block 0");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\n  \"stats\": {", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\"mapMemory\": {\"start\": 0, \"end\": 4, \"fits\": true}"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("{\"x\": 8, \"y\": 0, \"text\": \"4-bpp tile uses"), std::string::npos)
        << run.out;
    EXPECT_EQ(Cli("export " + pic + " -o g.c --char-block 4").status, 2);
}

TEST_F(CliTest, CheckListsBrokenTilesAndFailsOnThem) {
    const std::string pic = BankedPicture(dir_.File("banks.bmp"));
    const struct {
        const char* options;
        int status;
        const char* output;
    } cases[] = {
        {"--bpp 4 --map",
         1,
         "8,0: 4-bpp tile uses colours of palette banks 1 and 3; the console shows them all in "
         "bank 1\ntiles 3/1024 \xC2\xB7 banks 3 \xC2\xB7 0.1 of 32 KB\nbroken tiles: 1\n"},
        {"--bpp 8 --map", 0, "tiles 3/1024 \xC2\xB7 0.2 of 64 KB\nbroken tiles: 0\n"},
        {"--bpp 8 --pal-count 48 --area 0,0,8,8", 0, "tiles 1 \xC2\xB7 0.1 of 64 KB\nbroken tiles: 0\n"},
        {"--bpp 8 --pal-count 48",
         1,
         "8,0: the picture shows colours 55 but the palette exports only colours 0-47; the "
         "console shows what its palette memory holds there\ntiles 2 \xC2\xB7 0.1 of 64 KB\n"
         "broken tiles: 1\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli("check " + pic + " " + c.options);
        EXPECT_EQ(run.status, c.status) << c.options << "\n" << run.err;
        EXPECT_EQ(run.out, c.output) << c.options;
    }
    const CliRun json = Cli("check " + pic + " --bpp 4 --map --stats=json");
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.out.find("\"brokenTiles\": 1, \"limitPassed\": false}"), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("{\"x\": 8, \"y\": 0, \"problems\": [\"4-bpp tile uses"),
              std::string::npos)
        << json.out;
    EXPECT_EQ(Cli("check " + pic + " --bpp 3").status, 2);
    EXPECT_EQ(Cli("check").status, 2);
}

TEST_F(CliTest, PreviewPictureShowsTheConsoleColours) {
    const std::string pic = BankedPicture(dir_.File("banks.bmp"));
    ASSERT_EQ(Cli("export " + pic + " -o g.c --bpp 4 --map --preview shots/p.png").status, 0);
    PngFormat png;
    ASSERT_EQ(png.Read(dir_.File("shots/p.png")), 1) << png.message;
    ASSERT_EQ(DibWidth(png.image.get()), 16);
    ASSERT_EQ(DibHeight(png.image.get()), 8);
    // Pixel (8, 7) is 0x37 in the source; the console shows colour 0x17: blue 0x17 >> 3 = 2,
    // expanded back to (2 << 3) | (2 >> 2) = 16; red (255 - 0x17) >> 3 = 29 -> 239.
    const std::uint8_t* bgr = DibPictureRow(png.image.get(), 7) + 3 * 8;
    EXPECT_EQ(bgr[0], 16);
    EXPECT_EQ(bgr[2], 239);
}

TEST_F(CliTest, PreviewAndPresetNeverTakeThePlaceOfTheInputOrAnOutput) {
    namespace fs = std::filesystem;
    const std::string pic = Picture("pic.bmp");
    fs::create_directory(dir_.File("out"));
    for (const char* name : {"out/pic.c", "out/pic.h", "out/pic.s"})
        std::ofstream(dir_.File(name)) << "// an earlier export\n";
    std::ofstream(dir_.File("p.txt")) << "--bpp 4\n";
    fs::create_symlink(pic, dir_.File("pic-link.png"));
    fs::create_hard_link(pic, dir_.File("pic-hard.png"));
    fs::create_symlink("out/pic.c", dir_.File("c-link.png"));
    fs::create_hard_link(dir_.File("out/pic.c"), dir_.File("c-hard.png"));
    fs::create_symlink("out/new.h", dir_.File("new-link.png"));  // an output not written yet
    fs::create_directory_symlink("out", dir_.File("outlink"));
    const auto before = Snapshot(dir_.Path());
    const std::string input = "--preview would overwrite the INPUT picture";
    const std::string output = "--preview would overwrite an output of this export";
    const struct {
        std::string args;
        std::string says;
    } cases[] = {
        {"-o out/pic.c --preview " + pic, input},
        {"-o out/pic.c --preview pic.bmp", input},
        {"-o out/pic.c --preview ./pic.bmp", input},
        {"-o out/pic.c --preview pic-link.png", input},
        {"-o out/pic.c --preview pic-hard.png", input},
        {"-o out/pic.c --append --preview out/pic.c", output},
        {"-o out/pic.c --preview out/pic.h", output},
        {"-o out/pic.s --preview out/pic.s", output},
        {"-o out/pic.bin --preview out/pic.img.bin", output},
        {"-o out/pic.bin --map --preview out/pic.map.bin", output},
        {"-o out/pic.gbfs --preview out/pic.gbfs", output},
        {"-o out/pic.c --preview out/../out/pic.c", output},
        {"-o out/pic.c --preview outlink/pic.h", output},
        {"-o outlink/pic.c --preview ./out/pic.c", output},
        {"-o out/pic.c --preview c-link.png", output},
        {"-o out/pic.c --preview c-hard.png", output},
        {"-o out/new.c --preview new-link.png", output},
        {"-o out/pic.c --preset p.txt --preview ./p.txt",
         "--preview would overwrite the --preset file"},
        {"-o out/pic.c --preview p.png --save-preset ./p.png",
         "--preview and --save-preset name the same file"},
        {"-o out/pic.c --save-preset c-link.png",
         "--save-preset would overwrite an output of this export"},
        {"-o out/new.c --save-preset new-link.png",
         "--save-preset would overwrite an output of this export"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli("export " + pic + " " + c.args);
        EXPECT_EQ(run.status, 2) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args << "\n" << run.err;
        EXPECT_EQ(Snapshot(dir_.Path()), before) << c.args;
    }
}

TEST_F(CliTest, PreviewAndPresetAppearOnlyWithEveryOutput) {
    namespace fs = std::filesystem;
    const std::string pic = Picture("pic.bmp");
    fs::create_directories(dir_.File("blocked/pic.h"));  // a folder where the header goes
    fs::create_directory(dir_.File("bad"));
    std::ofstream(dir_.File("bad/pic.gbfs")) << "not an archive";
    fs::create_directory(dir_.File("taken.png"));
    fs::create_directory(dir_.File("locked"));
    std::ofstream(dir_.File("locked/pic.h")) << "// read-only\n";
    fs::permissions(dir_.File("locked/pic.h"), fs::perms::owner_read | fs::perms::group_read);
    const struct {
        std::string args;
        int status;
    } cases[] = {
        {pic + " -o blocked/pic.c --preview shots/p.png --save-preset p.txt", 1},
        {pic + " -o locked/pic.c --preview shots/p.png --save-preset p.txt", 1},
        {pic + " -o bad/pic.gbfs --append --preview shots/p.png --save-preset p.txt", 1},
        {"missing.bmp -o out/pic.c --preview shots/p.png --save-preset p.txt", 1},
        {pic + " -o out/pic.c --preview taken.png --save-preset p.txt", 1},
        {pic + " -o out/pic.c --preview shots/p.png --save-preset p.txt", 0},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir_.File("shots"));
        fs::remove(dir_.File("p.txt"));
        const auto before = Snapshot(dir_.Path());
        const CliRun run = Cli("export " + c.args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
        if (c.status != 0) {
            EXPECT_EQ(Snapshot(dir_.Path()), before) << c.args;
            continue;
        }
        for (const char* file : {"out/pic.c", "out/pic.h", "shots/p.png", "p.txt"})
            EXPECT_TRUE(fs::exists(dir_.File(file))) << c.args << " " << file;
    }
}

TEST_F(CliTest, StatsAsJsonAreTheOnlyThingOnStdout) {
    BmpFormat bmp;
    bmp.AttachImage(testing::CorpusDib(testing::MakeCorpusPicture({64, 32, 3, 15, 0, 4, 5})));
    ASSERT_EQ(bmp.Write(dir_.File("in.bmp")), 1);
    BankedPicture(dir_.File("banks.bmp"));
    const struct {
        const char* args;
        int status;
        const char* stderrSays;
    } cases[] = {
        {"in.bmp -o a.c --auto-banks --map", 0, "32 tiles in 3 banks"},
        {"in.bmp -o b.c --auto-banks --map --preview b.png --save-preset b.txt", 0,
         "32 tiles in 3 banks"},
        {"banks.bmp -o c.c --bpp 4 --map --area 0,0,24,8", 0, "--area reaches past"},
        {"banks.bmp -o d.c --bpp 4 --map --strict", 1, "with --strict; nothing written"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(std::string("export ") + c.args + " --stats=json");
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
        EXPECT_TRUE(JsonReader(run.out).OneDocument()) << c.args << "\n" << run.out;
        EXPECT_NE(run.err.find(c.stderrSays), std::string::npos) << c.args << "\n" << run.err;
    }
}

TEST_F(CliTest, SeveralPicturesShareTheirBlocksAndNameEachMap) {
    namespace fs = std::filesystem;
    Picture("a.bmp");
    Picture("b.bmp", 5, true);
    fs::create_directory(dir_.File("sub"));
    Picture("sub/a.bmp", 2);
    const struct {
        std::string args;
        int status;
        std::vector<std::string> files;  // written (status 0) or absent (else)
        std::string says;                // on stdout (status 0) or stderr
    } rows[] = {
        {"a.bmp b.bmp -o lvl.bin --map", 0,
         {"lvl.pal.bin", "lvl.img.bin", "a.map.bin", "b.map.bin", "lvl.h"}, ""},
        {"a.bmp b.bmp -o lvl.gbfs --map --meta 2x2", 0, {"lvl.gbfs"}, ""},
        {"a.bmp b.bmp -o lvl.c --map --stats --preview pv/", 0, {"pv/a.png", "pv/b.png"},
         "lvl (shared by 2 pictures):\n  palette: 512 bytes\n"},
        {"a.bmp sub/a.bmp -o bad.c", 2, {"bad.c"}, "two INPUTs have the title a"},
        {"a.bmp b.bmp -o bad.c --area 0,0,8,8", 2, {"bad.c"}, "--area applies to one picture"},
        {"a.bmp b.bmp -o bad.c --preview pv/ --save-preset pv/b.png", 2, {"pv/b.png"},
         "--preview and --save-preset name the same file"},
        {"a.bmp b.bmp -o bad.bin --map --save-preset b.map.bin", 2, {"bad.h"},
         "--save-preset would overwrite an output of this export"},
        {"a.bmp b.bmp -o bad.c --pal-count 4 --map", 1, {"bad.c", "bad.h"},
         "vorlin-cli export: b.bmp: its colours and those of the pictures before it need more than the 4 "
         "palette entries exported (0-3)"},
    };
    for (const auto& row : rows) {
        fs::remove_all(dir_.File("pv"));
        const CliRun run = Cli("export " + row.args);
        ASSERT_EQ(run.status, row.status) << row.args << "\n" << run.err;
        for (const std::string& file : row.files)
            EXPECT_EQ(fs::exists(dir_.File(file)), row.status == 0) << row.args << " " << file;
        EXPECT_NE((row.status == 0 ? run.out : run.err).find(row.says), std::string::npos)
            << row.args << "\n" << run.out << run.err;
    }
    const std::string archive = ReadAll(dir_.File("lvl.gbfs"));
    for (const char* object : {"lvlPal", "lvlTiles", "aMap", "aMetaMap", "bMap", "bMetaMap"})
        EXPECT_NE(archive.find(object), std::string::npos) << object;
}

TEST_F(CliTest, SeveralPicturesStatsJsonIsOneDocumentWithEveryPicture) {
    Picture("a.bmp");
    Picture("b.bmp", 5, true);
    const CliRun run = Cli("export a.bmp b.bmp -o lvl.c --map --bpp 4 --stats=json");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(JsonReader(run.out).OneDocument()) << run.out;
    EXPECT_NE(run.out.find("\"picture\": \"a.bmp\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"picture\": \"b.bmp\""), std::string::npos);
    EXPECT_EQ(run.out.find("\"shared\""), run.out.rfind("\"shared\""));
}

std::string BankedTilesPicture(const std::string& path) {
    BmpFormat bmp;
    bmp.AttachImage(testing::ColouredRulePicture(64, 48, testing::BankedTileIndex));
    EXPECT_EQ(bmp.Write(path), 1);
    return path;
}

TEST_F(CliTest, ImportedBlocksExportToTheSameBlocks) {
    const std::string pic = BankedTilesPicture(dir_.File("banked.bmp"));
    const struct {
        const char* exportOptions;
        const char* importSource;  // {} stands for the first export's title
        const char* importOptions;
    } cases[] = {
        {"--bpp 4 --map --img-cprs lz77 --map-cprs lz77", "--bin a/{}", "--map-size 8x6"},
        {"--bpp 8 --map --map-layout affine --tile-offset 3 --img-cprs huff", "--bin a/{}",
         "--bpp 8 --map-layout affine --map-size 8x6 --tile-offset 3"},
        {"--bpp 4 --map --meta 2x2 --pal-start 16 --pal-count 48", "--bin a/{}",
         "--map-size 8x6 --meta 2x2 --pal-start 16"},
        {"--bpp 4 --map --img-cprs rle", "--tiles a/{}.img.bin --map a/{}.map.bin --pal a/{}.pal.bin",
         "--map-size 8x6"},
        {"--bpp 8 --no-map", "--bin a/{}", "--bpp 8 --columns 8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exportOptions);
        std::filesystem::remove_all(dir_.File("a"));
        std::filesystem::remove_all(dir_.File("b"));
        ASSERT_EQ(Cli("export " + pic + " -o a/g.bin " + c.exportOptions).status, 0);
        std::string source = c.importSource;
        for (std::size_t at; (at = source.find("{}")) != std::string::npos;)
            source.replace(at, 2, "g");
        CliRun run = Cli("import -o back.png " + source + " " + c.importOptions);
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_EQ(Cli("export back.png -o b/g.bin " + std::string(c.exportOptions)).status, 0);
        for (const char* block : {".pal.bin", ".img.bin", ".map.bin", ".meta.bin"})
            EXPECT_EQ(ReadAll(dir_.File(std::string("b/g") + block)),
                      ReadAll(dir_.File(std::string("a/g") + block)))
                << block;
    }
    // The same blocks from an archive.
    ASSERT_EQ(Cli("export " + pic + " -o arc.gbfs --bpp 4 --map --symbol hero").status, 0);
    ASSERT_EQ(Cli("import -o arc.png --gbfs arc.gbfs --title hero --map-size 8x6").status, 0);
    ASSERT_EQ(Cli("export arc.png -o c/g.bin --bpp 4 --map").status, 0);
    ASSERT_EQ(Cli("export " + pic + " -o d/g.bin --bpp 4 --map").status, 0);
    EXPECT_EQ(ReadAll(dir_.File("c/g.img.bin")), ReadAll(dir_.File("d/g.img.bin")));
    EXPECT_EQ(ReadAll(dir_.File("c/g.map.bin")), ReadAll(dir_.File("d/g.map.bin")));
}

TEST_F(CliTest, ImportRefusesWhatItCannotReadAndSaysWhy) {
    const std::string pic = BankedTilesPicture(dir_.File("banked.bmp"));
    ASSERT_EQ(Cli("export " + pic + " -o a/g.bin --bpp 4 --map --img-cprs lz77").status, 0);
    std::ofstream(dir_.File("cut.bin")) << std::string(ReadAll(dir_.File("a/g.img.bin")), 0, 40);
    ExpectRefusals("x.png", {
        {"import --tiles a/g.img.bin", 2, "missing -o OUTPUT"},
        {"import -o x.gif --tiles a/g.img.bin", 2, "-o OUTPUT must end in .png, .bmp, .pcx or .tga"},
        {"import -o x.png", 2, "missing --tiles FILE"},
        {"import -o x.png --gbfs a.gbfs", 2, "--gbfs and --title go together"},
        {"import -o x.png --tiles a/g.img.bin --bpp 16 --bitmap 8x8", 2, "add --quantize"},
        {"import -o x.png --tiles a/g.img.bin --map-size 0x4", 2, "--map-size must be between"},
        {"import -o x.png --tiles missing.bin", 1, "missing.bin: No such file or directory"},
        {"import -o x.png --tiles a/g.img.bin --map a/g.map.bin", 1,
         "a/g.map.bin: the map size cannot be told from its 48 tiles"},
        {"import -o x.png --tiles cut.bin", 1, "cut.bin: neither a BIOS stream (its header names"},
        {"import -o x.png --bin nothing/g", 1, "nothing/g.img.bin: No such file or directory"},
        {"import -o x.png --gbfs a/g.img.bin --title g", 1, "a/g.img.bin: "},
    });
    const CliRun partial = Cli("import -o x.png --tiles cut.bin --partial --verbose");
    EXPECT_EQ(partial.status, 0) << partial.err;
    EXPECT_NE(partial.err.find("cut.bin: raw, 40 bytes\n"), std::string::npos) << partial.err;
    EXPECT_NE(partial.err.find("warning: cut.bin: neither"), std::string::npos) << partial.err;
}

TEST_F(CliTest, PaletteConvertsBetweenLayoutsOrNamesTheFileAndWhatIsWrong) {
    Picture("p.bmp");
    // The picture's colours 3 and 1, and a green between them.
    std::ofstream(dir_.File("pal.hex")) << "fc0003\n00ff00\nfe0001\n";
    std::ofstream(dir_.File("bad.gpl")) << "GIMP Palette\n1 2\n";
    const struct {
        const char* args;
        int status;
        const char* output;
        std::string starts;  // the output's first bytes, or the message on stderr
    } cases[] = {
        {"pal.hex a.gpl --start 1 --count 2", 0, "a.gpl",
         "GIMP Palette\nName: a\nColumns: 16\n#\n  0 255   0\tIndex 0\n254   0   1\tIndex 1\n"},
        {"pal.hex b.pal", 0, "b.pal", "CLRX 8 3\n"},
        {"pal.hex c.pal --pal-format jasc", 0, "c.pal", "JASC-PAL\r\n0100\r\n3\r\n252 0 3\r\n"},
        {"pal.hex d.act", 0, "d.act", std::string("\xfc\x00\x03\x00\xff\x00\xfe\x00\x01", 9)},
        {"p.bmp e.gbapal --start 1 --count 1", 0, "e.gbapal", std::string("\x1f\x00", 2)},
        {"pal.hex f.gpl --start 3", 1, "f.gpl", "pal.hex: --start 3 is past its 3 colours"},
        {"pal.hex g.gpl --count 4", 1, "g.gpl", "pal.hex: --start 0 --count 4 asks for more"},
        {"bad.gpl h.hex", 1, "h.hex", "bad.gpl: line 2: expected red, green and blue"},
        {"pal.hex i.txt", 1, "i.txt", "i.txt: not a palette file name"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(std::string("palette ") + c.args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
        const std::string written = ReadAll(dir_.File(c.output));
        if (c.status == 0) {
            EXPECT_EQ(written.substr(0, c.starts.size()), c.starts) << c.args;
        } else {
            EXPECT_NE(run.err.find(c.starts), std::string::npos) << c.args << "\n" << run.err;
            EXPECT_FALSE(std::filesystem::exists(dir_.File(c.output))) << c.args;
        }
    }
    EXPECT_EQ(std::filesystem::file_size(dir_.File("d.act")), 772u);
    EXPECT_NE(Cli("palette p.bmp r.gbapal").err.find("rounded to the nearest 15-bit"),
              std::string::npos);
}

TEST_F(CliTest, PaletteOptionMapsThePictureOntoTheFilesColours) {
    Picture("p.bmp", 2);
    // Colour 3 exactly, a green nobody uses, colour 1 exactly; colour 2 lies between the two.
    std::ofstream(dir_.File("pal.hex")) << "fc0003\n00ff00\nfe0001\n";
    for (const char* command : {"convert p.bmp out.bmp --palette pal.hex",
                                "convert p.bmp out.bmp --palette pal.hex --dither",
                                "reduce p.bmp out.bmp --palette pal.hex"}) {
        const CliRun run = Cli(command);
        ASSERT_EQ(run.status, 0) << command << "\n" << run.err;
        BmpFormat bmp;
        ASSERT_TRUE(bmp.Read(dir_.File("out.bmp"))) << bmp.message;
        EXPECT_EQ(DibColors(bmp.image.get())[0], (RgbQuad{3, 0, 252, 0})) << command;
        EXPECT_EQ(DibColors(bmp.image.get())[2], (RgbQuad{1, 0, 254, 0})) << command;
        bool used[256] = {};
        for (int y = 0; y < DibHeight(bmp.image.get()); ++y)
            for (int x = 0; x < DibWidth(bmp.image.get()); ++x)
                used[DibPictureRow(bmp.image.get(), y)[x]] = true;
        EXPECT_TRUE(used[0] && used[2] && !used[1] && !used[3]) << command;
    }
    const CliRun run = Cli("export p.bmp -o out.c --palette missing.gpl");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing.gpl: No such file"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace vorlin
