#include "core/error_diffusion.h"

#include <algorithm>
#include <new>
#include <vector>

#include "core/nearest_color.h"

namespace vorlin {

namespace {

// Errors carried to the current and the next row, in sixteenths, three channels per
// pixel with one spare pixel on either side so the edges need no tests.
struct ErrorRows {
    std::vector<int> current, next;
    explicit ErrorRows(int width)
        : current(3 * (static_cast<std::size_t>(width) + 2)), next(current.size()) {}
    void Advance() {
        std::swap(current, next);
        std::fill(next.begin(), next.end(), 0);
    }
};

void DiffuseRow(const std::uint8_t* in, std::uint8_t* out, int width, const RgbQuad* palette,
                NearestColor& nearest, ErrorRows& rows) {
    for (int x = 0; x < width; ++x, in += 3) {
        const std::size_t at = 3 * (static_cast<std::size_t>(x) + 1);
        int want[3];
        for (int ch = 0; ch < 3; ++ch)
            want[ch] = std::clamp(in[2 - ch] + rows.current[at + ch] / 16, 0, 255);
        const int index = nearest.Find(want[0], want[1], want[2]);
        out[x] = static_cast<std::uint8_t>(index);
        const RgbQuad& c = palette[index];
        const int got[3] = {c.rgbRed, c.rgbGreen, c.rgbBlue};
        for (int ch = 0; ch < 3; ++ch) {
            const int e = want[ch] - got[ch];
            rows.current[at + 3 + ch] += 7 * e;
            rows.next[at - 3 + ch] += 3 * e;
            rows.next[at + ch] += 5 * e;
            rows.next[at + 3 + ch] += e;
        }
    }
}

}  // namespace

bool DiffuseToPalette(PackedDib src24, PackedDib dest8, int colors) {
    try {
        NearestColor nearest(DibColors(dest8), colors);
        ErrorRows rows(DibWidth(src24));
        for (int y = 0; y < DibHeight(src24); ++y) {
            DiffuseRow(DibRow(src24, y), DibRow(dest8, y), DibWidth(src24), DibColors(dest8),
                       nearest, rows);
            rows.Advance();
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace vorlin
