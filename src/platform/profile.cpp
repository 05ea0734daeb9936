#include "platform/profile.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "platform/app_paths.h"
#include "platform/atomic_write.h"

namespace vorlin {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Section and key names compare without regard to case, as profile files always have.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// "[name]" gives name; anything else is not a section header.
bool SectionHeader(std::string_view line, std::string_view* name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    *name = Trim(line.substr(1, line.size() - 2));
    return true;
}

// "key=value" gives key and value; comments and damaged lines give false.
bool KeyLine(std::string_view line, std::string_view* key, std::string_view* value) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return false;
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos || eq == 0) return false;
    *key = Trim(trimmed.substr(0, eq));
    *value = Trim(trimmed.substr(eq + 1));
    return !key->empty();
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool StorableNames(std::string_view section, std::string_view key) {
    if (Trim(section).empty() || Trim(key).empty()) return false;
    if (HasLineBreak(section) || HasLineBreak(key)) return false;
    if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos)
        return false;
    return key.front() != '[' && key.front() != ';' && key.front() != '#';
}

}  // namespace

Profile::Profile(std::string path) {
    SetPath(std::move(path));
}

bool Profile::SetPath(std::string path) {
    path_ = std::move(path);
    return Reload();
}

bool Profile::Reload() {
    lines_.clear();
    writable_ = true;
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        std::error_code ec;
        if (!std::filesystem::exists(path_, ec)) return true;  // no file yet: every key has its default
        // There but unreadable: rewriting it from nothing would drop every key it holds.
        writable_ = false;
        return false;
    }
    std::string content;
    content.resize(kProfileMaxBytes + 1);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (in.bad()) {
        writable_ = false;
        return false;
    }
    content.resize(static_cast<std::size_t>(in.gcount()));
    // Some Windows editors save with a byte-order mark, which would hide the first section.
    if (content.rfind("\xEF\xBB\xBF", 0) == 0) content.erase(0, 3);
    if (content.size() > kProfileMaxBytes) {
        // Too large to be ours: read nothing and never overwrite it.
        writable_ = false;
        return false;
    }
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

long Profile::FindKey(std::string_view section, std::string_view key, long* sectionEnd) const {
    bool inSection = false;
    long found = -1;
    if (sectionEnd) *sectionEnd = -1;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name, k, v;
        if (SectionHeader(lines_[i], &name)) {
            inSection = SameName(name, Trim(section));
            if (inSection && sectionEnd && *sectionEnd < 0) *sectionEnd = static_cast<long>(i) + 1;
            continue;
        }
        if (!inSection) continue;
        if (sectionEnd && !Trim(lines_[i]).empty()) *sectionEnd = static_cast<long>(i) + 1;
        if (found < 0 && KeyLine(lines_[i], &k, &v) && SameName(k, Trim(key)))
            found = static_cast<long>(i);
    }
    return found;
}

std::string Profile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    const long at = FindKey(section, key, nullptr);
    if (at < 0) return std::string(fallback);
    std::string_view k, v;
    KeyLine(lines_[static_cast<std::size_t>(at)], &k, &v);
    return std::string(v);
}

int Profile::GetInt(std::string_view section, std::string_view key, int fallback) const {
    const std::string text = GetString(section, key, {});
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        return fallback;
    return value;
}

bool Profile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!StorableNames(section, key) || HasLineBreak(value)) return false;
    std::string line = std::string(Trim(key)) + "=" + std::string(Trim(value));
    long sectionEnd = -1;
    const long at = FindKey(section, key, &sectionEnd);
    if (at >= 0) {
        lines_[static_cast<std::size_t>(at)] = std::move(line);
    } else if (sectionEnd >= 0) {
        lines_.insert(lines_.begin() + sectionEnd, std::move(line));
    } else {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + std::string(Trim(section)) + "]");
        lines_.push_back(std::move(line));
    }
    // A file we must not replace still lets the value count for the rest of this run.
    return writable_ && Save();
}

bool Profile::Save() const {
    std::string content;
    for (const std::string& line : lines_) {
        content += line;
        content += '\n';
    }
    return WriteFileAtomically(path_, content);
}

Profile& AppProfile() {
    static Profile profile(DefaultProfilePath());
    return profile;
}

}  // namespace vorlin
