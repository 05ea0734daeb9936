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
    : count_(std::clamp(count, 1, 256)),
      cells_(std::size_t{1} << (3 * kCellBits)),
      memo_(std::size_t{1} << kMemoBits, ~std::uint64_t{0}) {
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
    std::array<std::int64_t, 256> order;
    int n = 0;
    for (int i = 0; i < count_; ++i)
        if (near[static_cast<std::size_t>(i)] <= bound)
            order[static_cast<std::size_t>(n++)] =
                (std::int64_t{near[static_cast<std::size_t>(i)]} << kIndexBits) | i;
    std::sort(order.begin(), order.begin() + n);
    cell.start = static_cast<std::uint32_t>(nearest_.size());
    for (int k = 0; k < n; ++k) {
        const int i = static_cast<int>(order[static_cast<std::size_t>(k)] & kIndexMask);
        const auto& c = rgb_[static_cast<std::size_t>(i)];
        nearest_.push_back(near[static_cast<std::size_t>(i)]);
        red_.push_back(c[0]);
        green_.push_back(c[1]);
        blue_.push_back(c[2]);
        index_.push_back(i);
    }
    cell.count = static_cast<std::uint32_t>(n);
}

int NearestColor::Search(int r, int g, int b) {
    const auto colour = static_cast<std::uint32_t>((r << 16) | (g << 8) | b);
    std::uint64_t& memo = memo_[(colour * 0x9E3779B1u) >> (32 - kMemoBits)];
    if ((memo >> 32) == colour) return static_cast<int>(memo & 0xFFFFFFFFu);
    const int found = SearchCell(r, g, b);
    memo = (std::uint64_t{colour} << 32) | static_cast<std::uint32_t>(found);
    return found;
}

int NearestColor::SearchCell(int r, int g, int b) {
    const int key = ((r >> (8 - kCellBits)) << (2 * kCellBits)) |
                    ((g >> (8 - kCellBits)) << kCellBits) | (b >> (8 - kCellBits));
    Cell& cell = cells_[static_cast<std::size_t>(key)];
    if (cell.start == kUnbuilt) Build(cell, key);
    const std::int32_t* nearest = nearest_.data() + cell.start;
    const std::int32_t* red = red_.data() + cell.start;
    const std::int32_t* green = green_.data() + cell.start;
    const std::int32_t* blue = blue_.data() + cell.start;
    const std::int32_t* index = index_.data() + cell.start;
    int best = std::numeric_limits<int>::max();
    // Candidates come closest first: once one is farther from the cell than the best
    // distance, no later one can win or tie.
    for (std::uint32_t k = 0; k < cell.count && nearest[k] <= (best >> kIndexBits); ++k) {
        const int d = Squared(r - red[k]) + Squared(g - green[k]) + Squared(b - blue[k]);
        best = std::min(best, (d << kIndexBits) | index[k]);
    }
    return best;
}

}  // namespace vorlin
