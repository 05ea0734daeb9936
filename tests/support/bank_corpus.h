// Pictures whose bank count is known by construction: tiles draw their colours from one of
// `groups` colour groups; each group has `shared` colours common to all groups plus its own,
// and one tile per group (the last ones) uses the whole group. With shared = 0 the colours
// alone need `groups` banks; with shared > 0 the whole-group tiles cannot share a bank. Either
// way `groups` banks are needed and enough.
#pragma once

#include <array>
#include <cstdint>

#include "core/index_surface.h"
#include "core/packed_dib.h"

namespace vorlin::testing {

struct CorpusRecipe {
    int width = 64, height = 64;
    int groups = 4;
    int groupSize = 15;  // colours per group, shared ones included
    int shared = 0;
    // About one pixel in this many is index 0; 0: none, and index 0 is an ordinary colour.
    int transparentShare = 4;
    std::uint32_t seed = 1;
    int tileSide = 8;  // pixels: the tiles (or tile groups) whose colours come from one group
    // Without the whole-group tiles the count is no longer known, but far fewer tiles are
    // contained in others: the harder case for timing.
    bool wholeGroupTiles = true;
};

struct CorpusPicture {
    IndexSurface pixels;
    std::array<RgbQuad, 256> palette{};
};

// Palette entries are scattered so the picture does not start out arranged.
CorpusPicture MakeCorpusPicture(const CorpusRecipe& recipe);
// The picture as a top-down 8-bpp block, for writing it to a file.
DibPtr CorpusDib(const CorpusPicture& picture);

}  // namespace vorlin::testing
