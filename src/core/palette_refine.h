// Refinement of a quantised picture against its true-colour source.
#pragma once

#include <cstdint>

#include "core/packed_dib.h"

namespace vorlin {

// Moves the first `colors` palette entries of dest8 by k-means: the pixels take their
// nearest entries, each entry moves to the mean of its pixels, for as long as the
// squared error falls noticeably (at most maxPasses moves; on tall pictures the
// passes look at every fourth row). Then every pixel of dest8 takes its nearest
// entry. dest8 has src24's size and orientation; it stays as it came when that would
// not lower the error. False when memory runs out; dest8 is then unchanged.
bool RefinePalette(PackedDib src24, PackedDib dest8, int colors, int maxPasses);

// Sum over all pixels of the squared RGB distance between src24 and the colour dest8
// shows there (both the same size, either orientation).
std::uint64_t QuantizeError(PackedDib src24, PackedDib dest8);

}  // namespace vorlin
