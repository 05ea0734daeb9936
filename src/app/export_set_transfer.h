// The export dialog's values applied to several pictures exported together.
#pragma once

#include <string>
#include <vector>

#include "app/export_dialog_values.h"
#include "export/export_set.h"

namespace vorlin {

struct SetPicture {
    std::string path;  // names the picture's map (its file title)
    PackedDib picture = nullptr;
};

// The shared job (the output's names, the first picture) and one job per
// picture, all with `values`. False when a picture cannot be copied.
bool TransferToSet(const ExportDialogValues& values, const std::vector<SetPicture>& pictures,
                   ExportSet& set);

inline constexpr char kAlsoExportNeedsWholePicture[] =
    "pictures exported together are exported whole; choose \"as img\" as the area";

// Exports the open picture together with the picture files `others` (read as
// the editor opens them). Empty when every output was written, else what to
// tell the user: "Export failed, try again." with the file or picture at fault
// and why on a second line.
std::string ExportWithOthers(const ExportDialogValues& values, const std::string& documentPath,
                             PackedDib picture, const std::vector<std::string>& others);

}  // namespace vorlin
