#include "platform/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace vorlin {

bool WriteAllToDescriptor(int fd, std::string_view content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

unsigned FileModeForReplacing(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool TakeOverAttributes(int fd, const std::string& target) {
    struct stat st {};
    // Only the superuser (or a member of the group) may hand a file over; for
    // anyone else the new file stays theirs, as any editor's would.
    if (::stat(target.c_str(), &st) == 0 &&
        (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
        ::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // Not allowed here: the file keeps its writer as owner.
    }
    // After the owner: a change of owner clears the set-id bits.
    return ::fchmod(fd, static_cast<mode_t>(FileModeForReplacing(target))) == 0;
}

std::string ReplacementTempPattern(const std::string& target) {
    const std::filesystem::path path(target);
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string name =
        "." + path.filename().string() + ".vorlin-tmp." + std::to_string(::getpid()) + ".XXXXXX";
    return (folder / name).string();
}

int OpenReplacementFile(const std::string& target, std::string& tempPath) {
    std::string pattern = ReplacementTempPattern(target);
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    if (!TakeOverAttributes(fd, target)) {
        const int error = errno;
        ::close(fd);
        ::unlink(pattern.c_str());
        errno = error;
        return -1;
    }
    tempPath = std::move(pattern);
    return fd;
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::filesystem::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    ReplacementFile file;
    return file.Open(path) && file.Write(content) && file.Commit();
}

}  // namespace vorlin
