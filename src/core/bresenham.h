// Closed-form Bresenham geometry: which pixels a one-pixel line sets on a given row.
// Stepping k = 0 .. n along the major axis (n = max(|dx|, |dy|)), the minor coordinate
// is k * minor / n rounded to nearest, halves away from the start point. Working per
// row lets callers clip to the image without walking the invisible part of a line.
#pragma once

#include <cstdint>

#include "core/index_surface.h"

namespace vorlin {

struct LineSpan {
    std::int64_t x0 = 0, x1 = 0;  // inclusive, x0 <= x1
};

// The x range of the line's pixels on row y; false when the line does not touch row y.
bool LineRowSpan(IPoint p0, IPoint p1, std::int64_t y, LineSpan& out);

// Number of steps from p0 to p1 (the end point is step LineSteps).
std::int64_t LineSteps(IPoint p0, IPoint p1);

// The step number of pixel (x, y) of the line (valid for pixels LineRowSpan reports).
std::int64_t LineStepOf(IPoint p0, IPoint p1, std::int64_t x, std::int64_t y);

}  // namespace vorlin
