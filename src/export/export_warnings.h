// What will look wrong on the console, each at the picture position of the
// first tile it concerns.
#pragma once

#include <cstdint>
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

// The texts of the rules, shared with the live check of the editor and `check`.
std::string MixedBanksText(std::uint16_t banks, int shownBank);
struct IndexLimit {
    bool affine = false;
    int tileOffset = 0;
    int graphicsTiles = 0;
    int indexLimit = 1024;
    bool atLimit = true;  // the tiles pass the limit itself, not an offset window
};
std::string IndexLimitText(const IndexLimit& limit);
inline constexpr const char* kTilesPastVramText =
    "tiles run past the 64 KiB of background video memory; from this tile on the console "
    "shows colour 0";
std::string PaletteRangeText(const std::vector<int>& colours, int palStart, int palEnd);
// `colours` are colour 0 of banks other than 0.
std::string BankColourZeroText(const std::vector<int>& colours);

// "x,y: text"
std::string WarningLine(const ExportWarning& warning);

}  // namespace vorlin
