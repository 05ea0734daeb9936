// Byte-exact checks of the C, assembler and header text and of the summary comment.
#include "export/export_text_writers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/export_summary.h"

namespace vorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::tm FixedTime() {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    return t;
}

std::uint32_t Flags(int sizeCode, int compression = BLK_CPRS_NONE) {
    return WithCompression(WithSizeCode(BLK_EXPORT, sizeCode), compression);
}

ExportJobPtr Job(const std::string& symbol = "foo") {
    ExportJobPtr job(ExportJobNew());
    job->symbol = symbol;
    job->title = symbol;
    job->folder = ".";
    job->bpp = 4;
    job->right = job->bottom = 8;
    job->metaWidth = job->metaHeight = 1;
    return job;
}

Bytes Sequence(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i);
    return b;
}

const Bytes kFourColors = {0x00, 0x00, 0xFF, 0x7F, 0x1F, 0x00, 0xE0, 0x03};

// Text after the summary comment.
std::string Body(const std::string& text, const ExportJob& job, const char* prefix) {
    const std::string summary = SummaryComment(job, prefix, FixedTime());
    EXPECT_EQ(text.substr(0, summary.size()), summary);
    return text.substr(summary.size());
}

TEST(ExportCSource, PaletteInEachUnitPrintsTheBytesHighByteFirst) {
    struct Case {
        int sizeCode;
        const char* expected;
    } cases[] = {
        {BLK_SIZE_U8,
         "const unsigned char fooPal[8] "
         "__attribute__((aligned(4)))=\n{\n\t0x00,0x00,0xFF,0x7F,0x1F,0x00,0xE0,0x03,\n};\n\n"},
        {BLK_SIZE_U16,
         "const unsigned short fooPal[4] "
         "__attribute__((aligned(4)))=\n{\n\t0x0000,0x7FFF,0x001F,0x03E0,\n};\n\n"},
        {BLK_SIZE_U32,
         "const unsigned int fooPal[2] "
         "__attribute__((aligned(4)))=\n{\n\t0x7FFF0000,0x03E0001F,\n};\n\n"},
    };
    for (const Case& c : cases) {
        ExportJobPtr job = Job();
        job->palFlags = Flags(c.sizeCode);
        DataBlockAssign(job->palData, 2, kFourColors);
        EXPECT_EQ(Body(CSourceText(*job, FixedTime()), *job, "//"), c.expected) << c.sizeCode;
    }
}

TEST(ExportCSource, LineBreaksAfter16BytesAndAnEmptyLineAfterEightLines) {
    ExportJobPtr job = Job();
    job->imgFlags = Flags(BLK_SIZE_U8);
    DataBlockAssign(job->imgData, 1, Sequence(17));
    const std::string seventeen = Body(CSourceText(*job, FixedTime()), *job, "//");
    EXPECT_EQ(seventeen,
              "const unsigned char fooTiles[17] "
              "__attribute__((aligned(4)))=\n{\n\t0x00,0x01,0x02,0x03,0x04,0x05,0x06,0x07,"
              "0x08,0x09,0x0A,0x0B,0x0C,0x0D,0x0E,0x0F,\n\t0x10,\n};\n\n");

    DataBlockAssign(job->imgData, 1, Sequence(129));
    const std::string text = Body(CSourceText(*job, FixedTime()), *job, "//");
    std::vector<std::string> lines;
    for (std::size_t at = 0, next; at < text.size(); at = next + 1) {
        next = text.find('\n', at);
        lines.push_back(text.substr(at, next - at));
    }
    // declaration, "{", 8 item lines, an empty line, the 9th item line, "};", "".
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[9],
              "\t0x70,0x71,0x72,0x73,0x74,0x75,0x76,0x77,0x78,0x79,0x7A,0x7B,0x7C,0x7D,0x7E,0x7F,");
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[11], "\t0x80,");
    EXPECT_EQ(lines[12], "};");
}

TEST(ExportCSource, OddSizeIsPaddedWithZerosAndEmptyBlocksAreLeftOut) {
    ExportJobPtr job = Job();
    job->palFlags = Flags(BLK_SIZE_U8);  // exported, but no data
    job->mapFlags = Flags(BLK_SIZE_U32) | MAP_AFFINE;
    DataBlockAssign(job->mapData, 1, Bytes{0x01, 0x02, 0x03, 0x04, 0x05});
    EXPECT_EQ(Body(CSourceText(*job, FixedTime()), *job, "//"),
              "const unsigned int fooMap[2] "
              "__attribute__((aligned(4)))=\n{\n\t0x04030201,0x00000005,\n};\n\n");
}

TEST(ExportAsmSource, DeclaresEachBlockWithItsDirectiveAndByteCount) {
    ExportJobPtr job = Job();
    job->palFlags = Flags(BLK_SIZE_U16);
    DataBlockAssign(job->palData, 2, kFourColors);
    job->imgFlags = Flags(BLK_SIZE_U16);
    DataBlockAssign(job->imgData, 1, Sequence(3));
    EXPECT_EQ(Body(AsmSourceText(*job, FixedTime()), *job, "@"),
              "\t.section .rodata\n\t.align\t2\n\t.global fooPal\t\t@ 8 bytes\nfooPal:"
              "\n\t.hword 0x0000,0x7FFF,0x001F,0x03E0\n\n"
              "\t.section .rodata\n\t.align\t2\n\t.global fooTiles\t\t@ 4 bytes\nfooTiles:"
              "\n\t.hword 0x0100,0x0002\n\n");
}

TEST(ExportAsmSource, ByteItemsBreakEvery16WithoutTrailingComma) {
    ExportJobPtr job = Job();
    job->imgFlags = Flags(BLK_SIZE_U8);
    DataBlockAssign(job->imgData, 1, Sequence(17));
    const std::string body = Body(AsmSourceText(*job, FixedTime()), *job, "@");
    EXPECT_NE(body.find(",0x0F\n\t.byte 0x10\n\n"), std::string::npos) << body;
    EXPECT_NE(body.find("fooTiles:\n\t.byte 0x00,0x01,"), std::string::npos) << body;
}

TEST(ExportHeader, LengthMacrosAreByteSizesAndArraysCountItems) {
    ExportJobPtr job = Job();
    // A 3-entry palette is padded to 4 entries by the conversion.
    const Bytes padded = {0x00, 0x00, 0xFF, 0x7F, 0x1F, 0x00, 0x00, 0x00};
    job->palFlags = Flags(BLK_SIZE_U16);
    DataBlockAssign(job->palData, 2, padded);
    job->imgFlags = Flags(BLK_SIZE_U16);
    DataBlockAssign(job->imgData, 1, Sequence(2048));
    EXPECT_EQ(Body(HeaderText(*job, FixedTime()), *job, "//"),
              "#ifndef __FOO_H__\n#define __FOO_H__\n\n"
              "#define fooPalLen 8\nextern const unsigned short fooPal[4];\n\n"
              "#define fooTilesLen 2048\nextern const unsigned short fooTiles[1024];\n\n"
              "#endif // __FOO_H__\n\n");
    job->palFlags = Flags(BLK_SIZE_U32);
    EXPECT_NE(HeaderText(*job, FixedTime()).find("extern const unsigned int fooPal[2];"),
              std::string::npos);
}

TEST(ExportHeader, AffineMapOf600EntriesInWiderUnitsAndMetaMapWithTileGroups) {
    ExportJobPtr job = Job("bg_0");
    job->metaWidth = 2;
    job->mapFlags = Flags(BLK_SIZE_U16) | MAP_AFFINE;
    DataBlockAssign(job->mapData, 1, Bytes(600, 7));
    DataBlockAssign(job->metaData, 2, Bytes(6, 1));
    const std::string h16 = Body(HeaderText(*job, FixedTime()), *job, "//");
    EXPECT_EQ(h16,
              "#ifndef __BG_0_H__\n#define __BG_0_H__\n\n"
              "#define bg_0MapLen 600\nextern const unsigned short bg_0Map[300];\n\n"
              "#define bg_0MetaMapLen 6\nextern const unsigned short bg_0MetaMap[3];\n\n"
              "#endif // __BG_0_H__\n\n");
    job->mapFlags = Flags(BLK_SIZE_U32) | MAP_AFFINE;
    const std::string h32 = HeaderText(*job, FixedTime());
    EXPECT_NE(h32.find("extern const unsigned int bg_0Map[150];"), std::string::npos);
    EXPECT_NE(h32.find("extern const unsigned int bg_0MetaMap[2];"), std::string::npos);
}

TEST(ExportHeader, GuardStaysClearOfCompilerMacros) {
    EXPECT_EQ(HeaderGuard("pic"), "__PIC_H__");
    EXPECT_EQ(HeaderGuard("version"), "__VERSION_H__");
    EXPECT_EQ(HeaderGuard("Bg_1x"), "__BG_1X_H__");
}

std::string Banner(const char* p) {
    return std::string(p) + "\tExported by Brenn's Vorlin v" VORLIN_VERSION "\n" + p +
           "\t(comments, kudos, flames to \"the Vorlin issue tracker\")\n";
}

TEST(ExportSummary, FullSummaryLineByLine) {
    ExportJobPtr job = Job();
    job->right = 256;
    job->bottom = 160;
    job->bpp = 4;
    job->palFlags = Flags(BLK_SIZE_U16);
    DataBlockAssign(job->palData, 2, Bytes(32));
    job->imgFlags = Flags(BLK_SIZE_U16, BLK_CPRS_LZ77);
    DataBlockAssign(job->imgData, 1, Bytes(2048));
    job->mapFlags =
        Flags(BLK_SIZE_U16, BLK_CPRS_RLE) | MAP_SBB | MAP_REDUCE | MAP_FLIP | MAP_PALBANK;
    DataBlockAssign(job->mapData, 2, Bytes(1200));
    job->work.reset(DibCreate(8, 8 * 64, 8, nullptr, 1));
    const std::string rule = "//" + std::string(70, '=') + "\n";
    EXPECT_EQ(SummaryComment(*job, "//", FixedTime()),
              rule + "//\n" + "//\tfoo, 256x160@4, \n" +
                  "//\t+ palette 16 entries, not compressed\n" +
                  "//\t+ 64 tiles (t|f|p reduced) lz77 compressed\n" +
                  "//\t+ regular map (in SBBs), rle compressed, 32x20 \n" +
                  "//\tTotal size: 32 + 2048 + 1200 = 3280\n" + "//\n" +
                  "//\tTime-stamp: 2024-03-07, 09:05:03\n" + Banner("//") + "//\n" + rule + "\n");
}

TEST(ExportSummary, TileGroupsAndLayoutNames) {
    ExportJobPtr job = Job();
    job->right = 64;
    job->bottom = 32;
    job->metaWidth = 2;
    job->metaHeight = 2;
    job->imgFlags = Flags(BLK_SIZE_U8, BLK_CPRS_HUFF);
    job->work.reset(DibCreate(8, 32, 8, nullptr, 1));
    const std::string noMap = SummaryComment(*job, "@", FixedTime());
    EXPECT_NE(noMap.find("@\t+ 4 tiles 2x2 metatiles huf compressed\n"), std::string::npos);

    job->mapFlags = Flags(BLK_SIZE_U8) | MAP_AFFINE;
    const std::string affine = SummaryComment(*job, "@", FixedTime());
    EXPECT_NE(affine.find("@\t+ 4 tiles huf compressed\n"), std::string::npos);
    EXPECT_NE(affine.find("@\t+ affine map, not compressed, 4x2 \n@\t2x2 metatiles\n"),
              std::string::npos);
    EXPECT_EQ(affine.find("@" + std::string(71, '=') + "\n"), 0u);

    job->mapFlags |= MAP_SBB;  // both layouts at once name neither
    EXPECT_NE(SummaryComment(*job, "@", FixedTime()).find("@\t+ not compressed, 4x2 \n"),
              std::string::npos);
}

TEST(ExportSummary, NoBlocksMeansNoTotalLine) {
    ExportJobPtr job = Job();
    const std::string rule = "//" + std::string(70, '=') + "\n";
    const std::string expected = rule + "//\n//\tfoo, 8x8@4, \n//\n" +
                                 "//\tTime-stamp: 2024-03-07, 09:05:03\n" + Banner("//") + "//\n" +
                                 rule + "\n";
    EXPECT_EQ(SummaryComment(*job, "//", FixedTime()), expected);
    EXPECT_EQ(CSourceText(*job, FixedTime()), expected);
    EXPECT_EQ(HeaderText(*job, FixedTime()),
              expected + "#ifndef __FOO_H__\n#define __FOO_H__\n\n#endif // __FOO_H__\n\n");
}

TEST(ExportSummary, BitmapLineAndCompressedPaletteCountsStoredBytes) {
    ExportJobPtr job = Job();
    job->bpp = 16;
    job->imgFlags = Flags(BLK_SIZE_U16) | IMG_BITMAP;
    DataBlockAssign(job->imgData, 1, Bytes(128));
    job->palFlags = Flags(BLK_SIZE_U16, BLK_CPRS_RLE);
    DataBlockAssign(job->palData, 1, Bytes(12));  // compressed: 12 stored bytes
    const std::string s = SummaryComment(*job, "//", FixedTime());
    EXPECT_NE(s.find("//\t+ palette 6 entries, rle compressed\n//\t+ bitmap not compressed\n"
                     "//\tTotal size: 12 + 128 = 140\n"),
              std::string::npos)
        << s;
}

}  // namespace
}  // namespace vorlin
