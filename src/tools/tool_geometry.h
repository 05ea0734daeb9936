// Rectangle and point helpers in image coordinates (right and bottom exclusive).
#pragma once

#include <algorithm>

#include "core/index_surface.h"

namespace vorlin {

inline bool SamePoint(IPoint a, IPoint b) {
    return a.x == b.x && a.y == b.y;
}

// The box spanned by two pixels, both included.
inline IRect RectSpanning(IPoint a, IPoint b) {
    return IRect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                 std::max(a.y, b.y) + 1};
}

// An empty operand contributes nothing, so a fresh dirty rectangle can grow from empty.
inline IRect RectUnion(const IRect& a, const IRect& b) {
    if (a.IsEmpty()) return b.IsEmpty() ? IRect{} : b;
    if (b.IsEmpty()) return a;
    return IRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
}

inline IRect RectIntersection(const IRect& a, const IRect& b) {
    const IRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? IRect{} : r;
}

inline bool RectHolds(const IRect& r, IPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

inline IRect RectOffset(const IRect& r, int dx, int dy) {
    return IRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

inline IRect RectOfSize(int x, int y, int w, int h) {
    return IRect{x, y, x + w, y + h};
}

}  // namespace vorlin
