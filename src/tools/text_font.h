// The text editor's font choices: the size list, pixel heights and the style toggles.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "tools/text_ports.h"

namespace vorlin {

inline constexpr std::array<int, 21> kTextSizes = {6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                                   18, 22, 24, 26, 28, 30, 32, 36, 48, 60};
inline constexpr int kDefaultTextSize = 10;
inline constexpr std::string_view kPreferredFace = "Times New Roman";
inline constexpr std::size_t kMaxFaceLength = 31;
inline constexpr int kWeightNormal = 400;
inline constexpr int kWeightBold = 700;

// Pixel height of a point size at the screen's vertical resolution.
inline int FontHeightForSize(int points, int dotsPerInch) {
    return points * dotsPerInch / 72;
}

// The description the editor starts with.
FontDescription InitialFontDescription(std::string_view face, int dotsPerInch);
void SetFontFace(FontDescription& font, std::string_view face);
void SetFontSize(FontDescription& font, int points, int dotsPerInch);
void ToggleBold(FontDescription& font);
void ToggleItalic(FontDescription& font);
void ToggleUnderline(FontDescription& font);

}  // namespace vorlin
