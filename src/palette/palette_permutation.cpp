#include "palette/palette_permutation.h"

#include <algorithm>

namespace vorlin {
namespace {

void AddMove(PalettePermutation& p, int from, int to) {
    p.from.push_back(static_cast<std::uint8_t>(from));
    p.to.push_back(static_cast<std::uint8_t>(to));
}

}  // namespace

PalettePermutation SortedRangePermutation(int first, const std::vector<int>& order) {
    PalettePermutation p;
    for (std::size_t i = 0; i < order.size(); ++i)
        AddMove(p, first + order[i], first + static_cast<int>(i));
    return p;
}

PalettePermutation SwapBlocksPermutation(int a, int b, int& count) {
    PalettePermutation p;
    a = std::clamp(a, 0, 255);
    b = std::clamp(b, 0, 255);
    const int lo = std::min(a, b), hi = std::max(a, b);
    count = std::clamp(count, 1, 256 - hi);
    const int c = count;
    if (lo + c < hi) {
        for (int i = 0; i < c; ++i) AddMove(p, lo + i, hi + i);
        for (int i = 0; i < c; ++i) AddMove(p, hi + i, lo + i);
    } else {
        for (int i = 0; i < c; ++i) AddMove(p, lo + i, hi + i);
        for (int i = lo + c; i < hi + c; ++i) AddMove(p, i, i - c);
    }
    return p;
}

}  // namespace vorlin
