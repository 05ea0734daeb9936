// Tile reduction and meta-tile grouping: the first-match searches that decide
// the tile numbering and the map.
#pragma once

#include <cstdint>
#include <vector>

namespace vorlin {

struct ReducedTiles {
    std::vector<std::uint8_t> tiles;     // unique tiles, 64 bytes each; tile 0 is blank
    std::vector<std::uint16_t> entries;  // one map entry per source tile
    // For every unique tile after the blank one, the source tile it was taken
    // from (its first use): entries wrap at 1024, this does not.
    std::vector<std::size_t> firstUse;
};

// Reduces `count` consecutive 64-byte tiles. Each tile takes the first unique
// tile that matches it unflipped or, with MAP_FLIP, flipped (vertical,
// horizontal, both, in that order); with MAP_PALBANK only the low 4 bits are
// compared and the entry carries the tile's bank. Finds matches through an
// index of the unique tiles, so the cost is linear in the tiles.
ReducedTiles ReduceTiles(const std::uint8_t* tiles, std::size_t count, std::uint32_t mapFlags);

// The same result by comparing every tile with every unique tile; kept as the
// reference the indexed search is checked and measured against.
ReducedTiles ReduceTilesPairwise(const std::uint8_t* tiles, std::size_t count,
                                 std::uint32_t mapFlags);

struct TileCounts {
    std::size_t plain = 0;       // distinct tiles
    std::size_t flips = 0;       // distinct when flipped tiles count as the same
    std::size_t flipsBanks = 0;  // ... and tiles differing only in their bank too
    bool blank = false;          // some tile is all index 0
    bool blankInBanks = false;   // some tile has only bank bits set
};

// The number of distinct tiles among `count` 64-byte tiles, three ways, in one
// pass: what ReduceTiles keeps, less its forced blank tile 0 when no tile is blank.
TileCounts CountUniqueTiles(const std::uint8_t* tiles, std::size_t count);

struct MetaTiles {
    std::vector<std::uint16_t> definitions;  // unique groups, groupSize entries each
    std::vector<std::uint16_t> metaMap;      // one entry per group
};

// Groups consecutive runs of groupSize entries into unique meta-tiles (first
// equal group wins; with MAP_META_PAL banks are ignored in the comparison and
// the group's first non-zero bank goes into its meta-map entry).
MetaTiles GroupMetaTiles(const std::vector<std::uint16_t>& entries, std::size_t groupSize,
                         std::uint32_t mapFlags);

}  // namespace vorlin
