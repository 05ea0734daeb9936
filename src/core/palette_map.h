// Putting a picture onto a palette it was not drawn with, so art made
// elsewhere lands on a game's fixed colours.
#pragma once

#include "core/packed_dib.h"

namespace vorlin {

// The picture (any legal depth) as an 8-bpp picture of the same orientation
// whose 256-entry table is `palette`'s `count` entries (1 to 256) followed by
// black. A pixel whose colour is in the palette takes that entry (a paletted
// picture's index is kept when the palette has the colour there); every other
// pixel takes the nearest entry by squared RGB distance, with Floyd-Steinberg
// error diffusion when `dither` is set. Null on bad input or when memory runs out.
PackedDib DibMapToPalette(PackedDib src, const RgbQuad* palette, int count, bool dither);

}  // namespace vorlin
