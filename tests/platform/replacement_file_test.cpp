#include "platform/replacement_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/atomic_write.h"
#include "support/file_size_limit.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class ReplacementFileTest : public ::testing::Test {
  protected:
    std::string Existing(const std::string& name, const std::string& text = "old") {
        std::ofstream(dir.File(name)) << text;
        return dir.File(name);
    }
    ScopedTempDir dir;
};

TEST_F(ReplacementFileTest, WritesThroughSymbolicLinksAndKeepsThem) {
    fs::create_directory(dir.File("real"));
    const std::string target = Existing("real/pic.bmp");
    fs::create_symlink("real/pic.bmp", dir.File("relative.bmp"));
    fs::create_symlink(dir.File("relative.bmp"), dir.File("chain.bmp"));
    fs::create_symlink("real/new.bmp", dir.File("dangling.bmp"));
    const struct {
        const char* link;
        const char* lands;
    } rows[] = {{"relative.bmp", "real/pic.bmp"},
                {"chain.bmp", "real/pic.bmp"},
                {"dangling.bmp", "real/new.bmp"}};
    for (const auto& row : rows) {
        ASSERT_TRUE(WriteFileAtomically(dir.File(row.link), row.link)) << row.link;
        EXPECT_TRUE(fs::is_symlink(dir.File(row.link))) << row.link;
        EXPECT_EQ(Contents(dir.File(row.lands)), row.link);
    }
    EXPECT_EQ(Listing(dir.File("real")), (std::vector<std::string>{"new.bmp", "pic.bmp"}));
}

TEST_F(ReplacementFileTest, RefusesWhatItMustNotReplaceWithTheSystemsReason) {
    const std::string readOnly = Existing("locked.c");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    fs::create_directory(dir.File("folder.c"));
    fs::create_symlink("loop.c", dir.File("loop.c"));
    ASSERT_EQ(::mkfifo(dir.File("pipe.c").c_str(), 0666), 0);
    const struct {
        const char* name;
        int error;
    } rows[] = {{"locked.c", EACCES}, {"folder.c", EISDIR}, {"loop.c", ELOOP}, {"pipe.c", ENOTSUP}};
    const std::vector<std::string> before = Listing(dir.Path());
    for (const auto& row : rows) {
        ReplacementFile file;
        errno = 0;
        EXPECT_FALSE(file.Open(dir.File(row.name))) << row.name;
        EXPECT_EQ(file.Error(), row.error) << row.name;
        EXPECT_EQ(errno, row.error) << row.name;
        EXPECT_FALSE(WriteFileAtomically(dir.File(row.name), "new")) << row.name;
    }
    EXPECT_EQ(Contents(readOnly), "old");
    EXPECT_EQ(Listing(dir.Path()), before);
}

TEST_F(ReplacementFileTest, KeepsTheOwnerOfTheFileItReplaces) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file away";
    const std::string path = Existing("theirs.s");
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
}

TEST_F(ReplacementFileTest, NothingAppearsBesideTheTargetWhileWriting) {
    const std::string path = Existing("pic.pcx");
    ReplacementFile file;
    ASSERT_TRUE(file.Open(path));
    ASSERT_TRUE(file.Write("partly written"));
    ASSERT_TRUE(file.Finish());
    // A process killed now leaves no trace: the new file has no name yet.
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"pic.pcx"});
    EXPECT_EQ(Contents(path), "old");
    ASSERT_TRUE(file.Install());
    EXPECT_EQ(Contents(path), "partly written");
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"pic.pcx"});
}

// A file system that makes unnamed files but refuses to link them: the file
// is still installed, as a copy renamed into place, with its permission bits.
TEST_F(ReplacementFileTest, LinksThatAreRefusedFallBackToACopy) {
    const struct {
        const char* name;
        int linkError;
        bool existing;
    } rows[] = {
        {"over.c", EPERM, true},
        {"new.c", EOPNOTSUPP, false},
        {"over.h", ENOSYS, true},
        {"new.h", EMLINK, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.File(row.name);
        if (row.existing) {
            Existing(row.name);
            ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
        }
        ReplacementFile file;
        ASSERT_TRUE(file.Open(path) && file.Write(row.name));
        file.InjectLinkError(row.linkError);
        ASSERT_TRUE(file.Commit()) << std::strerror(file.Error());
        EXPECT_EQ(Contents(path), row.name);
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        if (row.existing) {
            EXPECT_EQ(st.st_mode & 07777, 0604u);
        }
        fs::remove(path);
        EXPECT_TRUE(Listing(dir.Path()).empty());
    }
}

TEST_F(ReplacementFileTest, FinishedFilesThatAreNotInstalledChangeNothing) {
    const std::string kept = Existing("a.c"), fresh = dir.File("a.h");
    {
        ReplacementFile source, header;
        ASSERT_TRUE(source.Open(kept) && source.Write("new") && source.Finish());
        ASSERT_TRUE(header.Open(fresh) && header.Write("new") && header.Finish());
        // Going out of scope uninstalled, as when a later output of the same job fails.
    }
    EXPECT_EQ(Contents(kept), "old");
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"a.c"});
}

TEST_F(ReplacementFileTest, NamedTemporaryFilesAreRecognisable) {
    std::string temp;
    const int fd = OpenReplacementFile(dir.File("pic.tga"), temp);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(fs::path(temp).parent_path(), dir.Path());
    const std::regex pattern("\\.pic\\.tga\\.vorlin-tmp\\." + std::to_string(::getpid()) +
                             "\\.[A-Za-z0-9]{6}");
    EXPECT_TRUE(std::regex_match(fs::path(temp).filename().string(), pattern)) << temp;
}

TEST_F(ReplacementFileTest, AFileSizeLimitFailsTheWriteWithoutLeftovers) {
    const std::string path = Existing("big.bin");
    {
        ScopedFileSizeLimit limit(16);
        ASSERT_TRUE(limit.Active());
        errno = 0;
        EXPECT_FALSE(WriteFileAtomically(path, std::string(4096, 'x')));
        EXPECT_EQ(errno, EFBIG);
    }
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"big.bin"});
}

}  // namespace
}  // namespace vorlin
