#include "core/packed_dib.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace vorlin {

bool DibIsLegalDepth(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

namespace {

PackedDib AllocateCell(std::size_t blockSize) {
    auto* cell = static_cast<DibCell*>(std::malloc(sizeof(DibCell)));
    if (!cell) return nullptr;
    cell->block = static_cast<std::uint8_t*>(std::malloc(blockSize));
    if (!cell->block) {
        std::free(cell);
        return nullptr;
    }
    return cell;
}

}  // namespace

PackedDib DibCreate(int width, int height, int bitsPerPixel, const void* srcPixels, int topDown) {
    if (!DibIsLegalDepth(bitsPerPixel)) return nullptr;
    // Sizes may come from untrusted files: reject anything that would overflow or is absurd.
    // Readers hold pictures to kDibMaxSide themselves; the total area is the real bound here.
    if (width < 0 || height < 0 || width > kDibMaxLayoutSide || height > kDibMaxLayoutSide)
        return nullptr;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kDibMaxArea)
        return nullptr;
    const std::size_t stride = DibStrideFor(width, bitsPerPixel);
    const std::uint64_t pixelBytes =
        static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(height);
    if (pixelBytes > kDibMaxPixelBytes) return nullptr;

    const std::uint32_t colors = bitsPerPixel <= 8 ? (1u << bitsPerPixel) : 0u;
    PackedDib dib = AllocateCell(40 + 4 * static_cast<std::size_t>(colors) + pixelBytes);
    if (!dib) return nullptr;

    BitmapInfoHeader* h = DibHeader(dib);
    h->biSize = 40;
    h->biWidth = width;
    h->biHeight = topDown ? -height : height;
    h->biPlanes = 1;
    h->biBitCount = static_cast<std::uint16_t>(bitsPerPixel);
    h->biCompression = 0;
    h->biSizeImage = static_cast<std::uint32_t>(pixelBytes);
    h->biXPelsPerMeter = 0;
    h->biYPelsPerMeter = 0;
    h->biClrUsed = colors;
    h->biClrImportant = 0;

    RgbQuad* table = DibColors(dib);
    for (std::uint32_t j = 0; j < colors; ++j)
        table[j] = RgbQuad{0, 0, static_cast<std::uint8_t>(j), 0};

    if (srcPixels) {
        const auto* src = static_cast<const std::uint8_t*>(srcPixels);
        if (topDown) {
            std::memcpy(DibPixels(dib), src, pixelBytes);
        } else {
            for (int y = 0; y < height; ++y)
                std::memcpy(DibRow(dib, height - 1 - y), src + stride * static_cast<std::size_t>(y),
                            stride);
        }
    }
    return dib;
}

void DibFree(PackedDib dib) {
    if (!dib) return;
    std::free(dib->block);
    dib->block = nullptr;
    std::free(dib);
}

PackedDib DibDuplicate(PackedDib dib) {
    if (!dib) return nullptr;
    const std::size_t size = DibBlockSize(dib);
    PackedDib copy = AllocateCell(size);
    if (!copy) return nullptr;
    std::memcpy(copy->block, dib->block, size);
    return copy;
}

int DibFlipRows(PackedDib dib) {
    if (!dib) return 0;
    const std::size_t stride = DibStride(dib);
    std::vector<std::uint8_t> scratch;
    try {
        scratch.resize(stride);
    } catch (...) {
        return 0;
    }
    const int height = DibHeight(dib);
    for (int i = 0; i < height / 2; ++i) {
        std::uint8_t* a = DibRow(dib, i);
        std::uint8_t* b = DibRow(dib, height - 1 - i);
        std::memcpy(scratch.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, scratch.data(), stride);
    }
    return 1;
}

}  // namespace vorlin
