#include "document/picture_fingerprint.h"

#include "document/index_image.h"

namespace vorlin {

namespace {

// FNV-1a, 64 bits.
class Digest {
  public:
    void Add(const std::uint8_t* bytes, int count) {
        for (int i = 0; i < count; ++i) value_ = (value_ ^ bytes[i]) * 0x100000001b3ull;
    }
    void Add(int v) {
        const auto u = static_cast<std::uint32_t>(v);
        const std::uint8_t bytes[4] = {
            static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
            static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
        Add(bytes, 4);
    }
    std::uint64_t Value() const { return value_; }

  private:
    std::uint64_t value_ = 0xcbf29ce484222325ull;
};

}  // namespace

std::uint64_t PictureFingerprint(const CIndexImage& image) {
    Digest d;
    d.Add(image.Width());
    d.Add(image.Height());
    // Row padding and the entries' reserved bytes are not saved, so they do not count.
    for (int y = 0; y < image.Height(); ++y) d.Add(image.Row(y), image.Width());
    for (int i = 0; i < kPaletteSize; ++i) {
        const RgbQuad& c = image.Palette()[i];
        const std::uint8_t rgb[3] = {c.rgbRed, c.rgbGreen, c.rgbBlue};
        d.Add(rgb, 3);
    }
    return d.Value();
}

}  // namespace vorlin
