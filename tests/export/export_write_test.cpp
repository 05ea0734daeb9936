// ExportWrite on disk: which files appear, appending and merging, failures
// reported with the file that failed, and the header compiling as C.
#include "export/export_write.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "export/gbfs_archive.h"
#include "support/folder_snapshot.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ExportJobPtr Job(const ScopedTempDir& dir, std::uint32_t kind, const std::string& symbol = "foo") {
    ExportJobPtr job(ExportJobNew());
    job->folder = dir.Path().string();
    job->title = symbol;
    job->symbol = symbol;
    job->outFlags = kind;
    job->bpp = 4;
    job->right = job->bottom = 8;
    job->metaWidth = job->metaHeight = 1;
    job->palFlags = WithSizeCode(BLK_EXPORT, BLK_SIZE_U16);
    DataBlockAssign(job->palData, 2, Bytes{0x00, 0x00, 0xFF, 0x7F});
    job->imgFlags = WithSizeCode(BLK_EXPORT, BLK_SIZE_U16);
    DataBlockAssign(job->imgData, 1, Bytes(32, 0x11));
    return job;
}

TEST(ExportWriteFiles, EachKindWritesItsFilesAndNoTemporaries) {
    struct Case {
        std::uint32_t kind;
        std::vector<std::string> files;
    } cases[] = {
        {OUT_KIND_C, {"foo.c", "foo.h"}},
        {OUT_KIND_ASM, {"foo.h", "foo.s"}},
        {OUT_KIND_BIN, {"foo.h", "foo.img.bin", "foo.pal.bin"}},
        {OUT_KIND_GBFS, {"foo.gbfs", "foo.h"}},
    };
    for (const Case& c : cases) {
        ScopedTempDir dir;
        ExportJobPtr job = Job(dir, c.kind | OUT_HEADER);
        job->mapFlags = BLK_EXPORT;  // exported but empty: no .map.bin
        ASSERT_EQ(ExportWrite(job.get()), 1) << c.kind;
        EXPECT_EQ(FilesIn(dir.Path()), c.files) << c.kind;
        EXPECT_TRUE(job->failedFile.empty());
    }
}

TEST(ExportWriteFiles, BinaryFilesHoldExactlyTheBlockBytes) {
    ScopedTempDir dir;
    ExportJobPtr job = Job(dir, OUT_KIND_BIN);
    WriteText(dir.File("foo.pal.bin"), "older and longer contents");
    ASSERT_EQ(ExportWrite(job.get()), 1);
    EXPECT_EQ(ReadText(dir.File("foo.pal.bin")), std::string("\0\0\xFF\x7F", 4));
    EXPECT_EQ(ReadText(dir.File("foo.img.bin")), std::string(32, '\x11'));
}

TEST(ExportWriteFiles, AppendAddsToTextFilesAndMergesArchives) {
    ScopedTempDir dir;
    WriteText(dir.File("foo.c"), "// earlier\n");
    ExportJobPtr job = Job(dir, OUT_KIND_C | OUT_APPEND);
    ASSERT_EQ(ExportWrite(job.get()), 1);
    const std::string c = ReadText(dir.File("foo.c"));
    EXPECT_EQ(c.rfind("// earlier\n//====", 0), 0u);
    EXPECT_NE(c.find("const unsigned short fooPal[2] __attribute__((aligned(4)))="),
              std::string::npos);

    ExportJobPtr bar = Job(dir, OUT_KIND_GBFS, "bar");
    bar->title = "pack";
    ASSERT_EQ(ExportWrite(bar.get()), 1);
    job->outFlags = OUT_KIND_GBFS | OUT_APPEND;
    job->title = "pack";
    ASSERT_EQ(ExportWrite(job.get()), 1);
    const std::string archive = ReadText(dir.File("pack.gbfs"));
    std::vector<GbfsObject> objects;
    const Bytes bytes(archive.begin(), archive.end());
    ASSERT_TRUE(ReadGbfsDirectory(bytes, objects));
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_STREQ(reinterpret_cast<const char*>(objects[0].name.data()), "barPal");
    EXPECT_STREQ(reinterpret_cast<const char*>(objects[3].name.data()), "fooTiles");
}

TEST(ExportWriteFiles, UnwritableOutputIsReportedWithItsPath) {
    ScopedTempDir dir;
    WriteText(dir.File("blocker"), "a file where the folder should be");
    ExportJobPtr job = Job(dir, OUT_KIND_C | OUT_HEADER);
    job->folder = dir.File("blocker");
    EXPECT_EQ(ExportWrite(job.get()), 0);
    EXPECT_EQ(job->failedFile, dir.File("blocker") + "/foo.h");  // the first output that failed
    EXPECT_FALSE(job->failedReason.empty());

    job->folder = dir.Path().string();
    EXPECT_EQ(ExportWrite(job.get()), 1);
    EXPECT_TRUE(job->failedFile.empty()) << "a later success clears the old failure";

    job->outFlags = 7;
    EXPECT_EQ(ExportWrite(job.get()), 0);
    EXPECT_EQ(job->failedReason, kWriteErrorUnknownKind);
}

TEST(ExportWriteFiles, AFailedExportCreatesAndChangesNothing) {
    const std::string notArchive = "not an archive, and not to be thrown away";
    const Bytes data(20, 7);
    Bytes damaged = BuildGbfs({{GbfsEntryName("keep", "Map"), data.data(), data.size()}}, nullptr);
    damaged[32 + 31] = 0x7F;  // the object's offset points far past the end
    const struct {
        const char* name;
        std::uint32_t flags;
        const char* existing;  // the file in the way, or the damaged archive
        std::string content;   // empty: a folder stands there
        const char* reason;
    } cases[] = {
        {"C source", OUT_KIND_C | OUT_HEADER, "foo.c", "", "Is a directory"},
        {"assembler", OUT_KIND_ASM | OUT_HEADER, "foo.s", "", "Is a directory"},
        {"binary", OUT_KIND_BIN | OUT_HEADER, "foo.img.bin", "", "Is a directory"},
        {"archive", OUT_KIND_GBFS | OUT_HEADER, "foo.gbfs", "", "Is a directory"},
        {"append to other file", OUT_KIND_GBFS | OUT_HEADER | OUT_APPEND, "foo.gbfs", notArchive,
         "not a GBFS archive"},
        {"append to damaged archive", OUT_KIND_GBFS | OUT_APPEND, "foo.gbfs",
         std::string(damaged.begin(), damaged.end()),
         "GBFS object \"keepMap\" lies outside the archive data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedTempDir dir;
        WriteText(dir.File("foo.pal.bin"), "an older palette");
        WriteText(dir.File("foo.h"), "// an older header");
        if (c.content.empty())
            fs::create_directory(dir.File(c.existing));
        else
            WriteText(dir.File(c.existing), c.content);
        const auto before = FolderSnapshot(dir.Path());
        ExportJobPtr job = Job(dir, c.flags);
        EXPECT_EQ(ExportWrite(job.get()), 0);
        EXPECT_EQ(job->failedFile, dir.File(c.existing));
        EXPECT_EQ(job->failedReason, c.reason);
        EXPECT_EQ(FolderSnapshot(dir.Path()), before);
    }
}

TEST(ExportWriteFiles, AppendingToAnUnreadableFileFailsAndKeepsIt) {
    ScopedTempDir dir;
    fs::create_directory(dir.File("foo.c"));  // a folder cannot be read as the old file
    ExportJobPtr job = Job(dir, OUT_KIND_C | OUT_APPEND);
    EXPECT_EQ(ExportWrite(job.get()), 0);
    EXPECT_EQ(job->failedFile, dir.File("foo.c"));
    EXPECT_TRUE(fs::is_directory(dir.File("foo.c")));
}

// The header of a picture named "pic" must still declare its arrays where the
// compiler predefines __PIC__.
void ExpectHeaderCompiles(const std::string& compiler, const std::string& flags) {
    ScopedTempDir dir;
    ExportJobPtr job = Job(dir, OUT_KIND_C | OUT_HEADER, "pic");
    ASSERT_EQ(ExportWrite(job.get()), 1);
    WriteText(dir.File("use.c"),
              "#include \"pic.h\"\nunsigned first(void) { return picPal[0] + picTilesLen; }\n");
    const std::string command = compiler + " " + flags + " -Wall -Werror -c -o " +
                                dir.File("use.o") + " " + dir.File("use.c") + " -I" +
                                dir.Path().string() + " 2>" + dir.File("log");
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadText(dir.File("log"));
}

bool HaveCompiler(const std::string& compiler) {
    return std::system(("command -v " + compiler + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(ExportWriteFiles, HeaderOfSymbolPicCompilesWithPositionIndependentCode) {
    ASSERT_TRUE(HaveCompiler("gcc"));
    ExpectHeaderCompiles("gcc", "-fPIC");
    if (!HaveCompiler("arm-none-eabi-gcc")) GTEST_SKIP() << "arm-none-eabi-gcc not installed";
    ExpectHeaderCompiles("arm-none-eabi-gcc", "-fPIC -mthumb");
}

}  // namespace
}  // namespace vorlin
