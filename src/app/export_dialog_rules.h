// What the export dialog derives from its values: which controls are enabled,
// the adjustments made each time it opens, and the six-line summary. Pure
// functions over ExportDialogValues, so the widgets only display their results.
#pragma once

#include <string>
#include <vector>

#include "app/export_dialog_values.h"

namespace vorlin {

// Asked when validation refused the settings; Yes takes validation's adjustments.
inline constexpr char kValidationQuestion[] =
    "Validation encountered problems, accept alterations?";
inline constexpr char kValidationCaption[] = "Validation";

// Enabled state of each control (or set of controls) that can be greyed out.
struct ExportDialogEnables {
    bool palRange = false;       // "start", "num"
    bool imageOptions = false;   // "tiles", "bitmap", "bpp", image "cprs"
    bool mapCheck = false;       // "&Map"
    bool mapOptions = false;     // layout radios, "reduce", "meta-tile pal", map "cprs", "ofs"
    bool reduceOptions = false;  // "pal", "flip"
    bool groupCustom = false;    // "cstm"
    bool groupPresets = false;   // shape and size radios
    bool groupSize = false;      // "n&x", "n&y"
    bool areaFields = false;     // "&left", "&top", "&width", "&height"
    bool nameBox = false;
};

ExportDialogEnables ExportDialogEnableRules(const ExportDialogValues& values);

// The picture an export works on, as the dialog sees it.
struct ExportPictureInfo {
    int colorCount = 0;
    int width = 0;
    int height = 0;
};

// Run every time the dialog opens: a palette range beyond the picture's colours
// starts over at 0 with all colours, a non-custom area follows the picture, and
// an unused name box shows the title.
void ApplyOpeningAdjustments(ExportDialogValues& values, const ExportPictureInfo& picture);

// Every file the export will write, as suffixes after the title (".h", ".c",
// ".pal.bin", ...) in the order they are written.
std::vector<std::string> ExportOutputSuffixes(const ExportDialogValues& values);
// The same as full paths (folder/title + suffix).
std::vector<std::string> ExportOutputFiles(const ExportDialogValues& values);
// Asked once before outputs that already exist are replaced; the files are listed one a line.
std::string ReplaceOutputsQuestion(const std::vector<std::string>& existing);
inline constexpr char kReplaceOutputsCaption[] = "Confirm Replace";

// The six summary lines joined by '\n' (no final line end).
std::string ExportDialogSummary(const ExportDialogValues& values, const ExportPictureInfo& picture);

}  // namespace vorlin
