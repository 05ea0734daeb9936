#include "core/bresenham.h"

namespace vorlin {

namespace {

// Products of two coordinate differences need more than 64 bits in the worst case.
using Wide = __int128;

std::int64_t Abs64(std::int64_t v) {
    return v < 0 ? -v : v;
}

Wide FloorDiv(Wide a, Wide b) {  // b > 0
    Wide q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
}

Wide CeilDiv(Wide a, Wide b) {
    return -FloorDiv(-a, b);
}

}  // namespace

std::int64_t LineSteps(IPoint p0, IPoint p1) {
    const std::int64_t adx = Abs64(std::int64_t{p1.x} - p0.x);
    const std::int64_t ady = Abs64(std::int64_t{p1.y} - p0.y);
    return adx >= ady ? adx : ady;
}

std::int64_t LineStepOf(IPoint p0, IPoint p1, std::int64_t x, std::int64_t y) {
    const std::int64_t adx = Abs64(std::int64_t{p1.x} - p0.x);
    const std::int64_t ady = Abs64(std::int64_t{p1.y} - p0.y);
    return adx >= ady ? Abs64(x - p0.x) : Abs64(y - p0.y);
}

bool LineRowSpan(IPoint p0, IPoint p1, std::int64_t y, LineSpan& out) {
    const std::int64_t dx = std::int64_t{p1.x} - p0.x;
    const std::int64_t dy = std::int64_t{p1.y} - p0.y;
    const std::int64_t adx = Abs64(dx), ady = Abs64(dy);
    const std::int64_t sx = dx < 0 ? -1 : 1;
    const std::int64_t m = dy < 0 ? p0.y - y : y - p0.y;  // minor steps from p0 on this row
    if (m < 0 || m > ady) return false;

    if (ady > adx) {  // y-major: exactly one pixel per row
        const Wide num = Wide{2} * m * adx + ady;
        const std::int64_t x = p0.x + sx * static_cast<std::int64_t>(num / (Wide{2} * ady));
        out = {x, x};
        return true;
    }
    // x-major: steps k with floor((2k*ady + adx) / (2*adx)) == m.
    Wide kMin = 0, kMax = adx;
    if (ady != 0) {
        kMin = CeilDiv(Wide{2} * m * adx - adx, Wide{2} * ady);
        kMax = FloorDiv(Wide{2} * (m + 1) * adx - adx - 1, Wide{2} * ady);
        if (kMin < 0) kMin = 0;
        if (kMax > adx) kMax = adx;
        if (kMin > kMax) return false;
    }
    const std::int64_t a = p0.x + sx * static_cast<std::int64_t>(kMin);
    const std::int64_t b = p0.x + sx * static_cast<std::int64_t>(kMax);
    out = a <= b ? LineSpan{a, b} : LineSpan{b, a};
    return true;
}

}  // namespace vorlin
