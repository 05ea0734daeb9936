// Crop, tile re-layout and the two 8-bpp palette/index operations on a dib.
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "core/dib_util.h"

namespace vorlin {

namespace {

// A byte of a source row, or 0 outside the bytes that hold the copied bits: the
// copy never reads beyond the pixels it takes.
struct BitSource {
    const std::uint8_t* row;
    std::int64_t firstByte, lastByte;
    unsigned At(std::int64_t i) const { return i >= firstByte && i <= lastByte ? row[i] : 0u; }
};

// MSB-first mask of the bits [from, to) of one byte.
unsigned ByteMask(std::int64_t from, std::int64_t to) {
    return (0xFFu >> from) & (0xFFu << (8 - to)) & 0xFFu;
}

// Copies `bits` bits from source bit position srcBit to destination bit position
// destBit (most significant bit first) into a zeroed destination row.
void CopyBits(std::uint8_t* dest, std::int64_t destBit, const std::uint8_t* src,
              std::int64_t srcBit, std::int64_t bits) {
    if (bits <= 0) return;
    if (destBit % 8 == 0 && srcBit % 8 == 0 && bits % 8 == 0) {
        std::memcpy(dest + destBit / 8, src + srcBit / 8, static_cast<std::size_t>(bits / 8));
        return;
    }
    const BitSource in{src, srcBit / 8, (srcBit + bits - 1) / 8};
    const std::int64_t destEnd = destBit + bits;
    for (std::int64_t m = destBit / 8; m * 8 < destEnd; ++m) {
        // Source stream position of the first bit of destination byte m.
        const std::int64_t p = m * 8 - destBit + srcBit;
        const std::int64_t a = p >= 0 ? p / 8 : (p - 7) / 8;
        const unsigned window = (in.At(a) << 8) | in.At(a + 1);
        const unsigned value = (window << (p - a * 8)) >> 8;
        const unsigned mask =
            ByteMask(std::max(destBit, m * 8) - m * 8, std::min(destEnd, m * 8 + 8) - m * 8);
        dest[m] = static_cast<std::uint8_t>(dest[m] | (value & mask));
    }
}

struct Span {
    std::int64_t begin, end;  // end exclusive
};

}  // namespace

PackedDib DibCrop(PackedDib dib, int x1, int y1, int x2, int y2, int clip) {
    if (!dib || x1 == x2 || y1 == y2) return nullptr;
    const int width = DibWidth(dib);
    const int height = DibHeight(dib);
    Span xs{std::min<std::int64_t>(x1, x2), std::max<std::int64_t>(x1, x2)};
    Span ys{std::min<std::int64_t>(y1, y2), std::max<std::int64_t>(y1, y2)};
    if (clip) {
        xs = {std::max<std::int64_t>(xs.begin, 0), std::min<std::int64_t>(xs.end, width)};
        ys = {std::max<std::int64_t>(ys.begin, 0), std::min<std::int64_t>(ys.end, height)};
        if (xs.end <= xs.begin || ys.end <= ys.begin) return nullptr;
    }
    if (xs.end - xs.begin > kDibMaxSide || ys.end - ys.begin > kDibMaxSide) return nullptr;
    const int bpp = DibBitCount(dib);
    DibPtr out(DibCreate(static_cast<int>(xs.end - xs.begin), static_cast<int>(ys.end - ys.begin),
                         bpp, nullptr, 1));
    if (!out) return nullptr;
    DibCopyColorTable(out.get(), dib);
    // Everything outside the source stays index 0 (black in true colour).
    DibZeroPixels(out.get());
    const Span cx{std::max<std::int64_t>(xs.begin, 0), std::min<std::int64_t>(xs.end, width)};
    const Span cy{std::max<std::int64_t>(ys.begin, 0), std::min<std::int64_t>(ys.end, height)};
    if (cx.end <= cx.begin || cy.end <= cy.begin) return out.release();
    for (std::int64_t y = cy.begin; y < cy.end; ++y) {
        CopyBits(DibRow(out.get(), static_cast<int>(y - ys.begin)), (cx.begin - xs.begin) * bpp,
                 DibRow(dib, static_cast<int>(y)), cx.begin * bpp, (cx.end - cx.begin) * bpp);
    }
    return out.release();
}

PackedDib DibRetile(PackedDib dib, int newWidth, int blockHeight, int blockLimit) {
    if (!dib || newWidth <= 0 || blockHeight <= 0) return nullptr;
    const int bpp = DibBitCount(dib);
    if (static_cast<std::int64_t>(newWidth) * bpp % 8 != 0) return nullptr;
    // Bytes of picture per row in the source (S) and in the result (D).
    const std::int64_t S = static_cast<std::int64_t>(DibWidth(dib)) * bpp / 8;
    const std::int64_t D = static_cast<std::int64_t>(newWidth) * bpp / 8;
    const std::int64_t R = DibHeight(dib);
    const std::int64_t T = blockHeight;
    if (S == 0 || R < T) return nullptr;

    std::int64_t blocks = 0, across = 1, resultHeight = R;
    if (D < S) {
        across = S / D;
        const std::int64_t total = (R / T) * across;
        blocks = (blockLimit <= 0 || total < blockLimit) ? total : blockLimit;
        resultHeight = T * blocks;
    } else if (D > S) {
        blocks = (blockLimit <= 0 || R < T * blockLimit) ? R / T : blockLimit;
        across = D / S;
        resultHeight = T * ((blocks + across - 1) / across);
    }
    if (resultHeight > kDibMaxLayoutSide) return nullptr;
    DibPtr out(
        DibCreate(newWidth, static_cast<int>(resultHeight), bpp, nullptr, DibIsTopDown(dib)));
    if (!out) return nullptr;
    DibZeroPixels(out.get());
    DibCopyColorTable(out.get(), dib);

    auto src = [&](std::int64_t row) { return DibRow(dib, static_cast<int>(row)); };
    auto dst = [&](std::int64_t row) { return DibRow(out.get(), static_cast<int>(row)); };
    if (D == S) {
        for (std::int64_t r = 0; r < R; ++r)
            std::memcpy(dst(r), src(r), static_cast<std::size_t>(S));
    } else if (D < S) {
        // Bands of T rows, left to right within a band, stacked into one column. Rows of
        // 8-bpp tiles are one 8-byte word: copied inline, not by a library call each.
        for (std::int64_t i = 0; i < blocks; ++i)
            for (std::int64_t t = 0; t < T; ++t) {
                std::uint8_t* to = dst(i * T + t);
                const std::uint8_t* from = src((i / across) * T + t) + D * (i % across);
                if (D == 8)
                    std::memcpy(to, from, 8);
                else
                    std::memcpy(to, from, static_cast<std::size_t>(D));
            }
    } else {
        // The exact inverse: blocks of the column laid side by side in bands.
        for (std::int64_t i = 0; i < blocks; ++i)
            for (std::int64_t t = 0; t < T; ++t)
                std::memcpy(dst((i / across) * T + t) + S * (i % across), src(i * T + t),
                            static_cast<std::size_t>(S));
    }
    return out.release();
}

int DibMovePaletteEntries(PackedDib dib, const std::uint8_t* dest, const std::uint8_t* src,
                          int count) {
    if (!dib || DibBitCount(dib) != 8 || count < 0) return 0;
    if (count == 0) return 1;
    if (!dest || !src) return 0;
    const int colors = DibColorCount(dib);
    for (int i = 0; i < count; ++i)
        if (src[i] >= colors || dest[i] >= colors) return 0;
    // All reads before all writes, so swaps and rotations come out right.
    std::vector<RgbQuad> scratch;
    if (!TryResize(scratch, static_cast<std::size_t>(count))) return 0;
    RgbQuad* table = DibColors(dib);
    for (int i = 0; i < count; ++i) scratch[static_cast<std::size_t>(i)] = table[src[i]];
    for (int i = 0; i < count; ++i) table[dest[i]] = scratch[static_cast<std::size_t>(i)];
    return 1;
}

int DibRemapPixels(PackedDib dib, const std::uint8_t* from, const std::uint8_t* to, int count) {
    if (!dib || DibBitCount(dib) != 8 || count < 0) return 0;
    if (count > 0 && (!from || !to)) return 0;
    std::array<std::uint8_t, 256> map;
    for (int i = 0; i < 256; ++i) map[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    for (int i = 0; i < count; ++i) map[from[i]] = to[i];
    std::uint8_t* p = DibPixels(dib);
    const std::size_t size = DibHeader(dib)->biSizeImage;
    for (std::size_t i = 0; i < size; ++i) p[i] = map[p[i]];
    return 1;
}

}  // namespace vorlin
