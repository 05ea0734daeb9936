#include "core/palette_refine.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "core/nearest_color.h"
#include "core/squared.h"

namespace vorlin {

namespace {

struct ColorSum {
    std::uint64_t r = 0, g = 0, b = 0, n = 0;
};

using Palette = std::array<RgbQuad, 256>;

// One mapping of the source onto a palette: indices in storage row order, the sums
// of the pixels each entry took, and the total squared error.
struct Mapping {
    std::vector<std::uint8_t> index;
    std::array<ColorSum, 256> sums{};
    std::uint64_t error = 0;
};

int Distance(const RgbQuad& c, int r, int g, int b) {
    return Squared(r - c.rgbRed) + Squared(g - c.rgbGreen) + Squared(b - c.rgbBlue);
}

// Maps every `rowStep`-th row of the source; the indices are written only when the
// mapping has room for the whole picture.
void MapToNearest(PackedDib src24, const Palette& palette, int colors, int rowStep, Mapping& m) {
    NearestColor nearest(palette.data(), colors);
    m.sums = {};
    m.error = 0;
    const int width = DibWidth(src24);
    const bool keep = m.index.size() == static_cast<std::size_t>(width) * DibHeight(src24);
    for (int y = 0; y < DibHeight(src24); y += rowStep) {
        const std::uint8_t* p = DibRow(src24, y);
        std::uint8_t* out = keep ? m.index.data() + static_cast<std::size_t>(y) * width : nullptr;
        // Neighbouring pixels often repeat; the last answer is reused for them.
        int lastKey = -1;
        NearestColor::Hit last{0, 0};
        for (int x = 0; x < width; ++x, p += 3) {
            const int b = p[0], g = p[1], r = p[2];
            const int key = (r << 16) | (g << 8) | b;
            if (key != lastKey) {
                last = nearest.FindWithDistance(r, g, b);
                lastKey = key;
            }
            if (out) out[x] = static_cast<std::uint8_t>(last.index);
            ColorSum& s = m.sums[static_cast<std::size_t>(last.index)];
            s.r += static_cast<unsigned>(r);
            s.g += static_cast<unsigned>(g);
            s.b += static_cast<unsigned>(b);
            ++s.n;
            m.error += static_cast<unsigned>(last.distance);
        }
    }
}

std::uint8_t RoundedMean(std::uint64_t sum, std::uint64_t n) {
    return static_cast<std::uint8_t>((sum + n / 2) / n);
}

// Entries nobody took keep their colour.
Palette Means(const Mapping& m, const Palette& palette, int colors) {
    Palette next = palette;
    for (int i = 0; i < colors; ++i) {
        const ColorSum& s = m.sums[static_cast<std::size_t>(i)];
        if (s.n == 0) continue;
        next[static_cast<std::size_t>(i)] = {RoundedMean(s.b, s.n), RoundedMean(s.g, s.n),
                                             RoundedMean(s.r, s.n), 0};
    }
    return next;
}

bool SameColors(const Palette& a, const Palette& b, int colors) {
    return std::equal(a.begin(), a.begin() + colors, b.begin(), [](const RgbQuad& x, const RgbQuad& y) {
        return x.rgbRed == y.rgbRed && x.rgbGreen == y.rgbGreen && x.rgbBlue == y.rgbBlue;
    });
}

// Passes that win less than this share of the error are not worth another pass.
constexpr std::uint64_t kWorthwhileShare = 2000;
// The k-means passes look at every fourth row of pictures at least this tall; only
// the final mapping sees every pixel.
constexpr int kSampledRowStep = 4;
constexpr int kSampledMinHeight = 64;

// Moves the palette towards the means of the pixels it takes, starting from the
// sums of a mapping onto it, while the error of the mapped rows falls.
Palette MovedPalette(PackedDib src24, Palette palette, int colors, int maxPasses, int rowStep,
                     Mapping& m) {
    std::uint64_t error = m.error;
    for (int pass = 0; pass < maxPasses; ++pass) {
        const Palette next = Means(m, palette, colors);
        if (SameColors(next, palette, colors)) break;
        MapToNearest(src24, next, colors, rowStep, m);
        if (m.error >= error) break;
        const bool worthAnother = error - m.error > error / kWorthwhileShare;
        palette = next;
        error = m.error;
        if (!worthAnother) break;
    }
    return palette;
}

}  // namespace

bool RefinePalette(PackedDib src24, PackedDib dest8, int colors, int maxPasses) {
    colors = std::clamp(colors, 1, 256);
    const std::size_t pixels =
        static_cast<std::size_t>(DibWidth(src24)) * static_cast<std::size_t>(DibHeight(src24));
    Palette palette{};
    std::copy_n(DibColors(dest8), std::min(colors, DibColorCount(dest8)), palette.begin());
    const int rowStep = DibHeight(src24) >= kSampledMinHeight ? kSampledRowStep : 1;
    try {
        Mapping sample, final;
        MapToNearest(src24, palette, colors, rowStep, sample);
        const Palette moved = MovedPalette(src24, palette, colors, maxPasses, rowStep, sample);
        final.index.resize(pixels);
        MapToNearest(src24, moved, colors, 1, final);
        // The picture as it came stays when the moved palette does not beat it.
        if (final.error >= QuantizeError(src24, dest8)) return true;
        const std::uint8_t* in = final.index.data();
        for (int y = 0; y < DibHeight(dest8); ++y, in += DibWidth(dest8))
            std::copy_n(in, DibWidth(dest8), DibRow(dest8, y));
        std::copy_n(moved.begin(), colors, DibColors(dest8));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::uint64_t QuantizeError(PackedDib src24, PackedDib dest8) {
    std::uint64_t error = 0;
    const RgbQuad* colors = DibColors(dest8);
    for (int y = 0; y < DibHeight(src24); ++y) {
        const std::uint8_t* p = DibPictureRow(src24, y);
        const std::uint8_t* index = DibPictureRow(dest8, y);
        for (int x = 0; x < DibWidth(src24); ++x, p += 3)
            error += static_cast<unsigned>(Distance(colors[index[x]], p[2], p[1], p[0]));
    }
    return error;
}

}  // namespace vorlin
