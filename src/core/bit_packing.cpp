// Repacking pixel streams between 1, 2, 4 and 8 bits per pixel. Each call builds
// per-byte lookup tables once and then moves whole bytes, which keeps the large
// whole-image conversions fast whatever the depth pair.
#include <array>
#include <cstring>

#include "core/packed_dib.h"

namespace vorlin {

namespace {

bool IsPackingDepth(int bpp) {
    return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8;
}

// Bit position of the slot-th pixel inside a byte. In most-significant-first order
// the leftmost pixel sits in the highest bits (the dib row order).
unsigned ShiftInByte(unsigned slot, int bpp, bool msbFirst) {
    const unsigned perByte = 8u / static_cast<unsigned>(bpp);
    return (msbFirst ? perByte - 1 - slot : slot) * static_cast<unsigned>(bpp);
}

struct Repacking {
    int srcBpp;
    int destBpp;
    bool msbFirst;
    std::array<std::uint8_t, 256> valueMap;  // source pixel value -> destination value

    // Unpacking adds the offset and packing subtracts it, also between equal depths.
    Repacking(int s, int d, std::uint32_t offset, bool subtract) : srcBpp(s), destBpp(d) {
        msbFirst = (offset & kOffsetMsbFirst) != 0;
        const bool force = (offset & kOffsetForce) != 0;
        const std::uint32_t amount = offset & kOffsetMask;
        const std::uint32_t destMask = (1u << d) - 1;
        // Index 0 is the transparent colour and keeps its value unless forced. A
        // result that does not fit the destination keeps its low bits.
        for (std::uint32_t v = 0; v < (1u << s); ++v) {
            std::uint32_t out = v;
            if (v != 0 || force) out = subtract ? v - amount : v + amount;
            valueMap[v] = static_cast<std::uint8_t>(out & destMask);
        }
    }

    unsigned SourcePixel(unsigned byte, unsigned slot) const {
        return (byte >> ShiftInByte(slot, srcBpp, msbFirst)) & ((1u << srcBpp) - 1);
    }
    unsigned PixelsPerSourceByte() const { return 8u / static_cast<unsigned>(srcBpp); }
};

std::size_t OutputBytes(std::size_t srcLength, int srcBpp, int destBpp) {
    const std::size_t bits =
        srcLength * 8 / static_cast<std::size_t>(srcBpp) * static_cast<std::size_t>(destBpp);
    return (bits + 31) / 32 * 4;
}

// Going up (or equal): every source byte becomes Width whole destination bytes.
template <std::size_t Width>
void ExpandBytes(std::uint8_t* dest, const std::uint8_t* src, std::size_t length,
                 const Repacking& rp) {
    std::array<std::array<std::uint8_t, Width>, 256> table{};
    const unsigned pixels = rp.PixelsPerSourceByte();
    const unsigned destPerByte = 8u / static_cast<unsigned>(rp.destBpp);
    for (unsigned b = 0; b < 256; ++b) {
        for (unsigned q = 0; q < pixels; ++q) {
            const unsigned value = rp.valueMap[rp.SourcePixel(b, q)];
            table[b][q / destPerByte] |= static_cast<std::uint8_t>(
                value << ShiftInByte(q % destPerByte, rp.destBpp, rp.msbFirst));
        }
    }
    for (std::size_t i = 0; i < length; ++i)
        std::memcpy(dest + i * Width, table[src[i]].data(), Width);
}

// Byte-table lookups gain nothing from vector registers: GCC turns this loop into
// emulated gathers that made the 8 to 4 bpp repack about three times slower.
#if defined(__GNUC__) && !defined(__clang__)
#define VORLIN_SCALAR_LOOKUPS __attribute__((optimize("no-tree-vectorize")))
#else
#define VORLIN_SCALAR_LOOKUPS
#endif

// Going down: Group source bytes fill one destination byte.
template <std::size_t Group>
VORLIN_SCALAR_LOOKUPS void CompressBytes(std::uint8_t* dest, const std::uint8_t* src,
                                         std::size_t length, const Repacking& rp) {
    std::array<std::array<std::uint8_t, 256>, Group> table{};
    const unsigned pixels = rp.PixelsPerSourceByte();
    for (unsigned j = 0; j < Group; ++j) {
        for (unsigned b = 0; b < 256; ++b) {
            unsigned out = 0;
            for (unsigned q = 0; q < pixels; ++q)
                out |= static_cast<unsigned>(rp.valueMap[rp.SourcePixel(b, q)])
                       << ShiftInByte(j * pixels + q, rp.destBpp, rp.msbFirst);
            table[j][b] = static_cast<std::uint8_t>(out);
        }
    }
    const std::size_t whole = length / Group;
    for (std::size_t i = 0; i < whole; ++i) {
        const std::uint8_t* in = src + i * Group;
        unsigned out = 0;
        for (std::size_t j = 0; j < Group; ++j) out |= table[j][in[j]];
        dest[i] = static_cast<std::uint8_t>(out);
    }
    // A trailing partial group contributes only the pixels actually present.
    if (const std::size_t rest = length % Group) {
        unsigned out = 0;
        for (std::size_t j = 0; j < rest; ++j) out |= table[j][src[whole * Group + j]];
        dest[whole] = static_cast<std::uint8_t>(out);
    }
}

void Repack(std::uint32_t* destWords, const std::uint32_t* srcWords, std::size_t length, int s,
            int d, std::uint32_t offset, bool subtract) {
    auto* dest = reinterpret_cast<std::uint8_t*>(destWords);
    const auto* src = reinterpret_cast<const std::uint8_t*>(srcWords);
    const std::size_t total = OutputBytes(length, s, d);
    std::memset(dest, 0, total);
    const Repacking rp(s, d, offset, subtract);
    switch (d / s) {  // destination bytes per source byte, when going up
        case 1:
            return ExpandBytes<1>(dest, src, length, rp);
        case 2:
            return ExpandBytes<2>(dest, src, length, rp);
        case 4:
            return ExpandBytes<4>(dest, src, length, rp);
        case 8:
            return ExpandBytes<8>(dest, src, length, rp);
        default:
            break;
    }
    switch (s / d) {  // source bytes per destination byte, when going down
        case 2:
            return CompressBytes<2>(dest, src, length, rp);
        case 4:
            return CompressBytes<4>(dest, src, length, rp);
        case 8:
            return CompressBytes<8>(dest, src, length, rp);
        default:
            break;
    }
}

}  // namespace

int DibUnpackBits(std::uint32_t* dest, const std::uint32_t* src, std::size_t srcLength, int srcBpp,
                  int destBpp, std::uint32_t offset) {
    if (!IsPackingDepth(srcBpp) || !IsPackingDepth(destBpp) || !dest || !src) return 0;
    if (destBpp < srcBpp) return DibPackBits(dest, src, srcLength, srcBpp, destBpp, offset);
    Repack(dest, src, srcLength, srcBpp, destBpp, offset, false);
    return 1;
}

int DibPackBits(std::uint32_t* dest, const std::uint32_t* src, std::size_t srcLength, int srcBpp,
                int destBpp, std::uint32_t offset) {
    if (!IsPackingDepth(srcBpp) || !IsPackingDepth(destBpp) || !dest || !src) return 0;
    if (srcBpp < destBpp) return DibUnpackBits(dest, src, srcLength, srcBpp, destBpp, offset);
    Repack(dest, src, srcLength, srcBpp, destBpp, offset, true);
    return 1;
}

}  // namespace vorlin
