// Replacing several files as one: each file is first written and flushed as a
// ReplacementFile beside its target (so links, read-only targets and owners
// are treated as for a single file), and the targets change only once every
// one of them was written. A failure leaves every target (and its folder) as
// it was.
//
// Commit first gives every existing target a second, hidden name
// ".NAME.vorlin-old.PID.XXXXXX" beside it (see platform/sibling_names.h): a
// hard link, or where the file system makes none (FAT, exFAT, some network
// and FUSE mounts) a copy of the old file's bytes, permission bits and
// modification time, flushed to disk (platform/sibling_copy.h). Only once
// every old file is kept does it rename the new files over the targets one by
// one, then remove the second names. A process killed in the middle of Commit
// leaves every target whole (its old file or its new one), and may leave
// beside a target:
//   - ".NAME.vorlin-old.PID.XXXXXX", the target's old file. As long as any
//     target still holds its old file, every target already replaced has this
//     name, so the batch can be undone by hand. A copy is a file of its own:
//     it is complete once any target was replaced, but one being written when
//     the process died is partial (every target then still holds its old
//     file, and the copy can go); it keeps the old owner only where the system
//     allowed, and none of the old file's other names;
//   - ".NAME.vorlin-tmp.PID.XXXXXX", its new file not yet in place: only the
//     one being renamed at that moment where the file system can make files
//     without a name, every one not yet in place where it cannot;
//   - the folders Stage created.
// Once Commit, Discard or the destructor returns, nothing of the batch stays
// beside the targets, except an old file that a roll back failed to put back:
// it keeps its "old" name rather than being lost.
#pragma once

#include <functional>
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

    // Puts every new file in place of its target. When an existing target
    // can be given neither its second name nor a copy under it (a full disk,
    // a folder that may not be written, an old file that cannot be read),
    // nothing is replaced. When a replacement fails, even after its rename,
    // every target already replaced gets its old file back (or is removed when
    // it is new). False in both cases, with FailedPath() and FailedError() set.
    bool Commit();

    // Removes the temporary files and the folders Stage created.
    void Discard();

    const std::string& FailedPath() const { return failedPath_; }
    // The system's error number of the failure (0 when it gave none).
    int FailedError() const { return failedError_; }

    // For tests: `fault` is asked at each step of Commit for each target, and
    // a non-zero answer (an error number) makes that step fail. KeepOld is
    // asked instead of linking an existing target to its second name (an
    // error of a file system without hard links makes Commit copy it); Installed
    // after a new file took its target's place, as when the folder flush fails.
    enum class Step { KeepOld, Installed };
    using Fault = std::function<int(Step, const std::string& target)>;
    void InjectFault(Fault fault) { fault_ = std::move(fault); }

  private:
    struct Entry {
        std::string path;  // as given
        std::unique_ptr<ReplacementFile> file;
        std::string kept;  // the old target's second name while committing
        bool existed = false;
        bool replaced = false;  // the new file took the target's place
    };

    bool Fail(const std::string& path, int error);
    int InjectedError(Step step, const Entry& entry) const;
    bool CreateFolders(const std::string& path);
    bool KeepOldTargets();
    bool Replace(Entry& entry);
    void RollBack();
    void RemoveCreatedFolders();

    std::vector<Entry> entries_;
    std::vector<std::string> createdFolders_;
    std::string failedPath_;
    int failedError_ = 0;
    Fault fault_;
};

}  // namespace vorlin
