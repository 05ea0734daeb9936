#include "platform/atomic_write.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "support/temp_profile.h"

namespace vorlin {
namespace {

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(WriteFileAtomically, ReplacesContentButNotWhoMayReadTheFile) {
    ScopedTempDir dir;
    const std::string fresh = dir.File("made/new.ini");
    ASSERT_TRUE(WriteFileAtomically(fresh, "a=1\n"));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(ModeOf(fresh), 0666u & ~static_cast<unsigned>(mask));

    const std::string shared = dir.File("shared.c");
    std::ofstream(shared) << "old";
    ASSERT_EQ(::chmod(shared.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(shared, "new"));
    EXPECT_EQ(Contents(shared), "new");
    EXPECT_EQ(ModeOf(shared), 0640u);
}

}  // namespace
}  // namespace vorlin
