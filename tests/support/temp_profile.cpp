#include "support/temp_profile.h"

#include <cstdlib>
#include <system_error>
#include <vector>

namespace vorlin {

namespace {

std::filesystem::path MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorlin-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const char* made = ::mkdtemp(name.data());
    return made ? std::filesystem::path(made) : std::filesystem::path();
}

}  // namespace

ScopedTempDir::ScopedTempDir() : dir_(MakeTempDir()) {}

ScopedTempDir::~ScopedTempDir() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
}

ScopedTempProfile::ScopedTempProfile()
    : dir_(MakeTempDir()), path_((dir_ / "vorlin.ini").string()), previous_(AppProfile().Path()) {
    AppProfile().SetPath(path_);
}

ScopedTempProfile::~ScopedTempProfile() {
    AppProfile().SetPath(previous_);
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
}

}  // namespace vorlin
