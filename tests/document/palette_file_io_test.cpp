#include "document/palette_file_io.h"

#include <gtest/gtest.h>

#include "export/compress.h"
#include "support/format_test_util.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

std::vector<RgbQuad> Greys(int count) {
    std::vector<RgbQuad> colors;
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>((i % 32 << 3) | (i % 32 >> 2));
        colors.push_back(RgbQuad{v, v, v, 0});
    }
    return colors;
}

TEST(PaletteFileIo, RawConsoleColoursArriveCompressedOrNot) {
    ScopedTempDir dir;
    const std::vector<RgbQuad> colors = Greys(32);
    const std::string raw = dir.File("p.gbapal");
    ASSERT_TRUE(SavePaletteFile(raw, colors, PaletteLayout::ColorList, false).Ok());
    const std::vector<std::uint8_t> bytes = ReadFileBytes(raw);
    using Packer = std::vector<std::uint8_t> (*)(const std::uint8_t*, std::size_t);
    const Packer packers[] = {Lz77Compress, RleCompress};
    for (Packer pack : packers) {
        WriteFileBytes(dir.File("p.bin"), pack(bytes.data(), bytes.size()));
        const PaletteFileResult read = LoadPaletteFile(dir.File("p.bin"), true);
        ASSERT_TRUE(read.Ok()) << read.error;
        EXPECT_EQ(read.colors, colors);
        EXPECT_NE(read.note.find("compressed"), std::string::npos);
    }
    // A raw palette whose first colour looks like a stream header is still raw colours.
    const std::vector<std::uint8_t> lookalike = {0x10, 0x00, 0x7C, 0x00, 0x1F, 0x00};
    WriteFileBytes(raw, lookalike);
    EXPECT_EQ(LoadPaletteFile(raw, false).colors.size(), 3u);
}

TEST(PaletteFileIo, RefusalsNameTheFileAndWhereAndImportNothing) {
    ScopedTempDir dir;
    struct Row {
        const char* name;
        std::string content;
        const char* says;
    } rows[] = {
        {"bad.gpl", "GIMP Palette\n1 2\n", ": line 2: expected red"},
        {"bad.act", std::string(10, 'x'), ": byte 0: an Adobe colour table"},
        {"bad.gbapal", "abc", ": byte 2: odd length"},
        {"bad.pal", "GIF89a", ": Ack! File format not recognized."},
        {"bad.png", "not a png", ": "},
        {"missing.gpl", "", ": No such file or directory"},
        {"bad.txt", "", ": not a palette file name"},
    };
    for (const Row& row : rows) {
        const std::string path = dir.File(row.name);
        if (std::string(row.name) != "missing.gpl") WriteFileBytes(path, {row.content.begin(), row.content.end()});
        const PaletteFileResult read = LoadPaletteFile(path, false);
        EXPECT_EQ(read.error.rfind(path + row.says, 0), 0u) << read.error;
        EXPECT_TRUE(read.colors.empty()) << row.name;
    }
}

TEST(PaletteFileIo, PicturesAreWrittenAsPngAndRoundingIsReported) {
    ScopedTempDir dir;
    EXPECT_FALSE(SavePaletteFile(dir.File("p.bmp"), Greys(4), PaletteLayout::ColorList, false).Ok());
    const PaletteFileResult written =
        SavePaletteFile(dir.File("p.png"), Greys(4), PaletteLayout::ColorList, false);
    ASSERT_TRUE(written.Ok()) << written.error;
    EXPECT_EQ(LoadPaletteFile(dir.File("p.png"), false).colors, Greys(4));
    const std::vector<RgbQuad> offGrid = {RgbQuad{1, 2, 3, 0}};
    const PaletteFileResult rounded =
        SavePaletteFile(dir.File("p.gbapal"), offGrid, PaletteLayout::ColorList, false);
    EXPECT_NE(rounded.note.find("rounded"), std::string::npos);
}

}  // namespace
}  // namespace vorlin
