#include "platform/app_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_profile.h"

namespace vorlin {
namespace {

namespace fs = std::filesystem;

// Which copies of the file exist in a prefix laid out as bin/ and share/vorlin/.
struct ShippedCase {
    const char* what;
    bool beside;
    bool installed;
    const char* expected;  // relative to the prefix
};

constexpr ShippedCase kShippedCases[] = {
    {"build tree", true, false, "bin/vorlin.pal"},
    {"both: the portable copy wins", true, true, "bin/vorlin.pal"},
    {"installed", false, true, "share/vorlin/vorlin.pal"},
    {"missing: named where it was expected", false, false, "bin/vorlin.pal"},
};

TEST(ShippedFile, BesideTheExecutableFirstThenTheInstalledDataFolder) {
    for (const ShippedCase& c : kShippedCases) {
        SCOPED_TRACE(c.what);
        ScopedTempDir prefix;
        const fs::path bin = prefix.Path() / "bin";
        const fs::path share = prefix.Path() / "share" / "vorlin";
        fs::create_directories(bin);
        fs::create_directories(share);
        if (c.beside) std::ofstream(bin / "vorlin.pal") << "beside";
        if (c.installed) std::ofstream(share / "vorlin.pal") << "installed";

        EXPECT_EQ(ShippedFilePath(bin.string(), "vorlin.pal"),
                  (prefix.Path() / c.expected).string());
    }
}

TEST(ShippedFile, AFolderInTheDataPlaceIsNoFile) {
    ScopedTempDir prefix;
    fs::create_directories(prefix.Path() / "bin");
    fs::create_directories(prefix.Path() / "share" / "vorlin" / "vorlin.pal");
    EXPECT_EQ(ShippedFilePath((prefix.Path() / "bin").string(), "vorlin.pal"),
              (prefix.Path() / "bin" / "vorlin.pal").string());
}

}  // namespace
}  // namespace vorlin
