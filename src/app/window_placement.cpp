#include "app/window_placement.h"

#include <algorithm>

namespace vorlin {

namespace {

// One axis: the span shortened to the room, then moved into it.
void ClampSpan(int& start, int& end, int roomStart, int roomEnd) {
    const int length = std::min(end - start, roomEnd - roomStart);
    start = std::clamp(start, roomStart, roomEnd - length);
    end = start + length;
}

}  // namespace

IRect ClampWindowToScreen(const IRect& window, const IRect& screen) {
    if (screen.IsEmpty()) return window;
    IRect r = window;
    ClampSpan(r.left, r.right, screen.left, screen.right);
    ClampSpan(r.top, r.bottom, screen.top, screen.bottom);
    return r;
}

}  // namespace vorlin
