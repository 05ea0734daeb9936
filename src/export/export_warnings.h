// What will look wrong on the console, each at the picture position of the
// first tile it concerns.
#pragma once

#include <string>
#include <vector>

#include "export/export_stats.h"

namespace vorlin {

struct ExportWarning {
    int x = 0;  // picture coordinates of the tile's top-left pixel
    int y = 0;
    std::string text;
};

std::vector<ExportWarning> ExportWarnings(const ExportJob& job, const ConsolePicture& console,
                                          const ExportStats& stats, PackedDib sourceArea);

// "x,y: text"
std::string WarningLine(const ExportWarning& warning);

}  // namespace vorlin
