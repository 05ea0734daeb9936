// Helpers on 8-bpp tiles of 64 bytes, row-major, 8 bytes a row.
#pragma once

#include <cstdint>

namespace vorlin {

inline constexpr int kTileSide = 8;
inline constexpr int kTileBytes = 64;
inline constexpr std::uint8_t kBankMask =
    0x0F;  // the part of a pixel reduction compares with banks

// The palette bank of a tile as map bits 12-15: the high nibble of the first
// pixel whose low nibble is not 0; 0 when there is none.
std::uint16_t TileBank(const std::uint8_t* tile);

// True when pixel (i ^ yFlip, j ^ xFlip) of tile equals pixel (i, j) of
// candidate in the bits of mask for every row i and column j; flips are 0 or 7.
bool TilesMatch(const std::uint8_t* tile, const std::uint8_t* candidate, int xFlip, int yFlip,
                std::uint8_t mask);

// Writes tile seen through the flips into out: out(i, j) = tile(i ^ yFlip, j ^ xFlip).
void OrientTile(const std::uint8_t* tile, int xFlip, int yFlip, std::uint8_t* out);

}  // namespace vorlin
