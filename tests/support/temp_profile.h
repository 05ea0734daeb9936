// Points the program's settings at a fresh file of its own for one test, so
// tests running side by side never see each other's settings.
#pragma once

#include <filesystem>
#include <string>

#include "platform/profile.h"

namespace vorlin {

class ScopedTempProfile {
  public:
    ScopedTempProfile();
    ~ScopedTempProfile();
    ScopedTempProfile(const ScopedTempProfile&) = delete;
    ScopedTempProfile& operator=(const ScopedTempProfile&) = delete;

    const std::string& Path() const { return path_; }
    Profile& Get() { return AppProfile(); }

  private:
    std::filesystem::path dir_;
    std::string path_;
    std::string previous_;
};

// A fresh empty folder under the system's temporary folder, removed by the destructor.
class ScopedTempDir {
  public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;
    const std::filesystem::path& Path() const { return dir_; }
    std::string File(const std::string& name) const { return (dir_ / name).string(); }

  private:
    std::filesystem::path dir_;
};

}  // namespace vorlin
