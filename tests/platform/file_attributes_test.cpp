#include "platform/file_attributes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "support/temp_profile.h"

namespace vorlin {
namespace {

// Another thread creating a file while the mode of a new one is worked out
// must get the process's umask, never a momentarily cleared one.
TEST(FileModeForReplacing, LeavesTheUmaskOfOtherThreadsAlone) {
    ScopedTempDir dir;
    const mode_t saved = ::umask(022);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 50000 && !done; ++i) FileModeForReplacing(dir.File("new.c"));
        done = true;
    });
    const std::string probe = dir.File("probe");
    unsigned seen = 0644;
    while (!done && seen == 0644) {
        const int fd = ::open(probe.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd < 0) {
            ADD_FAILURE() << "cannot create " << probe;
            break;
        }
        struct stat st {};
        ::fstat(fd, &st);
        ::close(fd);
        ::unlink(probe.c_str());
        seen = st.st_mode & 07777;
    }
    done = true;
    writer.join();
    ::umask(saved);
    EXPECT_EQ(seen, 0644u);
}

}  // namespace
}  // namespace vorlin
