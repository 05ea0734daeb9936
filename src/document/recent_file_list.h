// The File menu's most-recently-used list.
#pragma once

#include <string>
#include <vector>

namespace vorlin {

class Profile;

class RecentFileList {
  public:
    static constexpr int kSize = 4;

    // Puts `path` first, made absolute from the current folder; an entry
    // already in the list moves up instead of repeating.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Entries() const { return entries_; }

    // Kept in the settings under "Recent File List" as "File1" ... "File4".
    void Load(const Profile& profile);
    void Save(Profile& profile) const;

  private:
    std::vector<std::string> entries_;  // newest first
};

}  // namespace vorlin
