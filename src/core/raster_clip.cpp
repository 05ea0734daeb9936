#include "core/raster_clip.h"

namespace vorlin {

namespace {

// One axis of ClipBlock, in 64 bits so that far-off positions cannot overflow.
bool ClipAxis(std::int64_t d, std::int64_t s, std::int64_t n, int dstExtent, int srcExtent,
              int& outD, int& outS, int& outN) {
    if (d < 0) {
        s -= d;
        n += d;
        d = 0;
    }
    if (s < 0) {
        d -= s;
        n += s;
        s = 0;
    }
    n = std::min({n, dstExtent - d, srcExtent - s});
    if (n <= 0) return false;
    outD = static_cast<int>(d);
    outS = static_cast<int>(s);
    outN = static_cast<int>(n);
    return true;
}

}  // namespace

bool ClipBlock(int dstW, int dstH, int srcW, int srcH, int dx, int dy, int sx, int sy, int w, int h,
               BlockGeometry& out) {
    if (w <= 0 || h <= 0) return false;
    return ClipAxis(dx, sx, w, dstW, srcW, out.dx, out.sx, out.w) &&
           ClipAxis(dy, sy, h, dstH, srcH, out.dy, out.sy, out.h);
}

}  // namespace vorlin
