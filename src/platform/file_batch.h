// Replacing several files as one: each file is first written and flushed as a
// ReplacementFile beside its target (so links, read-only targets and owners
// are treated as for a single file), and the targets change only once every
// one of them was written. A failure leaves every target (and its folder) as
// it was.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/replacement_file.h"

namespace vorlin {

class FileBatch {
  public:
    FileBatch() = default;
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;
    // Removes the temporary files of a batch that was not committed.
    ~FileBatch();

    // Writes `content` to a temporary file for `path`, creating missing
    // folders. False on failure, with FailedPath() and FailedError() set; the
    // batch then cannot be committed.
    bool Stage(const std::string& path, std::string_view content);

    // Puts every new file in place of its target. When one fails the
    // targets already replaced get their old files back (or are removed when
    // they are new), and the result is false with FailedPath() set.
    bool Commit();

    // Removes the temporary files and the folders Stage created.
    void Discard();

    const std::string& FailedPath() const { return failedPath_; }
    // The system's error number of the failure (0 when it gave none).
    int FailedError() const { return failedError_; }

  private:
    struct Entry {
        std::string path;  // as given
        std::unique_ptr<ReplacementFile> file;
        std::string backup;  // a second name for the old target while committing
        bool existed = false;
    };

    bool Fail(const std::string& path, int error);
    bool CreateFolders(const std::string& path);
    static void KeepOldTarget(Entry& entry);
    // Puts back the targets of the first `count` entries.
    void RollBack(std::size_t count);
    void RemoveCreatedFolders();

    std::vector<Entry> entries_;
    std::vector<std::string> createdFolders_;
    std::string failedPath_;
    int failedError_ = 0;
};

}  // namespace vorlin
