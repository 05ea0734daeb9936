// Test pictures drawn by a rule: the index of every pixel from its position.
#pragma once

#include <cstdint>
#include <functional>

#include "core/packed_dib.h"
#include "support/rgb.h"

namespace vorlin::testing {

using PixelRule = std::function<int(int x, int y)>;

// An 8-bpp picture with a 256-colour table (all black) and `rule`'s indices.
inline DibPtr RulePicture(int width, int height, const PixelRule& rule) {
    DibPtr dib(DibCreate(width, height, 8, nullptr, 1));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            DibPictureRow(dib.get(), y)[x] = static_cast<std::uint8_t>(rule(x, y));
    return dib;
}

// The same with colour i its own 15-bit value, so any wrong index shows as a difference.
inline DibPtr ColouredRulePicture(int width, int height, const PixelRule& rule) {
    DibPtr dib = RulePicture(width, height, rule);
    for (int i = 0; i < 256; ++i) DibColors(dib.get())[i] = Rgb((i % 32) * 8, (i / 32) * 8, 56);
    return dib;
}

}  // namespace vorlin::testing
