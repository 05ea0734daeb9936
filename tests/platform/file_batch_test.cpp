// FileBatch: several files replaced together or not at all.
#include "platform/file_batch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

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

TEST(FileBatch, AFaultAtAnyStepOfTheCommitLeavesEveryTargetAsItWas) {
    using Step = FileBatch::Step;
    const struct {
        const char* name;
        Step step;
        const char* at;
        int error;
    } rows[] = {
        // A file system without hard links, or one refusing another name.
        {"old a cannot be kept", Step::KeepOld, "a", EPERM},
        {"old b cannot be kept", Step::KeepOld, "b", EMLINK},
        // Flushing the folder fails once the rename has happened.
        {"a fails after its rename", Step::Installed, "a", EIO},
        {"b fails after its rename", Step::Installed, "b", EIO},
        {"new c fails after its rename", Step::Installed, "c", ENOSPC},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScopedTempDir dir;
        Write(dir.File("a"), "old a");
        Write(dir.File("b"), "old b");
        const auto before = FolderSnapshot(dir.Path());
        FileBatch batch;
        ASSERT_TRUE(StageEach(batch, dir, {{"a", "new a"}, {"b", "new b"}, {"c", "new c"}}));
        std::vector<Step> steps;
        batch.InjectFault([&](Step step, const std::string& target) {
            steps.push_back(step);
            return step == row.step && target == dir.File(row.at) ? row.error : 0;
        });
        EXPECT_FALSE(batch.Commit());
        EXPECT_EQ(batch.FailedPath(), dir.File(row.at));
        EXPECT_EQ(batch.FailedError(), row.error);
        EXPECT_EQ(FolderSnapshot(dir.Path()), before);
        if (row.step == Step::KeepOld) {
            EXPECT_EQ(std::count(steps.begin(), steps.end(), Step::Installed), 0)
                << "nothing is replaced once an old file cannot be kept";
        }
    }
}

// Halfway through a commit, as a crash would find it: each target whole (old
// or new) and each old file that existed reachable under a hidden name.
TEST(FileBatch, MidwayTheOldFilesHaveRecognisableSecondNames) {
    ScopedTempDir dir;
    Write(dir.File("a"), "old a");
    Write(dir.File("b"), "old b");
    FileBatch batch;
    ASSERT_TRUE(StageEach(batch, dir, {{"a", "new a"}, {"b", "new b"}, {"c", "new c"}}));
    std::map<std::string, std::string> midway;
    batch.InjectFault([&](FileBatch::Step step, const std::string& target) {
        if (step == FileBatch::Step::Installed && target == dir.File("a"))
            midway = FolderSnapshot(dir.Path());
        return 0;
    });
    ASSERT_TRUE(batch.Commit());
    const std::string pid = std::to_string(::getpid());
    const std::regex kept("\\.([ab])\\.vorlin-old\\." + pid + "\\.[a-z0-9]{6}");
    const std::regex unnamed("\\.[bc]\\.vorlin-tmp\\." + pid + "\\.[a-z0-9]{6}");
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

}  // namespace
}  // namespace vorlin
