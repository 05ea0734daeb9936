// Our raster layer: drawing on 8-bit buffers whose bytes are palette indices.
// Exact indices, no smoothing; every operation clips to the surface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlin {

struct IRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

struct IPoint {
    int x = 0, y = 0;
};

// An owned 8-bit top-down index buffer; stride is padded to 4 bytes like a dib row.
struct IndexSurface {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    std::vector<std::uint8_t> bits;

    IndexSurface() = default;
    IndexSurface(int w, int h) : width(w), height(h), stride((static_cast<std::size_t>(w) + 3) & ~std::size_t{3}), bits(stride * static_cast<std::size_t>(h)) {}
    std::uint8_t* Row(int y) { return bits.data() + stride * static_cast<std::size_t>(y); }
    const std::uint8_t* Row(int y) const { return bits.data() + stride * static_cast<std::size_t>(y); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

}  // namespace vorlin
