// FileBatch: several files replaced together or not at all.
#include "platform/file_batch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

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

}  // namespace
}  // namespace vorlin
