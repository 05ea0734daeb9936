#include "document/recent_file_list.h"

#include <algorithm>

#include "platform/profile.h"

namespace vorlin {

namespace {

inline constexpr const char* kRecentSection = "Recent File List";

std::string EntryKey(int n) {
    return "File" + std::to_string(n + 1);
}

}  // namespace

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    Remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > static_cast<std::size_t>(kSize)) entries_.resize(kSize);
}

void RecentFileList::Remove(const std::string& path) {
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
