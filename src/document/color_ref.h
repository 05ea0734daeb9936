// The palette bar's colour form: red in the low byte, then green, then blue.
#pragma once

#include <cstdint>

#include "core/packed_dib.h"

namespace vorlin {

using ColorRef = std::uint32_t;

inline constexpr ColorRef ToColorRef(const RgbQuad& q) {
    return ColorRef{q.rgbRed} | (ColorRef{q.rgbGreen} << 8) | (ColorRef{q.rgbBlue} << 16);
}
inline constexpr RgbQuad FromColorRef(ColorRef c) {
    return RgbQuad{static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                   static_cast<std::uint8_t>(c), 0};
}

}  // namespace vorlin
