#include "platform/app_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vorlin {

namespace {

inline constexpr const char* kProfileName = "vorlin.ini";
// Relative to the executable's folder in an installed tree (bin/ beside share/).
inline constexpr const char* kInstalledDataDir = "../share/vorlin";

std::string NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string ExecutableDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path().string();
}

std::string ShippedFilePath(const std::string& exeDir, const std::string& name) {
    const std::filesystem::path dir(exeDir);
    const std::filesystem::path beside = dir / name;
    const std::filesystem::path installed = (dir / kInstalledDataDir / name).lexically_normal();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(beside, ec) &&
        std::filesystem::is_regular_file(installed, ec))
        return installed.string();
    return beside.string();
}

std::string ShippedFilePath(const std::string& name) {
    return ShippedFilePath(ExecutableDir(), name);
}

std::string DefaultProfilePath() {
    if (std::string env = NonEmptyEnv("VORLIN_INI"); !env.empty()) return env;
    const std::string exeDir = ExecutableDir();
    if (!exeDir.empty()) {
        std::error_code ec;
        const std::string beside = exeDir + "/" + kProfileName;
        if (std::filesystem::is_regular_file(beside, ec)) return beside;
    }
    std::string config = NonEmptyEnv("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        const std::string home = NonEmptyEnv("HOME");
        if (home.empty()) return exeDir.empty() ? kProfileName : exeDir + "/" + kProfileName;
        config = home + "/.config";
    }
    return config + "/vorlin/" + kProfileName;
}

}  // namespace vorlin
