#include "document/index_image.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace vorlin {

namespace {

Palette256 BuildDefaultPalette() {
    Palette256 pal{};
    for (int n = 0; n < 96; ++n) {
        const auto level = static_cast<std::uint8_t>(16 * (n % 16));
        RgbQuad& q = pal[static_cast<std::size_t>(n)];
        switch (n / 16) {
            case 0:
                q.rgbRed = level;
                break;
            case 1:
                q.rgbGreen = level;
                break;
            case 2:
                q.rgbBlue = level;
                break;
            case 3:
                q.rgbGreen = q.rgbBlue = level;
                break;
            case 4:
                q.rgbRed = q.rgbBlue = level;
                break;
            default:
                q.rgbRed = q.rgbGreen = level;
                break;
        }
    }
    for (int n = 224; n < kPaletteSize; ++n) {
        const auto grey = static_cast<std::uint8_t>(8 * (n - 224));
        pal[static_cast<std::size_t>(n)] = RgbQuad{grey, grey, grey, 0};
    }
    return pal;
}

// Allocation may fail for large pictures; the image layer reports that as 0.
bool MakeSurface(int width, int height, IndexSurface& out) {
    if (!IsUsableImageSize(width, height)) return false;
    try {
        out = IndexSurface(width, height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace

const Palette256& DefaultPalette() {
    static const Palette256 table = BuildDefaultPalette();
    return table;
}

bool IsUsableImageSize(int width, int height) {
    if (width <= 0 || height <= 0 || width > kDibMaxSide || height > kDibMaxSide) return false;
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kDibMaxArea;
}

CIndexImage::CIndexImage() : surface_(1, 1), palette_(DefaultPalette()) {}

CIndexImage::~CIndexImage() = default;

int CIndexImage::Create(int width, int height, const RgbQuad* palette, const std::uint8_t* bits) {
    IndexSurface fresh;
    if (!MakeSurface(width, height, fresh)) return 0;
    if (bits) std::memcpy(fresh.bits.data(), bits, fresh.bits.size());
    surface_ = std::move(fresh);
    SetColors(0, kPaletteSize, palette);
    return 1;
}

int CIndexImage::CopyFrom(const CIndexImage* other) {
    if (!other) return 0;
    if (other == this) return 1;
    return Create(other->Width(), other->Height(), other->Palette(), other->Bits());
}

int CIndexImage::SetFromDib(PackedDib dib, const QuantizeOptions& quantize) {
    if (!dib || !dib->block) return 0;
    const int depth = DibBitCount(dib);
    // Paletted files supply their own colour count; true-colour ones were quantised to 256.
    const int supplied = depth <= 8 ? DibColorCount(dib) : kPaletteSize;
    DibPtr converted;
    if (depth != 8) {
        converted.reset(depth > 8 ? DibQuantize(dib, 8, quantize) : DibConvert(dib, 8, 0));
        if (!converted) return 0;
        dib = converted.get();
    }
    IndexSurface fresh;
    if (!MakeSurface(DibWidth(dib), DibHeight(dib), fresh)) return 0;
    const std::size_t rowBytes = std::min(fresh.stride, DibStride(dib));
    for (int y = 0; y < fresh.height; ++y)
        std::memcpy(fresh.Row(y), DibPictureRow(dib, y), rowBytes);

    const int colours = std::clamp(std::min(supplied, DibColorCount(dib)), 0, kPaletteSize);
    Palette256 pal{};
    std::copy_n(DibColors(dib), colours, pal.begin());
    surface_ = std::move(fresh);
    palette_ = pal;
    return 1;
}

PackedDib CIndexImage::ToDib(int depth, std::uint32_t option) const {
    DibPtr eight(DibCreate(Width(), Height(), 8, Bits(), 1));
    if (!eight) return nullptr;
    std::copy(palette_.begin(), palette_.end(), DibColors(eight.get()));
    if (depth == 8) return eight.release();
    return DibConvert(eight.get(), depth, option);
}

int CIndexImage::AttachSurface(IndexSurface&& surface) {
    if (surface.width <= 0 || surface.height <= 0 ||
        surface.bits.size() < surface.stride * static_cast<std::size_t>(surface.height) ||
        surface.stride < static_cast<std::size_t>(surface.width))
        return 0;
    surface_ = std::move(surface);
    return 1;
}

int CIndexImage::Resize(int width, int height, int stretch) {
    const int newWidth = width <= 0 ? Width() : width;
    const int newHeight = height <= 0 ? Height() : height;
    if (newWidth == Width() && newHeight == Height()) return 0;
    IndexSurface fresh;
    if (!MakeSurface(newWidth, newHeight, fresh)) return 0;
    if (stretch) {
        // Nearest neighbour: rows and columns are dropped or repeated, never blended.
        for (int y = 0; y < newHeight; ++y) {
            const int sy = static_cast<int>(static_cast<std::int64_t>(y) * Height() / newHeight);
            const std::uint8_t* src = surface_.Row(sy);
            std::uint8_t* dst = fresh.Row(y);
            for (int x = 0; x < newWidth; ++x)
                dst[x] = src[static_cast<std::int64_t>(x) * Width() / newWidth];
        }
    } else {
        const auto copyWidth = static_cast<std::size_t>(std::min(newWidth, Width()));
        const int copyHeight = std::min(newHeight, Height());
        for (int y = 0; y < copyHeight; ++y) std::memcpy(fresh.Row(y), surface_.Row(y), copyWidth);
    }
    surface_ = std::move(fresh);
    return 1;
}

void CIndexImage::Clear() {
    std::fill(surface_.bits.begin(), surface_.bits.end(), std::uint8_t{0});
}

int CIndexImage::GetPixel(int x, int y) const {
    return surface_.Contains(x, y) ? surface_.Row(y)[x] : 0;
}

void CIndexImage::SetColors(int start, int count, const RgbQuad* entries) {
    if (!entries) {
        palette_ = DefaultPalette();
        return;
    }
    if (start < 0 || start >= kPaletteSize || count <= 0) return;
    const int n = std::min(count, kPaletteSize - start);
    std::copy_n(entries, n, palette_.begin() + start);
}

}  // namespace vorlin
