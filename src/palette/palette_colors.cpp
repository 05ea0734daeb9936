#include "palette/palette_colors.h"

#include <algorithm>
#include <cstdint>

namespace vorlin {
namespace {

std::uint8_t Ramp(int start, int end, int k, int n) {
    return static_cast<std::uint8_t>(start + (k * (end - start)) / n);
}

}  // namespace

std::vector<RgbQuad> GradientEntries(const RgbQuad* palette, int a, int b) {
    a = std::clamp(a, 0, 255);
    b = std::clamp(b, 0, 255);
    if (a == b) return {};
    const int lo = std::min(a, b), hi = std::max(a, b), n = hi - lo;
    std::vector<RgbQuad> out(palette + lo, palette + hi);
    const RgbQuad& s = palette[lo];
    const RgbQuad& e = palette[hi];
    for (int k = 1; k < n; ++k) {
        RgbQuad& c = out[static_cast<std::size_t>(k)];
        c.rgbRed = Ramp(s.rgbRed, e.rgbRed, k, n);
        c.rgbGreen = Ramp(s.rgbGreen, e.rgbGreen, k, n);
        c.rgbBlue = Ramp(s.rgbBlue, e.rgbBlue, k, n);
    }
    return out;
}

std::vector<RgbQuad> InvertedEntries(const RgbQuad* palette, int l, int r, int shift) {
    l = std::clamp(l, 0, 255);
    r = std::clamp(r, 0, 255);
    shift = std::clamp(shift, 0, 7);
    const int mask = 0xFF & ~((1 << shift) - 1);
    std::vector<RgbQuad> out;
    for (int i = std::min(l, r); i <= std::max(l, r); ++i) {
        const RgbQuad& c = palette[i];
        out.push_back(RgbQuad{static_cast<std::uint8_t>((255 - c.rgbBlue) & mask),
                              static_cast<std::uint8_t>((255 - c.rgbGreen) & mask),
                              static_cast<std::uint8_t>((255 - c.rgbRed) & mask), 0});
    }
    return out;
}

int ClippedCopyCount(int src, int dst, int count) {
    return std::max(0, std::min({count, 256 - src, 256 - dst}));
}

}  // namespace vorlin
