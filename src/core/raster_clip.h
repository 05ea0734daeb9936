// Clipping shared by the raster operations (internal to the raster layer).
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/index_surface.h"

namespace vorlin {

// A block transfer after clipping: every field lies inside both images.
struct BlockGeometry {
    int dx = 0, dy = 0, sx = 0, sy = 0, w = 0, h = 0;
};

// Clips a w x h block at (dx, dy) in a dstW x dstH image, read from (sx, sy) of a
// srcW x srcH image, keeping source and destination in step. False when nothing is left.
bool ClipBlock(int dstW, int dstH, int srcW, int srcH, int dx, int dy, int sx, int sy, int w, int h,
               BlockGeometry& out);

// rect intersected with (0, 0, width, height); may be empty.
inline IRect ClipToSize(IRect rect, int width, int height) {
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
            std::min(rect.bottom, height)};
}

}  // namespace vorlin
