#include "export/tile_ops.h"

namespace vorlin {

std::uint16_t TileBank(const std::uint8_t* tile) {
    for (int p = 0; p < kTileBytes; ++p)
        if (tile[p] & kBankMask) return static_cast<std::uint16_t>((tile[p] >> 4) << 12);
    return 0;
}

bool TilesMatch(const std::uint8_t* tile, const std::uint8_t* candidate, int xFlip, int yFlip,
                std::uint8_t mask) {
    for (int i = 0; i < kTileSide; ++i)
        for (int j = 0; j < kTileSide; ++j)
            if ((tile[(i ^ yFlip) * kTileSide + (j ^ xFlip)] ^ candidate[i * kTileSide + j]) & mask)
                return false;
    return true;
}

void OrientTile(const std::uint8_t* tile, int xFlip, int yFlip, std::uint8_t* out) {
    for (int i = 0; i < kTileSide; ++i)
        for (int j = 0; j < kTileSide; ++j)
            out[i * kTileSide + j] = tile[(i ^ yFlip) * kTileSide + (j ^ xFlip)];
}

}  // namespace vorlin
