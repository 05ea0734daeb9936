// A large tiled background for the export benchmarks: `patterns` patterns of
// short colour runs, each placed flipped and in one of four banks.
#pragma once

#include <random>
#include <vector>

#include "core/packed_dib.h"
#include "export/tile_ops.h"

namespace vorlin::bench {

inline DibPtr TiledBackground(int side, std::size_t patternCount) {
    std::mt19937 rng(42);
    std::vector<std::vector<std::uint8_t>> patterns(patternCount,
                                                    std::vector<std::uint8_t>(kTileBytes));
    for (auto& p : patterns)
        for (int i = 0; i < kTileBytes;) {
            const auto colour = static_cast<std::uint8_t>(rng() % 16);
            for (int run = 1 + rng() % 4; run > 0 && i < kTileBytes; --run) p[i++] = colour;
        }
    DibPtr dib(DibCreate(side, side, 8, nullptr, 1));
    std::uint8_t tile[kTileBytes];
    for (int ty = 0; ty < side / kTileSide; ++ty)
        for (int tx = 0; tx < side / kTileSide; ++tx) {
            OrientTile(patterns[rng() % patterns.size()].data(), rng() % 2 ? 7 : 0,
                       rng() % 2 ? 7 : 0, tile);
            const auto bank = static_cast<std::uint8_t>((rng() % 4) << 4);
            for (int i = 0; i < kTileBytes; ++i)
                DibPictureRow(dib.get(), ty * kTileSide + i / kTileSide)[tx * kTileSide +
                                                                          i % kTileSide] =
                    tile[i] ? static_cast<std::uint8_t>(tile[i] | bank) : 0;
        }
    return dib;
}

}  // namespace vorlin::bench
