// Depth conversion: the dispatch between repacking, palette expansion, true-colour
// conversion and quantisation, and the repacking of paletted images with the
// palette moves that go with an index offset.
#include <vector>

#include "core/dib_util.h"
#include "core/true_color.h"
#include "core/quantize.h"

namespace vorlin {

namespace {

// Bits of padding at the end of a row: (-width * depth) mod 32.
std::uint64_t PaddingBits(int width, int bpp) {
    return (32 - (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bpp)) % 32) % 32;
}

bool RepackPixels(PackedDib dest, PackedDib src, std::uint32_t word) {
    const int s = DibBitCount(src);
    const int d = DibBitCount(dest);
    const int width = DibWidth(src);
    auto* out = reinterpret_cast<std::uint32_t*>(DibPixels(dest));
    const auto* in = reinterpret_cast<const std::uint32_t*>(DibPixels(src));
    // Rows whose padding scales like the pixels form one continuous bit stream.
    if (static_cast<std::uint64_t>(d) * PaddingBits(width, s) ==
        static_cast<std::uint64_t>(s) * PaddingBits(width, d)) {
        return DibUnpackBits(out, in, DibHeader(src)->biSizeImage, s, d, word) != 0;
    }
    const std::size_t srcStride = DibStride(src);
    const std::size_t destStride = DibStride(dest);
    const std::size_t scratchBits =
        srcStride * 8 / static_cast<std::size_t>(s) * static_cast<std::size_t>(d);
    std::vector<std::uint32_t> scratch;
    if (!TryResize(scratch, (scratchBits + 31) / 32)) return false;
    for (int y = 0; y < DibHeight(src); ++y) {
        DibUnpackBits(scratch.data(), reinterpret_cast<const std::uint32_t*>(DibRow(src, y)),
                      srcStride, s, d, word);
        std::memcpy(DibRow(dest, y), scratch.data(), destStride);
    }
    return true;
}

// Moves the colour table so that the offset pixels keep their colours. Copies stop
// at the end of either table.
void RepackPalette(PackedDib dest, PackedDib src, std::uint32_t offset) {
    const auto srcColors = static_cast<std::uint32_t>(DibColorCount(src));
    const auto destColors = static_cast<std::uint32_t>(DibColorCount(dest));
    const std::uint32_t f = std::min(srcColors, destColors);
    if (f == 0) return;
    const int s = DibBitCount(src);
    const int d = DibBitCount(dest);
    const bool force = (offset & kOffsetForce) != 0;
    const std::uint32_t amount = offset & kOffsetMask;
    const RgbQuad* from = DibColors(src);
    RgbQuad* to = DibColors(dest);
    if (d < s) {
        const std::uint32_t k = amount % (1u << s);
        const std::uint32_t first = force ? k : 0;
        if (first < srcColors) to[0] = from[first];
        for (std::uint32_t j = 1; j < f && k + j < srcColors; ++j) to[j] = from[k + j];
    } else {
        const std::uint32_t k = amount % (1u << d);
        const std::uint32_t first = force ? k : 0;
        if (first < destColors) to[first] = from[0];
        for (std::uint32_t j = 1; j < f && k + j < destColors; ++j) to[k + j] = from[j];
    }
}

PackedDib RepackDib(PackedDib src, int d, std::uint32_t offset) {
    DibPtr dest(DibCreate(DibWidth(src), DibHeight(src), d, nullptr, DibIsTopDown(src)));
    if (!dest) return nullptr;
    if (!RepackPixels(dest.get(), src, offset | kOffsetMsbFirst)) return nullptr;
    RepackPalette(dest.get(), src, offset);
    return dest.release();
}

PackedDib PalettedToTrueColor(PackedDib src, int d, std::uint32_t offset) {
    if (DibBitCount(src) == 8) return DibExpandPalette(src, d);
    DibPtr eight(RepackDib(src, 8, offset));
    return eight ? DibExpandPalette(eight.get(), d) : nullptr;
}

}  // namespace

PackedDib DibConvert(PackedDib dib, int newBitsPerPixel, std::uint32_t offset) {
    const int d = newBitsPerPixel;
    if (!dib || !DibIsLegalDepth(d) || !DibIsLegalDepth(DibBitCount(dib))) return nullptr;
    const int s = DibBitCount(dib);
    if (s <= 8 && d <= 8) return RepackDib(dib, d, offset);
    if (s <= 8) return PalettedToTrueColor(dib, d, offset);
    if (d <= 8) return DibQuantize(dib, d, QuantizeOptions{});
    return s == d ? DibDuplicate(dib) : DibConvertTrueColor(dib, d);
}

}  // namespace vorlin
