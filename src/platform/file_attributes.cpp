#include "platform/file_attributes.h"

#include <sys/stat.h>
#include <unistd.h>

namespace vorlin {

namespace {

// The umask can only be read by setting it, which for a moment changes it for
// every thread of the process; so it is read once, before main starts threads.
mode_t StartUmask() {
    static const mode_t mask = [] {
        const mode_t value = ::umask(0);
        ::umask(value);
        return value;
    }();
    return mask;
}

[[maybe_unused]] const mode_t kReadBeforeMain = StartUmask();

}  // namespace

unsigned FileModeForReplacing(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    return 0666 & ~StartUmask();
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

}  // namespace vorlin
