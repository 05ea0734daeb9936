// The picture as the bank packing sees it: palette entries become colour ids (entries of equal
// colour share one, entries kept fixed have their own), and each tile becomes the set of ids
// its pixels use.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/index_surface.h"
#include "core/packed_dib.h"
#include "palette/bank_packing.h"

namespace vorlin {

inline constexpr int kTransparentId = -1;  // index 0 when it is every bank's shared entry
inline constexpr int kUnusedId = -2;       // neither used by a pixel nor kept fixed

inline bool SameColour(const RgbQuad& a, const RgbQuad& b) {
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

struct ColourIds {
    std::array<int, 256> ofIndex{};  // id per palette index, or one of the two above
    std::vector<int> firstIndex;     // per id: the lowest index that carries it
    std::vector<int> fixedIndex;     // per id: the index it must keep, or -1
};

// Ids for the entries the picture uses plus the fixed ones (`fixed` marks indices by number).
// With colour 0 shared, index 0 and every bank's first entry that holds colour 0 are the
// transparent entry: that is where an arrangement leaves the transparent pixels of each bank.
ColourIds MakeColourIds(const IndexSurface& pixels, const RgbQuad* palette,
                        const std::array<bool, 256>& fixed, bool sharedZero);

struct TileGrid {
    int width = 8, height = 8;  // pixels per tile
    int columns = 0, rows = 0;

    int Count() const { return columns * rows; }
    int Left(int tile) const { return tile % columns * width; }
    int Top(int tile) const { return tile / columns * height; }
};

// Tiles cover the picture from its top-left corner; those at the right and bottom may be cut.
TileGrid MakeTileGrid(const IndexSurface& pixels, int tileWidth, int tileHeight);

// One colour set per tile, in row order.
std::vector<ColourSet> TileColourSets(const IndexSurface& pixels, const TileGrid& grid,
                                      const ColourIds& ids);

// The packing the pixels already keep to: every tile's coloured pixels lie in one bank
// (index / 16), its transparent ones anywhere. Nothing when a tile spans banks.
std::optional<BankPacking> PaintedPacking(const IndexSurface& pixels, const TileGrid& grid,
                                          const ColourIds& ids, const BankProblem& problem);

}  // namespace vorlin
