// The settings store: integers and strings by section and key, kept in a plain
// INI file. Lines it cannot understand are ignored when reading and written back
// unchanged, so a damaged file never loses the keys around the damage.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlin {

class Profile {
  public:
    Profile() = default;
    explicit Profile(std::string path);

    // Switches to another file and reads it. False when it exists but cannot be read.
    bool SetPath(std::string path);
    const std::string& Path() const { return path_; }
    // Reads the file again, dropping what is in memory.
    bool Reload();

    // Missing keys and values that are not a plain decimal integer give the default.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;
    // Stores the value and rewrites the file through a temporary file and a
    // rename. False when the names or value cannot be stored or the write fails
    // (the value is then kept in memory only).
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

  private:
    // Index of the line holding the key, or -1; `sectionEnd` gets the index after
    // the section's last non-blank line (-1 when the section is absent).
    long FindKey(std::string_view section, std::string_view key, long* sectionEnd) const;
    bool Save() const;

    std::string path_;
    std::vector<std::string> lines_;
    bool writable_ = true;  // false when the file was too large to hold safely
};

// Largest settings file read; anything larger is left alone and not rewritten.
inline constexpr std::size_t kProfileMaxBytes = 1u << 20;

// The program's settings store, at DefaultProfilePath() until pointed elsewhere.
Profile& AppProfile();

}  // namespace vorlin
