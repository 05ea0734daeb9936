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
    int Find(int r, int g, int b);
    int Count() const { return count_; }

  private:
    struct Cell {
        std::uint32_t start = kUnbuilt;
        std::uint32_t count = 0;
    };
    static constexpr std::uint32_t kUnbuilt = 0xFFFFFFFFu;
    void Build(Cell& cell, int key);

    std::array<std::array<int, 3>, 256> rgb_{};
    int count_;
    // A colour that may be nearest somewhere in a cell, with its least squared
    // distance to the cell; a cell's candidates are sorted by that distance.
    struct Candidate {
        std::int32_t nearest;
        std::int32_t index;
    };
    std::vector<Cell> cells_;
    std::vector<Candidate> candidates_;
};

}  // namespace vorlin
