// Scanline flood fill with an explicit stack of row spans: no recursion, and the work
// per row is one scan plus one memset, so large open areas cost little more than a fill.
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "core/raster.h"

namespace vorlin {

namespace {

std::uint64_t Load64(const std::uint8_t* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// First i in [from, to) with p[i] != v, or to. Long equal runs are the common case in
// open areas, so they are skipped 32 bytes at a time before the exact byte is located.
int FindNotEqual(const std::uint8_t* p, int from, int to, std::uint8_t v) {
    const std::uint64_t pattern = 0x0101010101010101ULL * v;
    int i = from;
    for (; i + 32 <= to; i += 32) {
        const std::uint64_t any = (Load64(p + i) ^ pattern) | (Load64(p + i + 8) ^ pattern) |
                                  (Load64(p + i + 16) ^ pattern) | (Load64(p + i + 24) ^ pattern);
        if (any != 0) break;
    }
    for (; i + 8 <= to; i += 8) {
        const std::uint64_t diff = Load64(p + i) ^ pattern;
        if (diff == 0) continue;
        if constexpr (std::endian::native == std::endian::little) {
            return i + std::countr_zero(diff) / 8;
        } else {
            return i + std::countl_zero(diff) / 8;
        }
    }
    while (i < to && p[i] == v) ++i;
    return i;
}

// First i in [from, to) with p[i] == v, or to.
int FindEqual(const std::uint8_t* p, int from, int to, std::uint8_t v) {
    if (from >= to) return to;
    const void* hit = std::memchr(p + from, v, static_cast<std::size_t>(to - from));
    return hit ? static_cast<int>(static_cast<const std::uint8_t*>(hit) - p) : to;
}

// Pixels equal to `target`; painting them (fill != target) takes them out of the region.
struct SameIndexRegion {
    std::uint8_t target, fill;
    int NextInside(const std::uint8_t* row, int, int from, int to) const {
        return FindEqual(row, from, to, target);
    }
    int RunEnd(const std::uint8_t* row, int, int from, int to) const {
        return FindNotEqual(row, from, to, target);
    }
    bool Inside(const std::uint8_t* row, int, int x) const { return row[x] == target; }
    void Paint(std::uint8_t* row, int, int a, int b) const {
        std::memset(row + a, fill, static_cast<std::size_t>(b - a));
    }
};

// Pixels other than `border`, painted with the border index itself: self-marking.
struct BorderIsFillRegion {
    std::uint8_t border;
    int NextInside(const std::uint8_t* row, int, int from, int to) const {
        return FindNotEqual(row, from, to, border);
    }
    int RunEnd(const std::uint8_t* row, int, int from, int to) const {
        return FindEqual(row, from, to, border);
    }
    bool Inside(const std::uint8_t* row, int, int x) const { return row[x] != border; }
    void Paint(std::uint8_t* row, int, int a, int b) const {
        std::memset(row + a, border, static_cast<std::size_t>(b - a));
    }
};

// Pixels other than `border` with a fill that differs from it: painted pixels no longer
// tell themselves apart, so a bit per pixel remembers what was filled.
class BorderVisitedRegion {
  public:
    BorderVisitedRegion(std::uint8_t border, std::uint8_t fill, int width, int height)
        : border_(border),
          fill_(fill),
          width_(width),
          visited_((static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 63) / 64) {
    }

    int NextInside(const std::uint8_t* row, int y, int from, int to) const {
        while (from < to && !Inside(row, y, from)) ++from;
        return from;
    }
    int RunEnd(const std::uint8_t* row, int y, int from, int to) const {
        while (from < to && Inside(row, y, from)) ++from;
        return from;
    }
    bool Inside(const std::uint8_t* row, int y, int x) const {
        return row[x] != border_ && !Visited(BitIndex(x, y));
    }
    void Paint(std::uint8_t* row, int y, int a, int b) {
        std::memset(row + a, fill_, static_cast<std::size_t>(b - a));
        for (int x = a; x < b; ++x) {
            const std::size_t i = BitIndex(x, y);
            visited_[i / 64] |= std::uint64_t{1} << (i % 64);
        }
    }

  private:
    std::size_t BitIndex(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    bool Visited(std::size_t i) const { return (visited_[i / 64] >> (i % 64)) & 1; }

    std::uint8_t border_, fill_;
    int width_;
    std::vector<std::uint64_t> visited_;
};

// A run of row y (x1..x2 inclusive) whose neighbours in direction dy are still to be checked.
struct PendingSpan {
    int x1, x2, y, dy;
};

template <class Region>
void SpanFill(IndexView v, IPoint seed, Region& region) {
    std::vector<PendingSpan> stack;
    auto push = [&](int x1, int x2, int y, int dy) {
        if (y >= 0 && y < v.height) stack.push_back({x1, x2, y, dy});
    };
    push(seed.x, seed.x, seed.y, 1);
    push(seed.x, seed.x, seed.y - 1, -1);
    while (!stack.empty()) {
        const PendingSpan s = stack.back();
        stack.pop_back();
        std::uint8_t* row = v.Row(s.y);
        int x = region.NextInside(row, s.y, s.x1, s.x2 + 1);
        while (x <= s.x2) {
            int start = x;
            if (x == s.x1) {
                while (start > 0 && region.Inside(row, s.y, start - 1)) --start;
            }
            const int end = region.RunEnd(row, s.y, x, v.width);
            region.Paint(row, s.y, start, end);
            push(start, end - 1, s.y + s.dy, s.dy);
            // Parts of the run that stick out past the span it came from may leak back.
            if (start < s.x1) push(start, s.x1 - 1, s.y - s.dy, -s.dy);
            if (end - 1 > s.x2) push(s.x2 + 1, end - 1, s.y - s.dy, -s.dy);
            x = region.NextInside(row, s.y, end + 1, s.x2 + 1);
        }
    }
}

}  // namespace

bool FloodFillSurface(IndexView dst, IPoint seed, std::uint8_t fill) {
    if (!dst.IsValid() || !dst.Contains(seed.x, seed.y)) return true;
    const std::uint8_t target = dst.Row(seed.y)[seed.x];
    if (target == fill) return true;
    try {
        SameIndexRegion region{target, fill};
        SpanFill(dst, seed, region);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool FloodFillBorder(IndexView dst, IPoint seed, std::uint8_t border, std::uint8_t fill) {
    if (!dst.IsValid() || !dst.Contains(seed.x, seed.y)) return true;
    if (dst.Row(seed.y)[seed.x] == border) return true;
    try {
        if (fill == border) {
            BorderIsFillRegion region{border};
            SpanFill(dst, seed, region);
        } else {
            BorderVisitedRegion region(border, fill, dst.width, dst.height);
            SpanFill(dst, seed, region);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace vorlin
