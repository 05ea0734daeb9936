// Colour quantisation by Wu's greedy orthogonal bipartition of the RGB cube.
#pragma once

#include "core/packed_dib.h"

namespace vorlin {

// Reduces a 24-bpp dib to at most maxColors (1 to 256) colours. The result is an
// 8-bpp dib with the source's size and orientation; colour table entries past the
// boxes found are black; colorsMade (when given) receives how many boxes there are.
// Null on bad input or when memory runs out.
PackedDib WuQuantize(PackedDib src24, int maxColors, int* colorsMade = nullptr);

}  // namespace vorlin
