// Colour reduction of true-colour pictures to a paletted depth.
#pragma once

#include "core/packed_dib.h"

namespace vorlin {

enum class QuantizeQuality {
    kFast,  // Wu's palette, each pixel takes the colour of its histogram box
    kBest,  // the same palette refined: nearest colours and k-means passes
};

struct QuantizeOptions {
    QuantizeQuality quality = QuantizeQuality::kFast;
    bool dither = false;  // Floyd-Steinberg error diffusion onto the palette
};

// A 16-, 24- or 32-bpp picture reduced to 1, 4 or 8 bpp (2^bpp colours).
// Null on bad input or when memory runs out.
PackedDib DibQuantize(PackedDib src, int bpp, const QuantizeOptions& options);

}  // namespace vorlin
