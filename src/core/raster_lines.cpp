// Lines, rectangle outlines, the inverting frame and filled polygons.
#include <algorithm>
#include <cstring>
#include <limits>

#include "core/bresenham.h"
#include "core/raster.h"
#include "core/raster_clip.h"

namespace vorlin {

namespace {

constexpr int kDashOn = 6, kDashPeriod = 9;
constexpr int kDotOn = 1, kDotPeriod = 2;

bool PatternSet(PenStyle style, std::int64_t step) {
    switch (style) {
        case PenStyle::Solid:
            return true;
        case PenStyle::Dash:
            return step % kDashPeriod < kDashOn;
        case PenStyle::Dot:
            return step % kDotPeriod < kDotOn;
    }
    return true;
}

// Rows [first, last] of the view that a vertical extent [a, b] touches; false if none.
bool VisibleRows(std::int64_t a, std::int64_t b, int height, int& first, int& last) {
    if (a > b) std::swap(a, b);
    first = static_cast<int>(std::max<std::int64_t>(a, 0));
    last = static_cast<int>(std::min<std::int64_t>(b, height - 1));
    return first <= last;
}

// Inverts the pixels of row y between x0 and x1 whose distance from the frame's
// top-left corner (ox, oy) is even, so the corner itself is always inverted.
void InvertDotsInRow(IndexView dst, int y, std::int64_t x0, std::int64_t x1, IPoint origin) {
    if (y < 0 || y >= dst.height) return;
    const std::int64_t a = std::max<std::int64_t>(x0, 0);
    const std::int64_t b = std::min<std::int64_t>(x1, dst.width - 1);
    const std::int64_t phase = (a - origin.x + y - origin.y) & 1;
    std::uint8_t* row = dst.Row(y);
    for (std::int64_t x = a + phase; x <= b; x += 2) row[x] ^= 0xFF;
}

void InvertDotsInColumn(IndexView dst, int x, std::int64_t y0, std::int64_t y1, IPoint origin) {
    if (x < 0 || x >= dst.width) return;
    const std::int64_t a = std::max<std::int64_t>(y0, 0);
    const std::int64_t b = std::min<std::int64_t>(y1, dst.height - 1);
    const std::int64_t phase = (a - origin.y + x - origin.x) & 1;
    for (std::int64_t y = a + phase; y <= b; y += 2) dst.Row(static_cast<int>(y))[x] ^= 0xFF;
}

}  // namespace

void DrawLine(IndexView dst, IPoint p0, IPoint p1, std::uint8_t index, PenStyle style,
              LineEnd end) {
    if (!dst.IsValid()) return;
    int first = 0, last = 0;
    if (!VisibleRows(p0.y, p1.y, dst.height, first, last)) return;
    const std::int64_t endStep = LineSteps(p0, p1);
    for (int y = first; y <= last; ++y) {
        LineSpan span;
        if (!LineRowSpan(p0, p1, y, span)) continue;
        const std::int64_t a = std::max<std::int64_t>(span.x0, 0);
        const std::int64_t b = std::min<std::int64_t>(span.x1, dst.width - 1);
        std::uint8_t* row = dst.Row(y);
        for (std::int64_t x = a; x <= b; ++x) {
            const std::int64_t step = LineStepOf(p0, p1, x, y);
            const bool set = step == endStep ? end == LineEnd::Include : PatternSet(style, step);
            if (set) row[x] = index;
        }
    }
}

void FrameRect(IndexView dst, IRect r, std::uint8_t index) {
    if (r.IsEmpty()) return;
    FillRect(dst, {r.left, r.top, r.right, r.top + 1}, index);
    FillRect(dst, {r.left, r.bottom - 1, r.right, r.bottom}, index);
    FillRect(dst, {r.left, r.top, r.left + 1, r.bottom}, index);
    FillRect(dst, {r.right - 1, r.top, r.right, r.bottom}, index);
}

void InvertDottedFrame(IndexView dst, IRect r) {
    if (!dst.IsValid() || r.IsEmpty()) return;
    // Each outline pixel is visited once (corners included), so a second call undoes the first.
    const std::int64_t right = std::int64_t{r.right} - 1, bottom = std::int64_t{r.bottom} - 1;
    const IPoint origin{r.left, r.top};
    InvertDotsInRow(dst, r.top, r.left, right, origin);
    if (bottom > r.top) InvertDotsInRow(dst, r.bottom - 1, r.left, right, origin);
    InvertDotsInColumn(dst, r.left, std::int64_t{r.top} + 1, bottom - 1, origin);
    if (right > r.left) {
        InvertDotsInColumn(dst, r.right - 1, std::int64_t{r.top} + 1, bottom - 1, origin);
    }
}

void FillPolygon(IndexView dst, std::span<const IPoint> points, std::uint8_t index) {
    if (!dst.IsValid() || points.empty()) return;
    const auto [lowY, highY] = std::minmax_element(points.begin(), points.end(),
                                                   [](IPoint a, IPoint b) { return a.y < b.y; });
    int first = 0, last = 0;
    if (!VisibleRows(lowY->y, highY->y, dst.height, first, last)) return;
    const std::size_t n = points.size();
    for (int y = first; y <= last; ++y) {
        // Convex: the row is covered between its outermost edge pixels.
        std::int64_t lo = std::numeric_limits<std::int64_t>::max();
        std::int64_t hi = std::numeric_limits<std::int64_t>::min();
        for (std::size_t i = 0; i < n; ++i) {
            LineSpan span;
            if (!LineRowSpan(points[i], points[(i + 1) % n], y, span)) continue;
            lo = std::min(lo, span.x0);
            hi = std::max(hi, span.x1);
        }
        if (lo > hi) continue;
        const std::int64_t a = std::max<std::int64_t>(lo, 0);
        const std::int64_t b = std::min<std::int64_t>(hi, dst.width - 1);
        if (a <= b) std::memset(dst.Row(y) + a, index, static_cast<std::size_t>(b - a + 1));
    }
}

}  // namespace vorlin
