// The file dialogs' memory: per command, the folder and file type used last,
// kept in the settings; a typed name gets the chosen type's extension.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorlin {

class Profile;
class UiServices;

struct FileTypeSet {
    int commandId = 0;                 // the owning command (kept, not used by the dialog)
    std::string entryName;             // settings entry name, also the dialog caption
    std::vector<std::string> filters;  // "Description|*.a;*.b|"
    int lastFilter = -1;               // -1 until read from the settings
};

// Settings of the file dialogs.
inline constexpr const char* kSectionLastFile = "Last File";
inline constexpr const char* kSectionLastFilter = "Last Filter";
inline constexpr const char* kKeyIsSharedDir = "IsSharedDir";
inline constexpr const char* kKeyShared = "Shared";

// DoFileDialog results besides a filter index.
inline constexpr int kFileDialogCancelled = -2;
inline constexpr int kFileDialogNoExtension = -1;

// The commands' sets: entry names and filter string ids in order.
inline constexpr const char* kOpenEntry = "Open";
inline constexpr const char* kSaveAsEntry = "Save As";
inline constexpr const char* kImportEntry = "Import";
inline constexpr const char* kExportEntry = "Export";
inline constexpr int kOpenFilterIds[] = {2106, 2101, 2102, 2109, 2108, 2104};
inline constexpr int kSaveAsFilterIds[] = {2101, 2102, 2109, 2108};
inline constexpr int kImportFilterIds[] = {2105, 2110};
inline constexpr int kExportFilterIds[] = {2101, 2102, 2109, 2103, 2105};

// Replaces the filters with the strings of `ids` (ids without a string are
// skipped); true when at least one was loaded.
bool LoadFilters(FileTypeSet& set, std::span<const int> ids);
// Index of the first filter holding "*." + `extension` (and, with
// `singlePattern`, no ";"); -1 when none or `extension` is empty.
int FindFilter(const FileTypeSet& set, std::string_view extension, bool singlePattern);
// The first pattern's extension of filter `index`; empty when there is none.
std::string FirstExtension(const FileTypeSet& set, int index);
// Shows the set's dialog starting at the remembered folder and filter.
// Cancelled: `path` emptied, -2. A typed name without "." that the chosen filter
// cannot complete: `path` emptied, -1, nothing remembered. Otherwise `path`
// holds the chosen file, folder and filter are remembered and the chosen
// filter's index is returned.
int DoFileDialog(FileTypeSet& set, std::string& path, bool open, UiServices& ui, Profile& profile);
// The same with the installed services and the program's settings.
int DoFileDialog(FileTypeSet& set, std::string& path, bool open);

}  // namespace vorlin
