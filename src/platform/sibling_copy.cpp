#include "platform/sibling_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/file_attributes.h"
#include "platform/sibling_names.h"

namespace vorlin {

namespace {

constexpr std::size_t kCopyChunk = 64 * 1024;

// Only a regular file is copied: reading a pipe or device could wait forever
// or never end.
bool IsRegularFile(int fd, struct stat& st) {
    if (::fstat(fd, &st) != 0) return false;
    if (S_ISREG(st.st_mode)) return true;
    errno = S_ISDIR(st.st_mode) ? EISDIR : ENOTSUP;
    return false;
}

bool CopyBytes(int from, int to) {
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!WriteAllToDescriptor(to, std::string_view(buffer.data(), static_cast<std::size_t>(n))))
            return false;
    }
}

// Fills the new file `to` from `from` and puts it on disk, with the
// original's modification time (after the last write, which would change it).
bool FillCopy(int from, const struct stat& st, int to) {
    if (!CopyBytes(from, to)) return false;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    // A file system that keeps no such times still holds the right bytes.
    ::futimens(to, times);
    return ::fsync(to) == 0;
}

std::string CopyUnderFreshName(const std::string& from, const std::string& pattern) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (in < 0) return {};
    struct stat st {};
    std::string name;
    int out = IsRegularFile(in, st) ? CreateUnderFreshName(pattern, from, name) : -1;
    bool copied = out >= 0 && FillCopy(in, st, out);
    int error = errno;
    if (out >= 0 && ::close(out) != 0 && copied) {
        copied = false;
        error = errno;
    }
    ::close(in);
    if (copied) return name;
    if (!name.empty()) ::unlink(name.c_str());
    errno = error ? error : EIO;
    return {};
}

}  // namespace

bool LinksUnsupported(int error) {
    // EOPNOTSUPP is also ENOTSUP here; EMLINK is what some FUSE mounts give.
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

int CreateUnderFreshName(const std::string& pattern, const std::string& like, std::string& name) {
    std::string filled = pattern;
    const int fd = ::mkostemp(filled.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    if (!TakeOverAttributes(fd, like)) {
        const int error = errno;
        ::close(fd);
        ::unlink(filled.c_str());
        errno = error;
        return -1;
    }
    name = std::move(filled);
    return fd;
}

bool WriteAllToDescriptor(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string LinkOrCopyUnderFreshName(const std::string& from, const std::string& pattern, int flags,
                                     int linkFault) {
    if (linkFault == 0) {
        std::string name = LinkUnderFreshName(from, pattern, flags);
        if (!name.empty()) return name;
        linkFault = errno;
    }
    if (LinksUnsupported(linkFault)) return CopyUnderFreshName(from, pattern);
    errno = linkFault;
    return {};
}

}  // namespace vorlin
