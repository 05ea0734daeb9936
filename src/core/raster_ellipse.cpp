// Ellipses inscribed in their box. Row by row: a pixel belongs to the filled ellipse when
// its centre lies inside the ellipse whose axes are the box's width and height; the row(s)
// through the centre always span the full width and every row keeps its centre pixel(s),
// so the shape touches all four sides even for very flat or thin boxes. Rows are computed
// from their distance to the centre, so the shape is symmetric in both axes.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/raster.h"

namespace vorlin {

namespace {

struct RowSpan {
    std::int64_t lo = 0, hi = 0;  // inclusive
};

class EllipseRows {
  public:
    explicit EllipseRows(IRect box)
        : left_(box.left),
          width_(std::int64_t{box.right} - box.left),
          height_(std::int64_t{box.bottom} - box.top) {}

    // The filled span of box row j (0 <= j < height).
    RowSpan Span(std::int64_t j) const {
        // Doubled units keep half-pixel centres integral.
        const std::int64_t yd = std::abs(2 * j + 1 - height_);
        const std::int64_t parity = (width_ - 1) & 1;
        std::int64_t xd = width_ - 1;
        if (yd > 1) {
            const double h = static_cast<double>(height_);
            const double half =
                static_cast<double>(width_) *
                std::sqrt(static_cast<double>(height_ - yd) * static_cast<double>(height_ + yd)) /
                h;
            xd = static_cast<std::int64_t>(std::floor(half));
            if (((xd - parity) & 1) != 0) --xd;
            xd = std::clamp<std::int64_t>(xd, parity, width_ - 1);
        }
        return {left_ + (width_ - 1 - xd) / 2, left_ + (width_ - 1 + xd) / 2};
    }

    // The interior of row j: pixels whose four neighbours all belong to the ellipse.
    // Empty (lo > hi) on the top and bottom rows.
    RowSpan Interior(std::int64_t j) const {
        if (j == 0 || j == height_ - 1) return {1, 0};
        const RowSpan s = Span(j), up = Span(j - 1), down = Span(j + 1);
        return {std::max({s.lo + 1, up.lo, down.lo}), std::min({s.hi - 1, up.hi, down.hi})};
    }

  private:
    std::int64_t left_, width_, height_;
};

void FillRun(IndexView dst, int y, std::int64_t lo, std::int64_t hi, std::uint8_t index) {
    lo = std::max<std::int64_t>(lo, 0);
    hi = std::min<std::int64_t>(hi, dst.width - 1);
    if (lo <= hi) std::memset(dst.Row(y) + lo, index, static_cast<std::size_t>(hi - lo + 1));
}

void RenderEllipse(IndexView dst, IRect box, std::uint8_t pen, const std::uint8_t* brush) {
    if (!dst.IsValid() || box.IsEmpty()) return;
    const EllipseRows rows(box);
    const std::int64_t firstY = std::max<std::int64_t>(box.top, 0);
    const std::int64_t lastY = std::min<std::int64_t>(box.bottom, dst.height) - 1;
    for (std::int64_t y = firstY; y <= lastY; ++y) {
        const std::int64_t j = y - box.top;
        const RowSpan s = rows.Span(j);
        const RowSpan in = rows.Interior(j);
        const int row = static_cast<int>(y);
        if (in.lo > in.hi) {
            FillRun(dst, row, s.lo, s.hi, pen);
            continue;
        }
        FillRun(dst, row, s.lo, in.lo - 1, pen);
        FillRun(dst, row, in.hi + 1, s.hi, pen);
        if (brush != nullptr) FillRun(dst, row, in.lo, in.hi, *brush);
    }
}

}  // namespace

void DrawEllipse(IndexView dst, IRect box, std::uint8_t pen) {
    RenderEllipse(dst, box, pen, nullptr);
}

void FillEllipse(IndexView dst, IRect box, std::uint8_t pen, std::uint8_t brush) {
    RenderEllipse(dst, box, pen, &brush);
}

}  // namespace vorlin
