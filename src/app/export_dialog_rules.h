// What the export dialog derives from its values: which controls are enabled,
// the adjustments made each time it opens, and the six-line summary. Pure
// functions over ExportDialogValues, so the widgets only display their results.
#pragma once

#include <cstdint>
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

// The dialog's number boxes.
enum ExportNumberBox : int {
    BOX_START,
    BOX_NUM,
    BOX_OFFSET,
    BOX_GROUP_X,
    BOX_GROUP_Y,
    BOX_LEFT,
    BOX_TOP,
    BOX_WIDTH,
    BOX_HEIGHT,
    kExportNumberBoxCount
};

struct NumberRange {
    int minimum;
    int maximum;
};

// The caption of a box without its mnemonic ("n&x" is "nx").
const char* ExportBoxCaption(int box);
// The values a box accepts. The area boxes must describe part of the picture, as the
// command line's --area does: a corner inside it and a width and height of at least 1.
NumberRange ExportBoxRange(int box, const ExportPictureInfo& picture);
// Whether a box counts: a greyed-out box is neither checked nor shown as refused.
bool ExportBoxInUse(int box, const ExportDialogEnables& enables);

// The six summary lines joined by '\n' (no final line end). `refusedBoxes` has bit 1 << box
// set for each box whose text the range check refuses: the line that box feeds shows its
// range instead of a consequence of the value it held before.
std::string ExportDialogSummary(const ExportDialogValues& values, const ExportPictureInfo& picture,
                                std::uint32_t refusedBoxes = 0);

// What validation changed in the controls in use, one "caption: old -> new" line each;
// `adjusted` is `values` after TransferFromJob of the validated job. Empty: nothing to ask.
std::vector<std::string> ValidationAlterations(const ExportDialogValues& values,
                                               const ExportDialogValues& adjusted);
// The validation question followed by those lines.
std::string ValidationQuestion(const std::vector<std::string>& alterations);

}  // namespace vorlin
