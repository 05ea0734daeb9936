// Texts known by number, as the program's resources number them.
#pragma once

#include <optional>
#include <string_view>

namespace vorlin {

// File dialog filters: a description, a bar, patterns separated by ";", a bar.
enum FilterStringId : int {
    IDS_FILTER_BMP = 2101,
    IDS_FILTER_PCX = 2102,
    IDS_FILTER_GBA = 2103,
    IDS_FILTER_ALL = 2104,
    IDS_FILTER_PAL = 2105,
    IDS_FILTER_SUPPORTED = 2106,
    IDS_FILTER_TGA = 2108,
    IDS_FILTER_PNG = 2109,
    IDS_FILTER_PAL_FROM_IMAGE = 2110,
};

// The text of a numbered string, or nothing when the number has none.
std::optional<std::string_view> LoadResourceString(int id);

}  // namespace vorlin
