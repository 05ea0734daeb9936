#include "core/nearest_color.h"

#include <algorithm>
#include <limits>

#include "core/squared.h"

namespace vorlin {

namespace {

constexpr int kCellBits = 5;
constexpr int kCellSide = 1 << (8 - kCellBits);  // channel values per cell

// Per channel: the distance from v to the nearest and to the farthest value of [low, high].
int NearGap(int v, int low, int high) {
    return v < low ? low - v : v > high ? v - high : 0;
}
int FarGap(int v, int low, int high) {
    return std::max(v - low, high - v);
}

}  // namespace

NearestColor::NearestColor(const RgbQuad* palette, int count)
    : count_(std::clamp(count, 1, 256)), cells_(std::size_t{1} << (3 * kCellBits)) {
    for (int i = 0; i < count_; ++i)
        rgb_[static_cast<std::size_t>(i)] = {palette[i].rgbRed, palette[i].rgbGreen,
                                             palette[i].rgbBlue};
}

void NearestColor::Build(Cell& cell, int key) {
    const int low[3] = {(key >> (2 * kCellBits)) * kCellSide,
                        ((key >> kCellBits) & ((1 << kCellBits) - 1)) * kCellSide,
                        (key & ((1 << kCellBits) - 1)) * kCellSide};
    std::array<int, 256> near{};
    int bound = std::numeric_limits<int>::max();
    for (int i = 0; i < count_; ++i) {
        const auto& c = rgb_[static_cast<std::size_t>(i)];
        int nearSum = 0, farSum = 0;
        for (int ch = 0; ch < 3; ++ch) {
            nearSum += Squared(NearGap(c[ch], low[ch], low[ch] + kCellSide - 1));
            farSum += Squared(FarGap(c[ch], low[ch], low[ch] + kCellSide - 1));
        }
        near[static_cast<std::size_t>(i)] = nearSum;
        bound = std::min(bound, farSum);
    }
    // A colour farther from the whole cell than some colour is from every point of it
    // can never be the nearest there.
    cell.start = static_cast<std::uint32_t>(candidates_.size());
    for (int i = 0; i < count_; ++i)
        if (near[static_cast<std::size_t>(i)] <= bound)
            candidates_.push_back({near[static_cast<std::size_t>(i)], i});
    std::sort(candidates_.begin() + cell.start, candidates_.end(),
              [](const Candidate& a, const Candidate& b) {
                  return a.nearest != b.nearest ? a.nearest < b.nearest : a.index < b.index;
              });
    cell.count = static_cast<std::uint32_t>(candidates_.size()) - cell.start;
}

int NearestColor::Find(int r, int g, int b) {
    const int key = ((r >> (8 - kCellBits)) << (2 * kCellBits)) |
                    ((g >> (8 - kCellBits)) << kCellBits) | (b >> (8 - kCellBits));
    Cell& cell = cells_[static_cast<std::size_t>(key)];
    if (cell.start == kUnbuilt) Build(cell, key);
    const Candidate* candidate = candidates_.data() + cell.start;
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (std::uint32_t k = 0; k < cell.count && candidate[k].nearest <= bestDistance; ++k) {
        const int index = candidate[k].index;
        const auto& c = rgb_[static_cast<std::size_t>(index)];
        const int d = Squared(r - c[0]) + Squared(g - c[1]) + Squared(b - c[2]);
        if (d < bestDistance || (d == bestDistance && index < best)) {
            bestDistance = d;
            best = index;
        }
    }
    return best;
}

}  // namespace vorlin
