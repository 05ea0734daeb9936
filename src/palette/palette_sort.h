// Sort keys for a run of palette entries and the stable order they give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

enum class PaletteSortKey { Hue, Brightness, Population, Appearance };

// Read-only view of 8-bit index pixels (top row first).
struct IndexPixelsView {
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
};

// Greys (max and min equal once the low `shift` bits are dropped) key by max, so
// they all sort ahead of the coloured entries, which key by hue, then saturation.
std::int64_t HueSortKey(const RgbQuad& color, int shift);

// One key per entry first … last (inclusive, 0 ≤ first ≤ last ≤ 255); negated unless ascending.
std::vector<std::int64_t> PaletteSortKeys(const RgbQuad* palette, int first, int last,
                                          PaletteSortKey key, bool ascending, int shift,
                                          const IndexPixelsView& pixels);

// Positions 0 … n − 1 stably ordered by key, ascending.
std::vector<int> StableKeyOrder(const std::vector<std::int64_t>& keys);

}  // namespace vorlin
