// Maps colours to the nearest entry of a 256-colour palette, without dithering.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "core/packed_dib.h"

namespace vorlin {

// Nearest means the smallest squared distance over red, green and blue; on a tie the
// lowest index wins. Results are memoised because pasted images repeat colours a lot.
class PaletteMatcher {
  public:
    explicit PaletteMatcher(const RgbQuad* palette256) : palette_(palette256) {}
    std::uint8_t Nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

  private:
    const RgbQuad* palette_;
    std::unordered_map<std::uint32_t, std::uint8_t> memo_;
};

}  // namespace vorlin
