#include "app/file_type_set.h"

#include <algorithm>

#include "platform/profile.h"
#include "app/string_table.h"
#include "app/ui_services.h"

namespace vorlin {

namespace {

// Text before the last "/" ("/" itself for a file in the root).
std::string DirectoryPart(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// File name after the last "/" without the text from its last ".".
std::string TitlePart(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string JoinedFilters(const FileTypeSet& set) {
    std::string joined;
    for (const std::string& f : set.filters) joined += f;
    return joined;
}

// A remembered index may come from a damaged settings file.
int UsableFilterIndex(const FileTypeSet& set, int index) {
    const int last = std::max(static_cast<int>(set.filters.size()) - 1, 0);
    return std::clamp(index, 0, last);
}

}  // namespace

bool LoadFilters(FileTypeSet& set, std::span<const int> ids) {
    std::vector<std::string> loaded;
    for (const int id : ids)
        if (const auto text = LoadResourceString(id)) loaded.emplace_back(*text);
    if (loaded.empty()) return false;
    set.filters = std::move(loaded);
    return true;
}

int FindFilter(const FileTypeSet& set, std::string_view extension, bool singlePattern) {
    if (extension.empty()) return -1;
    const std::string needle = "*." + std::string(extension);
    for (std::size_t i = 0; i < set.filters.size(); ++i) {
        const std::string& f = set.filters[i];
        if (f.find(needle) == std::string::npos) continue;
        if (singlePattern && f.find(';') != std::string::npos) continue;
        return static_cast<int>(i);
    }
    return -1;
}

std::string FirstExtension(const FileTypeSet& set, int index) {
    if (index < 0 || index >= static_cast<int>(set.filters.size())) return {};
    const std::string& f = set.filters[static_cast<std::size_t>(index)];
    const std::size_t bar = f.find('|');
    if (bar == std::string::npos) return {};
    const std::size_t start = bar + 3;  // past the bar and the pattern's "*."
    if (start > f.size()) return {};
    const std::size_t end = f.find_first_of(";|", start);
    if (end == std::string::npos) return {};
    return f.substr(start, end - start);
}

int DoFileDialog(FileTypeSet& set, std::string& path, bool open, UiServices& ui, Profile& profile) {
    const std::string entry =
        profile.GetInt(kSectionLastFile, kKeyIsSharedDir, 0) != 0 ? kKeyShared : set.entryName;
    if (set.lastFilter < 0) set.lastFilter = profile.GetInt(kSectionLastFilter, set.entryName, 0);
    set.lastFilter = UsableFilterIndex(set, set.lastFilter);

    FileDialogRequest request;
    request.open = open;
    request.caption = set.entryName;
    request.filter = JoinedFilters(set);
    request.filterIndex = set.lastFilter + 1;
    request.initialDir = path.find('/') != std::string::npos
                             ? DirectoryPart(path)
                             : DirectoryPart(profile.GetString(kSectionLastFile, entry, {}));
    if (!open) request.initialName = TitlePart(path);

    if (!ui.ChooseFile(request)) {
        path.clear();
        return kFileDialogCancelled;
    }
    path = request.path;
    set.lastFilter = UsableFilterIndex(set, request.filterIndex - 1);
    if (path.find('.') == std::string::npos) {
        const std::string ext = FirstExtension(set, set.lastFilter);
        if (ext.empty() || ext.find_first_of("*?") != std::string::npos) {
            path.clear();
            return kFileDialogNoExtension;
        }
        path += "." + ext;
    }
    profile.WriteString(kSectionLastFile, entry, path);
    profile.WriteInt(kSectionLastFilter, set.entryName, set.lastFilter);
    return set.lastFilter;
}

int DoFileDialog(FileTypeSet& set, std::string& path, bool open) {
    return DoFileDialog(set, path, open, UiServicesInstance(), AppProfile());
}

}  // namespace vorlin
