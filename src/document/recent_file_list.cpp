#include "document/recent_file_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/profile.h"

namespace vorlin {

namespace {

inline constexpr const char* kRecentSection = "Recent File List";

std::string EntryKey(int n) {
    return "File" + std::to_string(n + 1);
}

// `path` from the current folder, so that the entry still names the same file
// once the editor starts elsewhere. "." steps go; ".." stays, as it may leave
// a symbolically linked folder somewhere else than the text suggests.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) return path;
    std::filesystem::path kept;
    for (const auto& part : full)
        if (part != ".") kept /= part;
    return kept.string();
}

}  // namespace

void RecentFileList::Add(const std::string& given) {
    if (given.empty()) return;
    const std::string path = Absolute(given);
    Remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > static_cast<std::size_t>(kSize)) entries_.resize(kSize);
}

void RecentFileList::Remove(const std::string& given) {
    const std::string path = Absolute(given);
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

void RecentFileList::Load(const Profile& profile) {
    entries_.clear();
    for (int n = 0; n < kSize; ++n) {
        std::string path = profile.GetString(kRecentSection, EntryKey(n), {});
        if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end())
            entries_.push_back(std::move(path));
    }
}

void RecentFileList::Save(Profile& profile) const {
    for (int n = 0; n < kSize; ++n) {
        const auto i = static_cast<std::size_t>(n);
        profile.WriteString(kRecentSection, EntryKey(n), i < entries_.size() ? entries_[i] : "");
    }
}

}  // namespace vorlin
