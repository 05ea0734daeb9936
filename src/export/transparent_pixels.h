// At 4 bits per pixel the console draws colour 0 of every bank as transparent: pixels of
// index 16, 32, ... show palette entry 0 there, which the preview says once.
#pragma once

#include <vector>

#include "export/console_picture.h"
#include "export/export_warnings.h"

namespace vorlin {

// Adds one warning, at the first such tile, with the number of such pixels.
void TransparentBankPixels(const ExportJob& job, const ConsolePicture& console, PackedDib source,
                           std::vector<ExportWarning>& out);

}  // namespace vorlin
