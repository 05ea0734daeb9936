// The export command's options: every control of the export dialog, read from
// the command line or from a preset file (one option per line), and written
// back as a preset.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "app/export_dialog_values.h"

namespace vorlin::cli {

// Applies `option` (taking its value from `args` when it needs one); false
// when `option` is not an export option.
bool ApplyExportOption(ExportDialogValues& values, const std::string& option, ArgCursor& args);

// Applies every option of a preset file; blank lines and lines starting with
// '#' are skipped. Status 1 when it cannot be read, 2 for a bad line.
void LoadPreset(ExportDialogValues& values, const std::string& path);

// One line per option, enough to set every control again.
std::vector<std::string> PresetLines(const ExportDialogValues& values);
// The preset file's contents: a comment line, then PresetLines.
std::string PresetText(const ExportDialogValues& values);

}  // namespace vorlin::cli
