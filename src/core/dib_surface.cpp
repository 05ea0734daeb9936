// Exchange between a dib and the raster layer's index surface.
#include <algorithm>
#include <cstring>
#include <new>

#include "core/dib_util.h"
#include "core/index_surface.h"

namespace vorlin {

std::unique_ptr<IndexSurface> DibToBitmap(PackedDib dib) {
    if (!dib || DibBitCount(dib) != 8) return nullptr;
    try {
        auto surface = std::make_unique<IndexSurface>(DibWidth(dib), DibHeight(dib));
        const std::size_t stride = DibStride(dib);
        if (!DibIsTopDown(dib)) {
            for (int y = 0; y < surface->height; ++y)
                std::memcpy(surface->Row(y), DibPictureRow(dib, y), stride);
        } else if (!surface->bits.empty()) {
            std::memcpy(surface->bits.data(), DibPixels(dib), surface->bits.size());
        }
        return surface;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PackedDib DibFromBitmap(const IndexSurface& surface, const RgbQuad* palette) {
    const int width = surface.width;
    const int height = surface.height;
    // A surface whose buffer cannot hold its rows is not trusted.
    if (width < 0 || height < 0 || surface.stride < static_cast<std::size_t>(width) ||
        surface.bits.size() / std::max<std::size_t>(surface.stride, 1) <
            static_cast<std::size_t>(height))
        return nullptr;
    DibPtr dib(DibCreate(width, height, 8, nullptr, 1));
    if (!dib) return nullptr;
    const std::size_t stride = DibStride(dib.get());
    const std::size_t copied = std::min(stride, surface.stride);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = DibRow(dib.get(), y);
        std::memcpy(row, surface.Row(y), copied);
        std::memset(row + copied, 0, stride - copied);
    }
    if (palette) std::memcpy(DibColors(dib.get()), palette, 256 * sizeof(RgbQuad));
    return dib.release();
}

}  // namespace vorlin
