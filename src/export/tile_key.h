// Tiles as keys for hashing: the masked pixels seen through one orientation, one
// 64-bit word per row, so a lookup allocates nothing.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "export/export_job.h"
#include "export/tile_ops.h"

namespace vorlin {

struct Orientation {
    int xFlip;
    int yFlip;
    std::uint16_t bits;
};

// The order in which flipped matches are tried; it decides the flip bits.
constexpr Orientation kOrientations[4] = {
    {0, 0, 0}, {0, 7, kMapVFlip}, {7, 0, kMapHFlip}, {7, 7, kMapHFlip | kMapVFlip}};

// Equal keys are exactly the tiles TilesMatch accepts. Flipping reverses the rows
// (vertical) or the bytes of each row (horizontal).
struct TileKey {
    std::array<std::uint64_t, kTileSide> rows;
    auto operator<=>(const TileKey&) const = default;
};

struct TileKeyHash {
    std::size_t operator()(const TileKey& key) const {
        std::uint64_t h = 0;
        for (std::uint64_t row : key.rows) h = (h ^ row) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

inline std::uint64_t ReverseBytes(std::uint64_t row) {
    return __builtin_bswap64(row);
}

inline TileKey MaskedRows(const std::uint8_t* tile, std::uint8_t mask) {
    const std::uint64_t wide = 0x0101010101010101ull * mask;
    TileKey key;
    for (int i = 0; i < kTileSide; ++i) {
        std::memcpy(&key.rows[static_cast<std::size_t>(i)], tile + i * kTileSide, kTileSide);
        key.rows[static_cast<std::size_t>(i)] &= wide;
    }
    return key;
}

inline TileKey Oriented(const TileKey& upright, const Orientation& o) {
    TileKey key;
    for (int i = 0; i < kTileSide; ++i) {
        const std::uint64_t row = upright.rows[static_cast<std::size_t>(i ^ o.yFlip)];
        key.rows[static_cast<std::size_t>(i)] = o.xFlip ? ReverseBytes(row) : row;
    }
    return key;
}

// The same key for all four orientations of a tile: the smallest of them.
inline TileKey FlipClassKey(const TileKey& upright) {
    TileKey least = upright;
    for (const Orientation& o : kOrientations) least = std::min(least, Oriented(upright, o));
    return least;
}

}  // namespace vorlin
