// Palette entries written the way people read colours: red, green, blue.
#pragma once

#include <cstdint>

#include "core/packed_dib.h"

namespace vorlin {

inline RgbQuad Rgb(int r, int g, int b) {
    return RgbQuad{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                   static_cast<std::uint8_t>(r), 0};
}

}  // namespace vorlin
