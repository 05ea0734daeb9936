#include "cli/cli_export_targets.h"

#include <filesystem>

#include "cli/cli_common.h"
#include "export/export_names.h"

namespace vorlin::cli {

namespace {

namespace fs = std::filesystem;

// More links in a row than any sane path has; a loop ends here.
constexpr int kMaxLinkHops = 40;

// `path` absolute and normal, with every symbolic link followed, including a
// last one whose target does not exist yet: writing through it creates that target.
fs::path Resolved(const fs::path& path) {
    std::error_code ec;
    fs::path at = fs::absolute(path, ec);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const fs::path canonical = fs::weakly_canonical(at, ec);
        if (ec) return at.lexically_normal();
        at = canonical;
        if (!fs::is_symlink(at, ec)) return at;
        const fs::path link = fs::read_symlink(at, ec);
        if (ec) return at;
        at = link.is_absolute() ? link : at.parent_path() / link;
    }
    return at;
}

// Two names of one file, whether it exists yet or not.
bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) || Resolved(a) == Resolved(b);
}

// Every output of an export is folder/title + a suffix that ends in ".h" or an
// output kind's extension (".c", ".pal.bin", ...).
bool NamesAnOutput(const fs::path& resolved, const ExportDialogValues& values,
                   const std::vector<std::string>& mapTitles) {
    const std::string name = resolved.filename().string();
    const std::string extension = PathExtension(name);
    bool titled = name.starts_with(values.title + ".");
    for (const std::string& title : mapTitles) titled = titled || name.starts_with(title + ".");
    if (!titled) return false;
    if (extension != "h" && FileKindFromExtension(extension) < 0) return false;
    return resolved.parent_path() == Resolved(values.folder);
}

// A hard link to an output has a name of its own: look for the output it shares.
bool LinksToAnOutput(const fs::path& path, const ExportDialogValues& values,
                     const std::vector<std::string>& mapTitles) {
    std::error_code ec;
    if (fs::hard_link_count(path, ec) <= 1 || ec) return false;
    for (fs::directory_iterator it(values.folder, ec), end; !ec && it != end; it.increment(ec))
        if (NamesAnOutput(Resolved(it->path()), values, mapTitles) &&
            fs::equivalent(it->path(), path, ec))
            return true;
    return false;
}

bool IsAnOutput(const std::string& path, const ExportTargets& targets,
                const ExportDialogValues& values) {
    return NamesAnOutput(Resolved(path), values, targets.mapTitles) ||
           LinksToAnOutput(path, values, targets.mapTitles);
}

void CheckTarget(const std::string& option, const std::string& path, const ExportTargets& targets,
                 const ExportDialogValues& values) {
    for (const std::string& input : targets.inputs)
        if (SameFile(path, input)) UsageError(option + " would overwrite the INPUT picture");
    if (IsAnOutput(path, targets, values))
        UsageError(option + " would overwrite an output of this export");
}

}  // namespace

void CheckExtraTargets(const ExportTargets& targets, const ExportDialogValues& values) {
    for (const std::string& preview : targets.previews) {
        CheckTarget("--preview", preview, targets, values);
        for (const std::string& preset : targets.presetsRead)
            if (SameFile(preview, preset))
                UsageError("--preview would overwrite the --preset file " + preset);
        if (!targets.savePreset.empty() && SameFile(preview, targets.savePreset))
            UsageError("--preview and --save-preset name the same file");
    }
    if (!targets.savePreset.empty()) CheckTarget("--save-preset", targets.savePreset, targets, values);
}

}  // namespace vorlin::cli
