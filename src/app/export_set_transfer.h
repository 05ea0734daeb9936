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

}  // namespace vorlin
