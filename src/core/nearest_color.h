// Exact nearest palette colour (least squared RGB distance, lowest index on ties)
// for many lookups. The colour cube is cut into 32 x 32 x 32 cells; a cell keeps
// only the colours that can be nearest to some point inside it, worked out the
// first time a colour in the cell is looked up, closest first so a search can stop
// at the first colour that is already too far away.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

class NearestColor {
  public:
    // count entries of palette (1 to 256). May throw std::bad_alloc.
    NearestColor(const RgbQuad* palette, int count);
    int Find(int r, int g, int b) { return Search(r, g, b) & kIndexMask; }
    // The nearest colour's index and its squared distance.
    struct Hit {
        int index;
        int distance;
    };
    Hit FindWithDistance(int r, int g, int b) {
        const int key = Search(r, g, b);
        return {key & kIndexMask, key >> kIndexBits};
    }
    int Count() const { return count_; }

  private:
    struct Cell {
        std::uint32_t start = kUnbuilt;
        std::uint32_t count = 0;
    };
    static constexpr std::uint32_t kUnbuilt = 0xFFFFFFFFu;
    // A search compares distance * 256 + index, so the least is the nearest colour
    // with the lowest index.
    static constexpr int kIndexBits = 8;
    static constexpr int kIndexMask = (1 << kIndexBits) - 1;
    void Build(Cell& cell, int key);
    // The search key of the colour: from the memo when it was looked up lately.
    int Search(int r, int g, int b);
    int SearchCell(int r, int g, int b);

    std::array<std::array<int, 3>, 256> rgb_{};
    int count_;
    std::vector<Cell> cells_;
    // The cells' candidates one after the other, a column per field, so a search
    // reads them in order: the least squared distance of the colour to its cell
    // (the order within a cell), the colour and its index.
    std::vector<std::int32_t> nearest_, red_, green_, blue_, index_;
    // Colours looked up lately, by a hash of the colour: the colour in the high
    // half, its search key in the low half. Photographs repeat many colours far
    // apart; pictures of mostly distinct colours lose little to it.
    static constexpr int kMemoBits = 12;
    std::vector<std::uint64_t> memo_;
};

}  // namespace vorlin
