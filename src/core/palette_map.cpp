#include "core/palette_map.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_map>

#include "core/error_diffusion.h"
#include "core/nearest_color.h"

namespace vorlin {
namespace {

constexpr int kTableSize = 256;

std::uint32_t Key(const RgbQuad& c) {
    return c.rgbBlue | (c.rgbGreen << 8) | (c.rgbRed << 16);
}

// For each source colour-table entry: the palette entry with exactly its colour
// (the same index when that one has it), or -1.
void ExactIndices(PackedDib src8, const std::unordered_map<std::uint32_t, int>& firstOf,
                  const RgbQuad* palette, int count, int (&exact)[kTableSize]) {
    std::fill(std::begin(exact), std::end(exact), -1);
    const RgbQuad* table = DibColors(src8);
    for (int i = 0; i < std::min(DibColorCount(src8), kTableSize); ++i) {
        if (i < count && Key(palette[i]) == Key(table[i])) {
            exact[i] = i;
        } else if (const auto found = firstOf.find(Key(table[i])); found != firstOf.end()) {
            exact[i] = found->second;
        }
    }
}

void MapNearest(PackedDib rgb, PackedDib dest, NearestColor& nearest) {
    for (int y = 0; y < DibHeight(rgb); ++y) {
        const std::uint8_t* in = DibPictureRow(rgb, y);
        std::uint8_t* out = DibPictureRow(dest, y);
        for (int x = 0; x < DibWidth(rgb); ++x, in += 3)
            out[x] = static_cast<std::uint8_t>(nearest.Find(in[2], in[1], in[0]));
    }
}

// Puts back every pixel whose colour the palette holds exactly (diffusion may have moved it).
void KeepExactColours(PackedDib src, PackedDib rgb, PackedDib dest,
                      const std::unordered_map<std::uint32_t, int>& firstOf, const RgbQuad* palette,
                      int count) {
    // A paletted source's indices as 8 bpp: one of 8 bpp is read as it is.
    DibPtr repacked;
    PackedDib src8 = DibBitCount(src) == 8 ? src : nullptr;
    int exact[kTableSize];
    if (DibBitCount(src) < 8) {
        repacked.reset(DibConvert(src, 8, 0));
        if (!repacked) throw std::bad_alloc();
        src8 = repacked.get();
    }
    if (src8) ExactIndices(src8, firstOf, palette, count, exact);
    for (int y = 0; y < DibHeight(rgb); ++y) {
        const std::uint8_t* in = DibPictureRow(rgb, y);
        const std::uint8_t* indices = src8 ? DibPictureRow(src8, y) : nullptr;
        std::uint8_t* out = DibPictureRow(dest, y);
        for (int x = 0; x < DibWidth(rgb); ++x, in += 3) {
            int index = -1;
            if (indices) {
                index = exact[indices[x]];
            } else if (const auto found = firstOf.find(Key({in[0], in[1], in[2], 0}));
                       found != firstOf.end()) {
                index = found->second;
            }
            if (index >= 0) out[x] = static_cast<std::uint8_t>(index);
        }
    }
}

}  // namespace

PackedDib DibMapToPalette(PackedDib src, const RgbQuad* palette, int count, bool dither) {
    if (!src || !palette || count < 1 || count > kTableSize) return nullptr;
    try {
        // The source as 24 bpp, which every depth can become.
        const DibPtr rgb(DibConvert(src, 24, 0));
        if (!rgb) return nullptr;
        DibPtr dest(DibCreate(DibWidth(rgb.get()), DibHeight(rgb.get()), 8, nullptr,
                              DibIsTopDown(rgb.get()) ? 1 : 0));
        if (!dest) return nullptr;
        std::memset(DibColors(dest.get()), 0, sizeof(RgbQuad) * kTableSize);
        std::copy_n(palette, count, DibColors(dest.get()));
        std::unordered_map<std::uint32_t, int> firstOf;
        for (int i = count - 1; i >= 0; --i) firstOf[Key(palette[i])] = i;
        if (dither) {
            if (!DiffuseToPalette(rgb.get(), dest.get(), count)) return nullptr;
        } else {
            NearestColor nearest(palette, count);
            MapNearest(rgb.get(), dest.get(), nearest);
        }
        // Without diffusion a true-colour pixel already found its exact colour (distance 0).
        if (dither || DibBitCount(src) <= 8)
            KeepExactColours(src, rgb.get(), dest.get(), firstOf, palette, count);
        return dest.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace vorlin
