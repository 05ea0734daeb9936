#include "palette/palette_sort.h"

#include <algorithm>

#include "palette/hue_math.h"

namespace vorlin {
namespace {

constexpr std::int64_t kHueScale = 65536;

std::vector<std::int64_t> PopulationKeys(int first, int n, const IndexPixelsView& pixels) {
    std::vector<std::int64_t> counts(256, 0);
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = pixels.bits + pixels.stride * static_cast<std::size_t>(y);
        for (int x = 0; x < pixels.width; ++x) ++counts[row[x]];
    }
    return {counts.begin() + first, counts.begin() + first + n};
}

// First-seen entry gets n, the next newly seen one n − 1, unused ones stay 0.
std::vector<std::int64_t> AppearanceKeys(int first, int n, const IndexPixelsView& pixels) {
    std::vector<std::int64_t> keys(static_cast<std::size_t>(n), 0);
    std::int64_t next = n;
    for (int y = 0; y < pixels.height && next > 0; ++y) {
        const std::uint8_t* row = pixels.bits + pixels.stride * static_cast<std::size_t>(y);
        for (int x = 0; x < pixels.width; ++x) {
            const int pos = row[x] - first;
            if (pos < 0 || pos >= n || keys[static_cast<std::size_t>(pos)] != 0) continue;
            keys[static_cast<std::size_t>(pos)] = next--;
        }
    }
    return keys;
}

}  // namespace

std::int64_t HueSortKey(const RgbQuad& color, int shift) {
    const int r = color.rgbRed, g = color.rgbGreen, b = color.rgbBlue;
    shift = std::clamp(shift, 0, 7);
    const int hi = std::max({r, g, b});
    const int lo = std::min({r, g, b});
    if ((hi >> shift) == (lo >> shift)) return hi;
    const double d = hi - lo;
    const double h = HueDegrees(r, g, b, hi, d);
    return static_cast<std::int64_t>((h + 1) * kHueScale) +
           static_cast<std::int64_t>(kHueScale * d / hi) + hi;
}

std::vector<std::int64_t> PaletteSortKeys(const RgbQuad* palette, int first, int last,
                                          PaletteSortKey key, bool ascending, int shift,
                                          const IndexPixelsView& pixels) {
    const int n = last - first + 1;
    if (first < 0 || last > 255 || n <= 0) return {};
    std::vector<std::int64_t> keys;
    switch (key) {
        case PaletteSortKey::Population:
            keys = PopulationKeys(first, n, pixels);
            break;
        case PaletteSortKey::Appearance:
            keys = AppearanceKeys(first, n, pixels);
            break;
        case PaletteSortKey::Hue:
        case PaletteSortKey::Brightness:
            for (int i = first; i <= last; ++i) {
                const RgbQuad& c = palette[i];
                keys.push_back(key == PaletteSortKey::Hue
                                   ? HueSortKey(c, shift)
                                   : std::max({c.rgbRed, c.rgbGreen, c.rgbBlue}));
            }
            break;
    }
    if (!ascending)
        for (auto& k : keys) k = -k;
    return keys;
}

std::vector<int> StableKeyOrder(const std::vector<std::int64_t>& keys) {
    std::vector<int> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    return order;
}

}  // namespace vorlin
