// Index moves that reorder palette entries: entry from[i] goes to to[i].
#pragma once

#include <cstdint>
#include <vector>

namespace vorlin {

struct PalettePermutation {
    std::vector<std::uint8_t> from;
    std::vector<std::uint8_t> to;
    int Count() const { return static_cast<int>(from.size()); }
};

// Entry first + order[i] moves to first + i.
PalettePermutation SortedRangePermutation(int first, const std::vector<int>& order);

// A block swap of `count` entries at a and b. The count is cut so that the higher
// block ends at 255, and the cut value written back. Blocks that are apart trade
// places; blocks that touch or overlap rotate their common span so nothing is lost.
PalettePermutation SwapBlocksPermutation(int a, int b, int& count);

}  // namespace vorlin
