// The document's picture: an 8-bit top-down buffer of palette indices with the
// real 256-entry palette kept beside it. Drawing writes indices directly, so
// every copy and stretch keeps indices exact.
#pragma once

#include <array>
#include <cstdint>

#include "core/index_surface.h"
#include "core/packed_dib.h"
#include "core/quantize.h"

namespace vorlin {

inline constexpr int kPaletteSize = 256;
using Palette256 = std::array<RgbQuad, kPaletteSize>;

// The palette of every new image object (colour ramps, black, a grey ramp).
const Palette256& DefaultPalette();

class CIndexImage {
  public:
    // A 1 x 1 picture of index 0 with the default palette.
    CIndexImage();
    virtual ~CIndexImage();
    CIndexImage(const CIndexImage&) = delete;
    CIndexImage& operator=(const CIndexImage&) = delete;
    CIndexImage(CIndexImage&&) noexcept = default;
    CIndexImage& operator=(CIndexImage&&) noexcept = default;

    // New width x height buffer; pixels from top-down rows padded to the stride
    // (null: index 0); all 256 entries from `palette` (null: default palette).
    // 0 when the size is unusable or memory runs out; the old content stays.
    int Create(int width, int height, const RgbQuad* palette, const std::uint8_t* bits);
    // Full copy of size, palette and pixels. 0 when `other` is null.
    int CopyFrom(const CIndexImage* other);
    // Pixels (converted to 8 bpp when needed) and colours of a packed image;
    // palette entries the block does not supply become black. True-colour
    // images are reduced to 256 colours as `quantize` says.
    int SetFromDib(PackedDib dib, const QuantizeOptions& quantize = QuantizeOptions{});
    // New top-down packed image of the picture with the real palette, at 8 bpp
    // or converted to `depth` with `option` (see DibConvert). Null on failure.
    PackedDib ToDib(int depth, std::uint32_t option) const;
    // Takes over an 8-bit buffer as the new pixels; the palette stays. 0 when empty.
    int AttachSurface(IndexSurface&& surface);
    // New size; W or H <= 0 or unchanged keep that side. Stretch scales by
    // nearest neighbour, otherwise the picture is cut or padded with index 0
    // at the top-left. 0 when nothing changes or memory runs out.
    int Resize(int width, int height, int stretch);
    void Clear();
    // Index at (x, y); 0 outside the picture.
    int GetPixel(int x, int y) const;
    // Null entries: the whole palette becomes the default one. Otherwise copies
    // min(count, 256 - start) entries to `start`.
    void SetColors(int start, int count, const RgbQuad* entries);

    int Width() const { return surface_.width; }
    int Height() const { return surface_.height; }
    int Stride() const { return static_cast<int>(surface_.stride); }
    std::uint8_t* Bits() { return surface_.bits.data(); }
    const std::uint8_t* Bits() const { return surface_.bits.data(); }
    std::uint8_t* Row(int y) { return surface_.Row(y); }
    const std::uint8_t* Row(int y) const { return surface_.Row(y); }
    IndexSurface& Surface() { return surface_; }
    const IndexSurface& Surface() const { return surface_; }
    RgbQuad* Palette() { return palette_.data(); }
    const RgbQuad* Palette() const { return palette_.data(); }
    IRect Bounds() const { return IRect{0, 0, surface_.width, surface_.height}; }

  private:
    IndexSurface surface_;
    Palette256 palette_{};
};

// Whether a picture of this size may be allocated (same limits as file readers).
bool IsUsableImageSize(int width, int height);

}  // namespace vorlin
