// Everything the console preview shows for a converted export: the console
// picture beside the source, where they differ, the figures and the warnings.
#pragma once

#include <cstdint>
#include <vector>

#include "export/console_picture.h"
#include "export/export_stats.h"
#include "export/export_warnings.h"

namespace vorlin {

struct ExportPreview {
    bool ok = false;  // false: a block did not decode or memory ran out
    ConsolePicture console;
    DibPtr source;                     // the area of the source picture, 8 bpp
    std::vector<std::uint8_t> differences;  // DifferenceMask of the two
    ExportStats stats;
    std::vector<ExportWarning> warnings;
};

// For a job that ExportValidate and ExportConvert have run on.
ExportPreview PreviewExport(const ExportJob& job, VramPlacement placement);

// Makes a freshly filled job convert-only (so nothing is ever written),
// validates and converts it and previews the result; not ok when the job does
// not validate or convert.
ExportPreview ConvertAndPreview(ExportJob& job, VramPlacement placement);

// The console picture as a 24-bpp top-down image, or null.
DibPtr ConsolePictureImage(const ConsolePicture& console);

}  // namespace vorlin
