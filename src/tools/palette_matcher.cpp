#include "tools/palette_matcher.h"

namespace vorlin {

std::uint8_t PaletteMatcher::Nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const std::uint32_t key = (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
    if (auto hit = memo_.find(key); hit != memo_.end()) return hit->second;
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256 && bestDistance != 0; ++i) {
        const int dr = int{palette_[i].rgbRed} - red;
        const int dg = int{palette_[i].rgbGreen} - green;
        const int db = int{palette_[i].rgbBlue} - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    memo_.emplace(key, static_cast<std::uint8_t>(best));
    return static_cast<std::uint8_t>(best);
}

}  // namespace vorlin
