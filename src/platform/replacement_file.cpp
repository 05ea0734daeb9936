#include "platform/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/file_attributes.h"
#include "platform/sibling_copy.h"
#include "platform/sibling_names.h"

namespace vorlin {

namespace {

// As many links as the system itself follows before giving up.
constexpr int kMaxLinkHops = 40;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// The file a link chain ends at (which may not exist yet); empty with errno
// set for a loop.
std::string FollowLinks(const std::string& path) {
    std::filesystem::path current(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
        std::error_code ec;
        const std::filesystem::path link = std::filesystem::read_symlink(current, ec);
        if (ec) return current.string();
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    errno = ELOOP;
    return {};
}

// 0 when `target` may be replaced (it is a regular file someone may write, or
// is absent), else the system's reason.
int ReplaceableError(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    // Renaming over a device or a pipe would remove it rather than write to it.
    if (!S_ISREG(st.st_mode)) return ENOTSUP;
    if (::access(target.c_str(), W_OK) != 0) return errno;
    // The superuser passes the check above; a file nobody may write is still
    // meant to stay as it is.
    if ((st.st_mode & kAnyWriteBit) == 0) return EACCES;
    return 0;
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path p(path);
    return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

bool SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems cannot sync a folder at all; they keep no separate entry to lose.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

}  // namespace

int OpenReplacementFile(const std::string& target, std::string& tempPath) {
    return CreateUnderFreshName(ReplacementTempPattern(target), target, tempPath);
}

ReplacementFile::~ReplacementFile() {
    Discard();
}

bool ReplacementFile::Fail(int error) {
    if (error_ == 0) error_ = error ? error : EIO;
    Discard();
    errno = error_;
    return false;
}

void ReplacementFile::CloseDescriptor() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void ReplacementFile::Discard() {
    const int saved = errno;
    CloseDescriptor();
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    finished_ = false;
    errno = saved;
}

bool ReplacementFile::Open(const std::string& path) {
    Discard();
    error_ = 0;
    unnamed_ = false;
    installed_ = false;
    target_ = FollowLinks(path);
    if (target_.empty()) return Fail(errno);
    if (const int error = ReplaceableError(target_)) return Fail(error);
    folder_ = FolderOf(target_);
    const unsigned mode = FileModeForReplacing(target_);
    if (OpenUnnamed(mode)) return true;
    fd_ = OpenReplacementFile(target_, temp_);
    return fd_ >= 0 ? true : Fail(errno);
}

bool ReplacementFile::OpenUnnamed(unsigned mode) {
    // Linking the file into place goes through its /proc entry.
    if (::access("/proc/self/fd", X_OK) != 0) return false;
    fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd_ < 0) return false;
    if (!TakeOverAttributes(fd_, target_)) {
        CloseDescriptor();
        return false;
    }
    unnamed_ = true;
    return true;
}

bool ReplacementFile::Write(std::string_view bytes) {
    if (fd_ < 0 || finished_) return Fail(error_ ? error_ : EBADF);
    return WriteAllToDescriptor(fd_, bytes) || Fail(errno);
}

bool ReplacementFile::Finish() {
    if (fd_ < 0) return Fail(error_ ? error_ : EBADF);
    if (::fsync(fd_) != 0) return Fail(errno);
    if (!unnamed_ && ::close(fd_) != 0) {
        fd_ = -1;
        return Fail(errno);
    }
    if (!unnamed_) fd_ = -1;
    finished_ = true;
    return true;
}

std::string ReplacementFile::SelfLink() const {
    return "/proc/self/fd/" + std::to_string(fd_);
}

bool ReplacementFile::InstallUnnamed() {
    // A new file appears under its name in one step; an existing one is
    // replaced by renaming a linked name over it, as rename is the only atomic
    // swap. Where links fail, a named copy is renamed instead.
    if (linkFault_ == 0 && !PathExists(target_)) {
        if (::linkat(AT_FDCWD, SelfLink().c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST && !LinksUnsupported(errno)) return false;
    }
    temp_ = LinkOrCopyUnderFreshName(SelfLink(), ReplacementTempPattern(target_),
                                     AT_SYMLINK_FOLLOW, linkFault_);
    return !temp_.empty() && ::rename(temp_.c_str(), target_.c_str()) == 0;
}

bool ReplacementFile::Install() {
    if (!finished_) return Fail(error_ ? error_ : EBADF);
    const bool placed = unnamed_ ? InstallUnnamed() : ::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!placed) return Fail(errno);
    installed_ = true;
    temp_.clear();
    CloseDescriptor();
    finished_ = false;
    if (!SyncFolder(folder_)) return Fail(errno);
    return true;
}

bool ReplacementFile::Commit() {
    return Finish() && Install();
}

}  // namespace vorlin
