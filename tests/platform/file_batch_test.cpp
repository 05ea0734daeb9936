// FileBatch: several files replaced together or not at all.
#include "platform/file_batch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/file_size_limit.h"
#include "support/folder_snapshot.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

namespace fs = std::filesystem;

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Stages each (name, content) in `dir`; false at the first that fails.
bool StageEach(FileBatch& batch, const ScopedTempDir& dir,
               std::initializer_list<std::pair<const char*, const char*>> files) {
    for (const auto& [name, content] : files)
        if (!batch.Stage(dir.File(name), content)) return false;
    return true;
}

TEST(FileBatch, CommitReplacesEveryFileAndLeavesNoTemporaries) {
    ScopedTempDir dir;
    Write(dir.File("old.txt"), "old contents, longer than the new");
    {
        FileBatch batch;
        ASSERT_TRUE(StageEach(batch, dir, {{"old.txt", "new"}, {"new/sub/fresh.txt", "fresh"}}));
        EXPECT_EQ(FolderSnapshot(dir.Path()).count("new/sub/fresh.txt"), 0u)
            << "nothing is visible before the commit";
        ASSERT_TRUE(batch.Commit());
    }
    const std::map<std::string, std::string> expected = {{"old.txt", "new"},
                                                         {"new", "<folder>"},
                                                         {"new/sub", "<folder>"},
                                                         {"new/sub/fresh.txt", "fresh"}};
    EXPECT_EQ(FolderSnapshot(dir.Path()), expected);
}

TEST(FileBatch, FailedStageLeavesTheFolderAsItWas) {
    struct Case {
        const char* name;
        std::function<void(const ScopedTempDir&)> arrange;
        const char* failing;  // the second file, which cannot be written
        int error;
    } cases[] = {
        {"target is a folder", [](const ScopedTempDir& d) { fs::create_directory(d.File("b")); },
         "b", EISDIR},
        {"folder is a file", [](const ScopedTempDir& d) { Write(d.File("blocker"), "x"); },
         "blocker/b", ENOTDIR},
        {"target is read-only",
         [](const ScopedTempDir& d) {
             Write(d.File("locked"), "x");
             fs::permissions(d.File("locked"), fs::perms::owner_read);
         },
         "locked", EACCES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedTempDir dir;
        Write(dir.File("a"), "old a");
        c.arrange(dir);
        const auto before = FolderSnapshot(dir.Path());
        {
            FileBatch batch;
            ASSERT_TRUE(StageEach(batch, dir, {{"a", "new a"}, {"made/here/c", "c"}}));
            EXPECT_FALSE(batch.Stage(dir.File(c.failing), "b"));
            EXPECT_EQ(batch.FailedPath(), dir.File(c.failing));
            EXPECT_EQ(batch.FailedError(), c.error);
            EXPECT_FALSE(batch.Commit());
        }
        EXPECT_EQ(FolderSnapshot(dir.Path()), before);
    }
}

TEST(FileBatch, DiskRunningOutWhileStagingChangesNothing) {
    ScopedTempDir dir;
    Write(dir.File("a"), "old a");
    const auto before = FolderSnapshot(dir.Path());
    {
        ScopedFileSizeLimit limit(64);
        if (!limit.Active()) GTEST_SKIP() << "file size limits unavailable";
        FileBatch batch;
        ASSERT_TRUE(batch.Stage(dir.File("a"), "new a"));
        EXPECT_FALSE(batch.Stage(dir.File("big"), std::string(1000, 'x')));
        EXPECT_EQ(batch.FailedError(), EFBIG);
    }
    EXPECT_EQ(FolderSnapshot(dir.Path()), before);
}

TEST(FileBatch, FailedRenamePutsBackTheFilesAlreadyReplaced) {
    ScopedTempDir dir;
    Write(dir.File("a"), "old a");
    FileBatch batch;
    ASSERT_TRUE(StageEach(batch, dir, {{"a", "new a"}, {"b", "new b"}, {"c", "new c"}}));
    fs::create_directory(dir.File("c"));  // appears between writing and renaming
    const std::map<std::string, std::string> expected = {{"a", "old a"}, {"c", "<folder>"}};
    EXPECT_FALSE(batch.Commit());
    EXPECT_EQ(batch.FailedPath(), dir.File("c"));
    EXPECT_EQ(FolderSnapshot(dir.Path()), expected);
}

TEST(FileBatch, ALeftoverOfAnEarlierRunDoesNotStopTheRollBack) {
    ScopedTempDir dir;
    Write(dir.File("a"), "old a");
    // What a killed run with this process id (common in containers) may leave.
    const std::string stale = dir.File(".a.vorlin-tmp." + std::to_string(::getpid()) + ".backup");
    Write(stale, "stranger");
    FileBatch batch;
    ASSERT_TRUE(StageEach(batch, dir, {{"a", "new a"}, {"b", "new b"}}));
    fs::create_directory(dir.File("b"));
    EXPECT_FALSE(batch.Commit());
    const std::map<std::string, std::string> expected = {
        {"a", "old a"}, {"b", "<folder>"}, {fs::path(stale).filename(), "stranger"}};
    EXPECT_EQ(FolderSnapshot(dir.Path()), expected);
}

// Permission bits and modification time, which a target put back from a copy
// of its old file must have too.
std::string Attributes(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "missing";
    return std::to_string(st.st_mode & 07777) + " " + std::to_string(st.st_mtim.tv_sec);
}

// Old files a and b (with unusual attributes) and c new, staged in `dir`.
void StageOverTwoOldFiles(FileBatch& batch, const ScopedTempDir& dir, const std::string& oldB) {
    Write(dir.File("a"), "old a");
    Write(dir.File("b"), oldB);
    fs::permissions(dir.File("a"), fs::perms::owner_read | fs::perms::owner_write |
                                       fs::perms::group_read);
    const timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.File("b").c_str(), times, 0), 0);
    ASSERT_TRUE(StageEach(batch, dir, {{"a", "new a"}, {"b", "new b"}, {"c", "new c"}}));
}

TEST(FileBatch, AFaultAtAnyStepOfTheCommitLeavesEveryTargetAsItWas) {
    using Step = FileBatch::Step;
    const struct {
        const char* name;
        int noLinks;  // what every link gives on this file system; 0 where links work
        Step step;
        const char* at;
        int error;
    } rows[] = {
        // The file system refuses another name for a reason a copy would not mend.
        {"old a cannot be kept", 0, Step::KeepOld, "a", ENOSPC},
        {"old b cannot be kept", 0, Step::KeepOld, "b", EACCES},
        // Flushing the folder fails once the rename has happened.
        {"a fails after its rename", 0, Step::Installed, "a", EIO},
        {"b fails after its rename", 0, Step::Installed, "b", EIO},
        {"new c fails after its rename", 0, Step::Installed, "c", ENOSPC},
        // Without hard links the old files are kept as copies, which come back as they were.
        {"a fails after its rename, no links", EPERM, Step::Installed, "a", EIO},
        {"b fails after its rename, no links", EOPNOTSUPP, Step::Installed, "b", EIO},
        {"new c fails after its rename, no links", EMLINK, Step::Installed, "c", ENOSPC},
        {"new c fails after its rename, no link call", ENOSYS, Step::Installed, "c", EIO},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScopedTempDir dir;
        FileBatch batch;
        StageOverTwoOldFiles(batch, dir, "old b");
        const auto before = FolderSnapshot(dir.Path());
        const std::string attributes = Attributes(dir.File("a")) + Attributes(dir.File("b"));
        std::vector<Step> steps;
        batch.InjectFault([&](Step step, const std::string& target) {
            steps.push_back(step);
            if (step == row.step && target == dir.File(row.at)) return row.error;
            return step == Step::KeepOld ? row.noLinks : 0;
        });
        EXPECT_FALSE(batch.Commit());
        EXPECT_EQ(batch.FailedPath(), dir.File(row.at));
        EXPECT_EQ(batch.FailedError(), row.error);
        EXPECT_EQ(FolderSnapshot(dir.Path()), before);
        EXPECT_EQ(Attributes(dir.File("a")) + Attributes(dir.File("b")), attributes);
        if (row.step == Step::KeepOld) {
            EXPECT_EQ(std::count(steps.begin(), steps.end(), Step::Installed), 0)
                << "nothing is replaced once an old file cannot be kept";
        }
    }
}

// Where the old files are copies, a copy that cannot be made stops the commit
// before anything is replaced, and takes its partial file with it.
TEST(FileBatch, WithoutHardLinksAnOldFileThatCannotBeCopiedChangesNothing) {
    const struct {
        const char* name;
        rlim_t sizeLimit;  // 0: none
        const char* folderAt;  // a folder takes this target's place before the commit
        const char* at;
        int error;
    } rows[] = {
        {"the disk fills while old b is copied", 512, nullptr, "b", EFBIG},
        {"a folder took a's place", 0, "a", "a", EISDIR},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScopedTempDir dir;
        FileBatch batch;
        StageOverTwoOldFiles(batch, dir, std::string(100000, 'b'));
        if (row.folderAt) {
            fs::remove(dir.File(row.folderAt));
            fs::create_directory(dir.File(row.folderAt));
        }
        const auto before = FolderSnapshot(dir.Path());
        bool replaced = false;
        batch.InjectFault([&](FileBatch::Step step, const std::string&) {
            replaced |= step == FileBatch::Step::Installed;
            return step == FileBatch::Step::KeepOld ? EOPNOTSUPP : 0;
        });
        {
            std::optional<ScopedFileSizeLimit> limit;
            if (row.sizeLimit) limit.emplace(row.sizeLimit);
            if (limit && !limit->Active()) GTEST_SKIP() << "file size limits unavailable";
            EXPECT_FALSE(batch.Commit());
        }
        EXPECT_EQ(batch.FailedPath(), dir.File(row.at));
        EXPECT_EQ(batch.FailedError(), row.error);
        EXPECT_FALSE(replaced);
        EXPECT_EQ(FolderSnapshot(dir.Path()), before);
    }
}

// Halfway through a commit, as a crash would find it: each target whole (old
// or new) and each old file that existed reachable under a hidden name, be it
// a second link or, on a file system without hard links, a copy.
TEST(FileBatch, MidwayTheOldFilesHaveRecognisableSecondNames) {
    const struct {
        const char* name;
        int noLinks;
    } rows[] = {
        {"hard links", 0},
        {"no hard links", EPERM},
        {"links not supported", EOPNOTSUPP},
        {"no link call", ENOSYS},
        {"too many links", EMLINK},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScopedTempDir dir;
        FileBatch batch;
        StageOverTwoOldFiles(batch, dir, "old b");
        std::map<std::string, std::string> midway;
        batch.InjectFault([&](FileBatch::Step step, const std::string& target) {
            if (step == FileBatch::Step::Installed && target == dir.File("a"))
                midway = FolderSnapshot(dir.Path());
            return step == FileBatch::Step::KeepOld ? row.noLinks : 0;
        });
        ASSERT_TRUE(batch.Commit());
        const std::string pid = std::to_string(::getpid());
        const std::regex kept("\\.([ab])\\.vorlin-old\\." + pid + "\\.[A-Za-z0-9]{6}");
        const std::regex unnamed("\\.[bc]\\.vorlin-tmp\\." + pid + "\\.[A-Za-z0-9]{6}");
        std::map<std::string, std::string> seen;
        std::smatch match;
        for (const auto& [name, content] : midway) {
            if (std::regex_match(name, match, kept))
                seen[match[1].str() + " kept"] = content;
            else if (!std::regex_match(name, unnamed))  // where files cannot be made without a name
                seen[name] = content;
        }
        const std::map<std::string, std::string> expected = {
            {"a", "new a"}, {"b", "old b"}, {"a kept", "old a"}, {"b kept", "old b"}};
        EXPECT_EQ(seen, expected);
        const std::map<std::string, std::string> after = {
            {"a", "new a"}, {"b", "new b"}, {"c", "new c"}};
        EXPECT_EQ(FolderSnapshot(dir.Path()), after);
    }
}

}  // namespace
}  // namespace vorlin
