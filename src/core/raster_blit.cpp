// Block transfers, rectangle fills, single pixels and mask writes.
#include <algorithm>
#include <cstring>

#include "core/raster.h"
#include "core/raster_clip.h"

namespace vorlin {

namespace {

// Offsets times extents of far-off rectangles can exceed 64 bits.
using Wide = __int128;

std::uint8_t Combine(std::uint8_t d, std::uint8_t s, RasterOp op) {
    switch (op) {
        case RasterOp::Copy:
            return s;
        case RasterOp::NotCopy:
            return static_cast<std::uint8_t>(~s);
        case RasterOp::And:
            return d & s;
        case RasterOp::Or:
            return d | s;
        case RasterOp::Xor:
            return d ^ s;
        case RasterOp::AndNot:
            return static_cast<std::uint8_t>(d & ~s);
    }
    return d;
}

// Walks backwards when the destination lies after an overlapping source in memory,
// so no source byte is overwritten before it is read.
void CombineRow(std::uint8_t* d, const std::uint8_t* s, int n, RasterOp op) {
    if (op == RasterOp::Copy) {
        std::memmove(d, s, static_cast<std::size_t>(n));
        return;
    }
    if (d > s && d < s + n) {
        for (int i = n - 1; i >= 0; --i) d[i] = Combine(d[i], s[i], op);
    } else {
        for (int i = 0; i < n; ++i) d[i] = Combine(d[i], s[i], op);
    }
}

bool SameBuffer(const IndexView& dst, const ConstIndexView& src) {
    const std::uint8_t* dBegin = dst.bits;
    const std::uint8_t* dEnd = dst.Row(dst.height - 1) + dst.width;
    const std::uint8_t* sBegin = src.bits;
    const std::uint8_t* sEnd = src.Row(src.height - 1) + src.width;
    return std::less<const std::uint8_t*>()(sBegin, dEnd) &&
           std::less<const std::uint8_t*>()(dBegin, sEnd);
}

}  // namespace

void BlockCopy(IndexView dst, int dx, int dy, int w, int h, ConstIndexView src, int sx, int sy,
               RasterOp op) {
    if (!dst.IsValid() || !src.IsValid()) return;
    BlockGeometry g;
    if (!ClipBlock(dst.width, dst.height, src.width, src.height, dx, dy, sx, sy, w, h, g)) return;
    // Rows run bottom-up when an overlapping destination lies below its source.
    const bool upwards = SameBuffer(dst, src) && dst.Row(g.dy) > src.Row(g.sy);
    for (int i = 0; i < g.h; ++i) {
        const int r = upwards ? g.h - 1 - i : i;
        CombineRow(dst.Row(g.dy + r) + g.dx, src.Row(g.sy + r) + g.sx, g.w, op);
    }
}

void BlockCopy(IndexView dst, int dx, int dy, int w, int h, BitMaskView src, int sx, int sy,
               RasterOp op) {
    if (!dst.IsValid() || !src.IsValid()) return;
    BlockGeometry g;
    if (!ClipBlock(dst.width, dst.height, src.width, src.height, dx, dy, sx, sy, w, h, g)) return;
    for (int r = 0; r < g.h; ++r) {
        std::uint8_t* d = dst.Row(g.dy + r) + g.dx;
        for (int c = 0; c < g.w; ++c) {
            const std::uint8_t s = src.Test(g.sx + c, g.sy + r) ? 0xFF : 0x00;
            d[c] = Combine(d[c], s, op);
        }
    }
}

void ScaledCopy(IndexView dst, IRect dstRect, ConstIndexView src, IRect srcRect) {
    if (!dst.IsValid() || !src.IsValid() || dstRect.IsEmpty() || srcRect.IsEmpty()) return;
    const IRect clip = ClipToSize(dstRect, dst.width, dst.height);
    if (clip.IsEmpty()) return;
    // Extents in 64 bits: a rectangle may span the whole int range.
    const std::int64_t dw = std::int64_t{dstRect.right} - dstRect.left;
    const std::int64_t dh = std::int64_t{dstRect.bottom} - dstRect.top;
    const std::int64_t sw = std::int64_t{srcRect.right} - srcRect.left;
    const std::int64_t sh = std::int64_t{srcRect.bottom} - srcRect.top;
    for (int y = clip.top; y < clip.bottom; ++y) {
        const std::int64_t syy =
            srcRect.top + static_cast<std::int64_t>(Wide{y - std::int64_t{dstRect.top}} * sh / dh);
        if (syy < 0 || syy >= src.height) continue;
        const std::uint8_t* s = src.Row(static_cast<int>(syy));
        std::uint8_t* d = dst.Row(y);
        // Column mapping stepped as quotient and remainder, equal to the product formula.
        const Wide start = Wide{clip.left - std::int64_t{dstRect.left}} * sw;
        std::int64_t q = srcRect.left + static_cast<std::int64_t>(start / dw);
        std::int64_t rem = static_cast<std::int64_t>(start % dw);
        const std::int64_t stepQ = sw / dw, stepR = sw % dw;
        for (int x = clip.left; x < clip.right; ++x) {
            if (q >= 0 && q < src.width) d[x] = s[q];
            q += stepQ;
            rem += stepR;
            if (rem >= dw) {
                rem -= dw;
                ++q;
            }
        }
    }
}

void FillRect(IndexView dst, IRect rect, std::uint8_t index) {
    if (!dst.IsValid()) return;
    const IRect r = ClipToSize(rect, dst.width, dst.height);
    if (r.IsEmpty()) return;
    for (int y = r.top; y < r.bottom; ++y) {
        std::memset(dst.Row(y) + r.left, index, static_cast<std::size_t>(r.Width()));
    }
}

void SetPixel(IndexView dst, int x, int y, std::uint8_t index) {
    if (dst.IsValid() && dst.Contains(x, y)) dst.Row(y)[x] = index;
}

std::uint8_t GetPixel(ConstIndexView src, int x, int y) {
    return src.IsValid() && src.Contains(x, y) ? src.Row(y)[x] : 0;
}

void WriteMask(IndexView dst, int x, int y, BitMaskView mask, std::uint8_t index) {
    if (!dst.IsValid() || !mask.IsValid()) return;
    BlockGeometry g;
    if (!ClipBlock(dst.width, dst.height, mask.width, mask.height, x, y, 0, 0, mask.width,
                   mask.height, g)) {
        return;
    }
    for (int r = 0; r < g.h; ++r) {
        std::uint8_t* d = dst.Row(g.dy + r) + g.dx;
        for (int c = 0; c < g.w; ++c) {
            if (mask.Test(g.sx + c, g.sy + r)) d[c] = index;
        }
    }
}

}  // namespace vorlin
