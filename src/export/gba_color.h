// The console's 15-bit colours: red in bits 0-4, green in 5-9, blue in 10-14.
#pragma once

#include <cstdint>

#include "core/packed_dib.h"

namespace vorlin {

inline constexpr std::uint16_t kGbaColorMask = 0x7FFF;

// A palette entry as the console stores it: each channel keeps its top 5 bits.
inline std::uint16_t GbaColor(const RgbQuad& c) {
    return static_cast<std::uint16_t>((c.rgbRed >> 3) | ((c.rgbGreen >> 3) << 5) |
                                      ((c.rgbBlue >> 3) << 10));
}

// A 5-bit channel as a screen shows it at 8 bits: the top bits repeated below.
inline std::uint8_t ExpandChannel(unsigned v) {
    v &= 31;
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}

// 0xRRGGBB of a console colour.
inline std::uint32_t GbaColorToRgb(std::uint16_t color) {
    return (std::uint32_t{ExpandChannel(color)} << 16) |
           (std::uint32_t{ExpandChannel(color >> 5)} << 8) | ExpandChannel(color >> 10);
}

}  // namespace vorlin
