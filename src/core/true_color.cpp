#include "core/true_color.h"

#include <array>
#include <cstring>

#include "core/dib_util.h"

namespace vorlin {

namespace {

struct Bgrx {
    std::uint8_t b, g, r, x;
};

// A 5-bit channel widened to 8 bits so that 31 becomes 255.
std::uint8_t Widen5(unsigned c) {
    return static_cast<std::uint8_t>(c * 255 / 31);
}

template <int Bpp>
Bgrx ReadPixel(const std::uint8_t* p) {
    if constexpr (Bpp == 16) {
        const unsigned w = p[0] | (p[1] << 8);
        return {Widen5(w & 31), Widen5((w >> 5) & 31), Widen5((w >> 10) & 31), 0};
    } else if constexpr (Bpp == 24) {
        return {p[0], p[1], p[2], 0};
    } else {
        return {p[0], p[1], p[2], p[3]};
    }
}

template <int Bpp>
void WritePixel(std::uint8_t* p, Bgrx c) {
    if constexpr (Bpp == 16) {
        const unsigned w = (c.b >> 3) | ((c.g >> 3) << 5) | ((c.r >> 3) << 10);
        p[0] = static_cast<std::uint8_t>(w);
        p[1] = static_cast<std::uint8_t>(w >> 8);
    } else if constexpr (Bpp == 24) {
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
    } else {
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
        p[3] = c.x;
    }
}

// Padding bytes of rows converted one by one are cleared so results are deterministic.
void ClearRowTail(std::uint8_t* row, std::size_t used, std::size_t stride) {
    if (used < stride) std::memset(row + used, 0, stride - used);
}

template <int S, int D>
void ConvertRows(PackedDib src, PackedDib dest) {
    const int width = DibWidth(src);
    const std::size_t used = static_cast<std::size_t>(width) * (D / 8);
    for (int y = 0; y < DibHeight(src); ++y) {
        const std::uint8_t* in = DibRow(src, y);
        std::uint8_t* out = DibRow(dest, y);
        for (int x = 0; x < width; ++x)
            WritePixel<D>(out + x * (D / 8), ReadPixel<S>(in + x * (S / 8)));
        ClearRowTail(out, used, DibStride(dest));
    }
}

template <int D>
void ExpandPixels(const std::uint8_t* in, std::uint8_t* out, std::size_t count,
                  const std::array<Bgrx, 256>& lut) {
    for (std::size_t i = 0; i < count; ++i) WritePixel<D>(out + i * (D / 8), lut[in[i]]);
}

template <int D>
void ExpandPalette(PackedDib src, PackedDib dest, const std::array<Bgrx, 256>& lut) {
    const std::size_t srcStride = DibStride(src);
    const std::size_t destStride = DibStride(dest);
    const int height = DibHeight(src);
    // When every padding byte of the source lines up with a padding pixel of the
    // result the whole area, padding included, goes through in one pass.
    if (D != 24 && srcStride * (D / 8) == destStride) {
        ExpandPixels<D>(DibPixels(src), DibPixels(dest),
                        srcStride * static_cast<std::size_t>(height), lut);
        return;
    }
    const auto width = static_cast<std::size_t>(DibWidth(src));
    for (int y = 0; y < height; ++y) {
        ExpandPixels<D>(DibRow(src, y), DibRow(dest, y), width, lut);
        ClearRowTail(DibRow(dest, y), width * (D / 8), destStride);
    }
}

DibPtr CreateLike(PackedDib src, int bpp) {
    return DibPtr(DibCreate(DibWidth(src), DibHeight(src), bpp, nullptr, DibIsTopDown(src)));
}

}  // namespace

PackedDib DibExpandPalette(PackedDib src8, int destBpp) {
    if (!src8 || DibBitCount(src8) != 8) return nullptr;
    if (destBpp != 16 && destBpp != 24 && destBpp != 32) return nullptr;
    DibPtr dest = CreateLike(src8, destBpp);
    if (!dest) return nullptr;
    // Indices past a shortened colour table read as black instead of past the table.
    std::array<Bgrx, 256> lut{};
    const int colors = std::min(DibColorCount(src8), 256);
    for (int i = 0; i < colors; ++i) {
        const RgbQuad q = DibColors(src8)[i];
        lut[i] = {q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved};
    }
    if (destBpp == 16) ExpandPalette<16>(src8, dest.get(), lut);
    if (destBpp == 24) ExpandPalette<24>(src8, dest.get(), lut);
    if (destBpp == 32) ExpandPalette<32>(src8, dest.get(), lut);
    return dest.release();
}

PackedDib DibConvertTrueColor(PackedDib src, int destBpp) {
    if (!src) return nullptr;
    const int s = DibBitCount(src);
    const int pair = s * 100 + destBpp;
    DibPtr dest;
    switch (pair) {
        case 1624:
        case 1632:
        case 2416:
        case 2432:
        case 3216:
        case 3224:
            dest = CreateLike(src, destBpp);
            break;
        default:
            return nullptr;
    }
    if (!dest) return nullptr;
    switch (pair) {
        case 1624:
            ConvertRows<16, 24>(src, dest.get());
            break;
        case 1632:
            ConvertRows<16, 32>(src, dest.get());
            break;
        case 2416:
            ConvertRows<24, 16>(src, dest.get());
            break;
        case 2432:
            ConvertRows<24, 32>(src, dest.get());
            break;
        case 3216:
            ConvertRows<32, 16>(src, dest.get());
            break;
        case 3224:
            ConvertRows<32, 24>(src, dest.get());
            break;
        default:
            break;
    }
    return dest.release();
}

}  // namespace vorlin
