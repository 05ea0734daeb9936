// Floyd-Steinberg error diffusion onto a fixed palette.
#pragma once

#include "core/packed_dib.h"

namespace vorlin {

// Maps every pixel of src24 to the nearest of dest8's first `colors` entries after
// adding the error spread from the pixels mapped before it (7/16 right, 3/16, 5/16
// and 1/16 on the next row). dest8 has src24's size and orientation. False when
// memory runs out; dest8's pixels are then not to be used.
bool DiffuseToPalette(PackedDib src24, PackedDib dest8, int colors);

}  // namespace vorlin
