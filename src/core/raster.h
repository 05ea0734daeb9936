// The raster layer: drawing on 8-bit buffers whose bytes are palette indices.
// Every operation works on a non-owning view, so the same calls draw into the
// document's picture and into temporary buffers. Exact indices, no smoothing,
// everything clipped to the view; invalid views (null bits, empty size) are ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "core/index_surface.h"

namespace vorlin {

// A window onto an 8-bit top-down buffer (row y starts at bits + y * stride); Byte is
// std::uint8_t for a writable view and const std::uint8_t for a read-only one.
template <class Byte>
struct BasicIndexView {
    Byte* bits = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;

    bool IsValid() const {
        return bits != nullptr && width > 0 && height > 0 &&
               stride >= static_cast<std::size_t>(width);
    }
    Byte* Row(int y) const { return bits + stride * static_cast<std::size_t>(y); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    // A writable view reads as a read-only one wherever a source is expected.
    operator BasicIndexView<const Byte>() const  // NOLINT(google-explicit-constructor)
        requires(!std::is_const_v<Byte>) {
        return {bits, width, height, stride};
    }
};

using IndexView = BasicIndexView<std::uint8_t>;
using ConstIndexView = BasicIndexView<const std::uint8_t>;

// A one-bit-per-pixel image: rows of `stride` bytes, most significant bit = leftmost pixel.
struct BitMaskView {
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;

    bool IsValid() const {
        return bits != nullptr && width > 0 && height > 0 &&
               stride * 8 >= static_cast<std::size_t>(width);
    }
    bool Test(int x, int y) const {
        return (bits[stride * static_cast<std::size_t>(y) + static_cast<std::size_t>(x >> 3)] >>
                (7 - (x & 7))) &
               1;
    }
};

inline IndexView ViewOf(IndexSurface& s) {
    return {s.bits.data(), s.width, s.height, s.stride};
}
inline ConstIndexView ViewOf(const IndexSurface& s) {
    return {s.bits.data(), s.width, s.height, s.stride};
}

// Bytewise combination of source and destination indices in a block copy.
enum class RasterOp {
    Copy,     // dst = src
    NotCopy,  // dst = ~src
    And,      // dst = dst & src
    Or,       // dst = dst | src
    Xor,      // dst = dst ^ src
    AndNot,   // dst = dst & ~src
};

// Copies a w x h block from (sx, sy) of src to (dx, dy) of dst. Both rectangles are
// clipped together, so each copied pixel keeps its offset inside the block.
// Overlapping source and destination in the same buffer are handled.
void BlockCopy(IndexView dst, int dx, int dy, int w, int h, ConstIndexView src, int sx, int sy,
               RasterOp op = RasterOp::Copy);
// The same with a one-bit source: a set bit counts as 0xFF, a clear bit as 0x00.
void BlockCopy(IndexView dst, int dx, int dy, int w, int h, BitMaskView src, int sx, int sy,
               RasterOp op);

// Nearest-neighbour scaled copy of srcRect onto dstRect: destination column x takes source
// column srcRect.left + (x - dstRect.left) * srcWidth / dstWidth (rows alike), so integer
// zooms repeat every pixel exactly. Pixels mapped from outside src stay untouched.
// Source and destination must be different buffers.
void ScaledCopy(IndexView dst, IRect dstRect, ConstIndexView src, IRect srcRect);

void FillRect(IndexView dst, IRect rect, std::uint8_t index);
void SetPixel(IndexView dst, int x, int y, std::uint8_t index);
// 0 outside the view.
std::uint8_t GetPixel(ConstIndexView src, int x, int y);

// Pen patterns, counted in pixels from the start point of a line:
// Dash = 6 pixels drawn, 3 skipped; Dot = 1 drawn, 1 skipped. Gaps stay untouched.
enum class PenStyle { Solid, Dash, Dot };
enum class LineEnd { Include, Omit };

// The one-pixel Bresenham line from p0 to p1. With LineEnd::Include the end point is
// set even when the pattern has a gap there; LineEnd::Omit leaves it out entirely.
void DrawLine(IndexView dst, IPoint p0, IPoint p1, std::uint8_t index,
              PenStyle style = PenStyle::Solid, LineEnd end = LineEnd::Include);

// The outermost rows and columns of rect (right and bottom exclusive).
void FrameRect(IndexView dst, IRect rect, std::uint8_t index);

// The ellipse inscribed in box (right and bottom exclusive), touching all four sides.
// DrawEllipse sets its one-pixel outline; FillEllipse also sets the interior to `brush`.
void DrawEllipse(IndexView dst, IRect box, std::uint8_t pen);
void FillEllipse(IndexView dst, IRect box, std::uint8_t pen, std::uint8_t brush);

// A convex polygon filled with its edges (the Bresenham lines between consecutive
// points, closing edge included). Degenerate polygons give their segments or point.
void FillPolygon(IndexView dst, std::span<const IPoint> points, std::uint8_t index);

// Flood fills, 4-connected, exact index comparison, iterative (no recursion).
// Surface: the region of pixels equal to the seed's index becomes `fill`.
// Border: the region reached from the seed without crossing pixels equal to `border`
// becomes `fill` (nothing happens when the seed itself has the border index).
// Both return false only when working memory could not be had; a seed outside the
// view or a region that already has the fill index is a successful no-op.
bool FloodFillSurface(IndexView dst, IPoint seed, std::uint8_t fill);
bool FloodFillBorder(IndexView dst, IPoint seed, std::uint8_t border, std::uint8_t fill);

// A dotted frame on the outline of rect that inverts (XOR 0xFF) every other pixel,
// starting with the top-left corner; drawing it a second time restores the pixels.
void InvertDottedFrame(IndexView dst, IRect rect);

// Sets every pixel under a set bit of mask to `index`, the mask's top-left at (x, y);
// clear bits leave the picture untouched.
void WriteMask(IndexView dst, int x, int y, BitMaskView mask, std::uint8_t index);

}  // namespace vorlin
