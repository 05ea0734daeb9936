// One palette for several pictures exported together: their own palette when
// they agree on every index a picture uses, otherwise their colours merged by
// RGB, each picture's pixels moved to the index of their colour.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

inline constexpr int kMergePaletteEntries = 256;

struct PaletteMerge {
    bool ok = false;
    std::size_t failedPicture = 0;  // when not ok: the picture whose colours did not fit
    std::string reason;             // when not ok
    std::array<RgbQuad, kMergePaletteEntries> palette{};
    // Per picture: new index of every old index (the identity where nothing moved).
    std::vector<std::array<std::uint8_t, kMergePaletteEntries>> remap;
};

// Merges the palettes of 8-bpp pictures. An index keeps its place when its
// colour is already there or the place is still free; otherwise the colour goes
// to an index that already holds it, else to the first free index within
// [rangeStart, rangeEnd), the palette entries the export writes. Not ok, naming
// the picture, when no such index is left.
PaletteMerge MergePalettes(const std::vector<PackedDib>& pictures, int rangeStart, int rangeEnd);

// `picture` (8 bpp) with its pixels moved by `remap` and `palette` as its colour
// table; null when out of memory.
DibPtr RemappedPicture(PackedDib picture, const std::array<std::uint8_t, kMergePaletteEntries>& remap,
                       const std::array<RgbQuad, kMergePaletteEntries>& palette);

}  // namespace vorlin
