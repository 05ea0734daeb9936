#include "app/string_table.h"

#include <utility>

namespace vorlin {

namespace {

constexpr std::pair<int, std::string_view> kStrings[] = {
    {IDS_FILTER_BMP, "Windows Bitmap (*.bmp)|*.bmp|"},
    {IDS_FILTER_PCX, "ZSoft PaintBrush (*.pcx)|*.pcx|"},
    {IDS_FILTER_GBA, "GBA source (*.c;*.s;*.bin;*.gbfs)|*.c;*.s;*.bin;*.gbfs|"},
    {IDS_FILTER_ALL, "All Files(*.*)|*.*|"},
    {IDS_FILTER_PAL,
     "Palette (*.pal;*.gpl;*.act;*.hex;*.gbapal;*.bin)|*.pal;*.gpl;*.act;*.hex;*.gbapal;*.bin|"},
    {IDS_FILTER_SUPPORTED, "All supported types|*.bmp;*.pcx;*.png;*.tga|"},
    {IDS_FILTER_TGA, "Targa (*.tga)|*.tga|"},
    {IDS_FILTER_PNG, "Portable Network Graphics (*.png)|*.png|"},
    {IDS_FILTER_PAL_FROM_IMAGE, "Palette from image |*.bmp;*.pcx;*.png;*.tga|"},
};

}  // namespace

std::optional<std::string_view> LoadResourceString(int id) {
    for (const auto& [key, text] : kStrings)
        if (key == id) return text;
    return std::nullopt;
}

}  // namespace vorlin
