// Conversions into and between the true-colour depths (16, 24, 32 bits per pixel).
#pragma once

#include "core/packed_dib.h"

namespace vorlin {

// 8-bpp source looked up through its colour table into a 16-, 24- or 32-bpp result.
PackedDib DibExpandPalette(PackedDib src8, int destBpp);
// Between 16, 24 and 32 bpp (different depths); null for anything else.
PackedDib DibConvertTrueColor(PackedDib src, int destBpp);

}  // namespace vorlin
