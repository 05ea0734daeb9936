#include "platform/sibling_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

namespace vorlin {

namespace {

constexpr int kMaxNameAttempts = 64;

std::string Pattern(const std::string& target, const char* kind) {
    const std::filesystem::path path(target);
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string name = "." + path.filename().string() + ".vorlin-" + kind + "." +
                             std::to_string(::getpid()) + ".XXXXXX";
    return (folder / name).string();
}

// The pattern with its six X's replaced by random letters and digits.
std::string FillPattern(std::string pattern) {
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kDigits) - 2);
    for (std::size_t i = pattern.size() - 6; i < pattern.size(); ++i)
        pattern[i] = kDigits[pick(random)];
    return pattern;
}

}  // namespace

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string ReplacementTempPattern(const std::string& target) {
    return Pattern(target, "tmp");
}

std::string KeptOldPattern(const std::string& target) {
    return Pattern(target, "old");
}

std::string LinkUnderFreshName(const std::string& from, const std::string& pattern, int flags) {
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        std::string name = FillPattern(pattern);
        if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, name.c_str(), flags) == 0) return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

}  // namespace vorlin
