#include "platform/file_batch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/atomic_write.h"

namespace vorlin {

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

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

// Creates the missing folders above `path` and remembers them, so that a
// failed batch can take them away again.
bool FileBatch::CreateFolders(const std::string& path) {
    const std::filesystem::path target(path);
    if (!target.has_parent_path()) return true;
    std::vector<std::filesystem::path> missing;
    for (std::filesystem::path folder = target.parent_path();
         !folder.empty() && !Exists(folder.string()); folder = folder.parent_path()) {
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
    Entry entry{path, std::make_unique<ReplacementFile>(), "", false};
    if (!entry.file->Open(path) || !entry.file->Write(content) || !entry.file->Finish())
        return Fail(path, entry.file->Error());
    entries_.push_back(std::move(entry));
    return true;
}

// A hard link keeps the old file reachable until the batch is through. Where
// the file system has no hard links the old file cannot be brought back.
void FileBatch::KeepOldTarget(Entry& entry) {
    const std::string& target = entry.file->Target();
    entry.existed = Exists(target);
    if (!entry.existed) return;
    std::string backup = ReplacementTempPattern(target);
    backup.replace(backup.size() - 6, 6, "backup");
    if (::link(target.c_str(), backup.c_str()) == 0) entry.backup = backup;
}

void FileBatch::RollBack(std::size_t count) {
    for (std::size_t i = count; i-- > 0;) {
        Entry& entry = entries_[i];
        const std::string& target = entry.file->Target();
        if (!entry.backup.empty())
            std::rename(entry.backup.c_str(), target.c_str());
        else if (!entry.existed)
            ::unlink(target.c_str());
        entry.backup.clear();
    }
}

bool FileBatch::Commit() {
    if (!failedPath_.empty()) return false;
    for (Entry& entry : entries_) KeepOldTarget(entry);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& entry = entries_[i];
        if (!entry.file->Install()) {
            Fail(entry.path, entry.file->Error());
            RollBack(i);
            Discard();
            return false;
        }
    }
    for (Entry& entry : entries_) RemoveIfSet(entry.backup);
    entries_.clear();
    createdFolders_.clear();
    return true;
}

void FileBatch::Discard() {
    // Destroying an entry's file forgets whatever it has not installed.
    for (Entry& entry : entries_) RemoveIfSet(entry.backup);
    entries_.clear();
    RemoveCreatedFolders();
}

void FileBatch::RemoveCreatedFolders() {
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it)
        ::rmdir(it->c_str());
    createdFolders_.clear();
}

}  // namespace vorlin
