#include "platform/file_batch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/sibling_copy.h"
#include "platform/sibling_names.h"

namespace vorlin {

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void RemoveIfSet(std::string& path) {
    if (!path.empty()) ::unlink(path.c_str());
    path.clear();
}

}  // namespace

FileBatch::~FileBatch() {
    Discard();
}

bool FileBatch::Fail(const std::string& path, int error) {
    if (failedPath_.empty()) {
        failedPath_ = path;
        failedError_ = error;
    }
    return false;
}

int FileBatch::InjectedError(Step step, const Entry& entry) const {
    return fault_ ? fault_(step, entry.file->Target()) : 0;
}

// Creates the missing folders above `path` and remembers them, so that a
// failed batch can take them away again.
bool FileBatch::CreateFolders(const std::string& path) {
    const std::filesystem::path target(path);
    if (!target.has_parent_path()) return true;
    std::vector<std::filesystem::path> missing;
    for (std::filesystem::path folder = target.parent_path();
         !folder.empty() && !PathExists(folder.string()); folder = folder.parent_path()) {
        missing.push_back(folder);
        if (folder == folder.parent_path()) break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (::mkdir(it->c_str(), 0777) != 0 && errno != EEXIST) return Fail(path, errno);
        createdFolders_.push_back(it->string());
    }
    return true;
}

bool FileBatch::Stage(const std::string& path, std::string_view content) {
    if (!failedPath_.empty()) return false;
    if (path.empty()) return Fail(path, ENOENT);
    if (IsFolder(path)) return Fail(path, EISDIR);
    if (!CreateFolders(path)) return false;
    Entry entry;
    entry.path = path;
    entry.file = std::make_unique<ReplacementFile>();
    if (!entry.file->Open(path) || !entry.file->Write(content) || !entry.file->Finish())
        return Fail(path, entry.file->Error());
    entries_.push_back(std::move(entry));
    return true;
}

// A hard link, or where the file system makes none a copy on disk, keeps each
// old file reachable until the batch is through. An old file that cannot be
// kept could not be brought back, so then nothing is replaced.
bool FileBatch::KeepOldTargets() {
    for (Entry& entry : entries_) {
        const std::string& target = entry.file->Target();
        entry.existed = PathExists(target);
        if (!entry.existed) continue;
        entry.kept = LinkOrCopyUnderFreshName(target, KeptOldPattern(target), 0,
                                              InjectedError(Step::KeepOld, entry));
        if (entry.kept.empty()) return Fail(entry.path, errno);
    }
    return true;
}

bool FileBatch::Replace(Entry& entry) {
    const bool installed = entry.file->Install();
    entry.replaced = entry.file->Installed();
    const int error = installed ? InjectedError(Step::Installed, entry) : entry.file->Error();
    return error == 0 || Fail(entry.path, error);
}

void FileBatch::RollBack() {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (!it->replaced) continue;
        const std::string& target = it->file->Target();
        if (it->existed) {
            // Should the old file not go back, its second name is now its only
            // copy, so that name is forgotten rather than removed.
            std::rename(it->kept.c_str(), target.c_str());
            it->kept.clear();
        } else {
            ::unlink(target.c_str());
        }
        it->replaced = false;
    }
}

bool FileBatch::Commit() {
    if (!failedPath_.empty()) return false;
    bool done = KeepOldTargets();
    for (std::size_t i = 0; done && i < entries_.size(); ++i) done = Replace(entries_[i]);
    if (!done) {
        RollBack();
        Discard();
        return false;
    }
    for (Entry& entry : entries_) RemoveIfSet(entry.kept);
    entries_.clear();
    createdFolders_.clear();
    return true;
}

void FileBatch::Discard() {
    // Destroying an entry's file forgets whatever it has not installed.
    for (Entry& entry : entries_) RemoveIfSet(entry.kept);
    entries_.clear();
    RemoveCreatedFolders();
}

void FileBatch::RemoveCreatedFolders() {
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it)
        ::rmdir(it->c_str());
    createdFolders_.clear();
}

}  // namespace vorlin
