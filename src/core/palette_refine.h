// Refinement of a quantised picture against its true-colour source.
#pragma once

#include <cstdint>

#include "core/packed_dib.h"

namespace vorlin {

// Every pixel of dest8 takes the nearest of its first `colors` palette entries to the
// source pixel, then each entry moves to the mean of its pixels and the pixels are
// mapped again, for as long as the squared error falls (at most maxPasses moves).
// dest8 has src24's size and orientation. The error never ends above the one dest8
// came with. False when memory runs out; dest8 is then unchanged.
bool RefinePalette(PackedDib src24, PackedDib dest8, int colors, int maxPasses);

// Sum over all pixels of the squared RGB distance between src24 and the colour dest8
// shows there (both the same size, either orientation).
std::uint64_t QuantizeError(PackedDib src24, PackedDib dest8);

}  // namespace vorlin
