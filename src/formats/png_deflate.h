// How a paletted PNG's pixel rows are deflated. They are stored unfiltered, and
// which zlib strategy packs them better depends on the picture: noisy, tiled art
// loses to matches of three to five bytes that cost more than the literals they
// replace, smooth pictures gain from them. A sample of rows decides.
#pragma once

#include "core/packed_dib.h"

namespace vorlin {

// The deflate level every PNG is written at: measured on large paletted pictures,
// a third of the time of zlib's default level for files about as small.
inline constexpr int kPngDeflateLevel = 4;

// Z_FILTERED or Z_DEFAULT_STRATEGY for the rows of a picture of at most 8 bits per
// pixel: the one that deflates eight bands of its rows (a 32nd of them), spread
// over its height, into fewer bytes. Z_DEFAULT_STRATEGY when it cannot tell (no memory, no rows).
int PngPaletteStrategy(PackedDib dib);

}  // namespace vorlin
