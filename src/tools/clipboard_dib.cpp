#include "tools/clipboard_dib.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/little_endian.h"
#include "tools/palette_matcher.h"

namespace vorlin {
namespace {

constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMaskBytes = 12;
constexpr std::size_t kFileHeaderSize = 14;

// One colour channel of a direct-colour pixel, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        max = mask >> shift;
    }
    std::uint8_t Of(std::uint32_t pixel) const {
        if (max == 0) return 0;
        const std::uint64_t value = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>(value * 255 / max);
    }
};

// Everything needed to read the pixels, validated against the block size.
struct DibLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    const std::uint8_t* colours = nullptr;
    std::size_t colourCount = 0;
    Channel red, green, blue;
    const std::uint8_t* pixels = nullptr;
    std::size_t stride = 0;

    const std::uint8_t* PictureRow(int y) const {
        const int stored = topDown ? y : height - 1 - y;
        return pixels + stride * static_cast<std::size_t>(stored);
    }
};

bool DepthMatchesCompression(int bitCount, std::uint32_t compression) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            return compression == kCompressionRgb;
        case 16:
        case 32:
            return compression == kCompressionRgb || compression == kCompressionBitFields;
        default:
            return false;
    }
}

bool ReadGeometry(const BitmapInfoHeader& h, DibLayout& out) {
    if (h.biWidth <= 0 || h.biWidth > kDibMaxSide) return false;
    const std::int64_t signedHeight = h.biHeight;
    const std::int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (height == 0 || height > kDibMaxSide) return false;
    if (static_cast<std::uint64_t>(h.biWidth) * static_cast<std::uint64_t>(height) > kDibMaxArea)
        return false;
    if (!DepthMatchesCompression(h.biBitCount, h.biCompression)) return false;
    out.width = h.biWidth;
    out.height = static_cast<int>(height);
    out.topDown = signedHeight < 0;
    out.bitCount = h.biBitCount;
    return true;
}

// Masks sit right after the first 40 header bytes, inside larger headers or after a plain one.
bool ReadMasks(const BitmapInfoHeader& h, const std::uint8_t* data, std::size_t size,
               std::size_t& offset, DibLayout& out) {
    if (h.biCompression == kCompressionBitFields) {
        if (size < kInfoHeaderSize + kMaskBytes) return false;
        out.red = Channel(Le32(data + 40));
        out.green = Channel(Le32(data + 44));
        out.blue = Channel(Le32(data + 48));
        offset = std::max(offset, kInfoHeaderSize + kMaskBytes);
    } else if (h.biBitCount == 16) {
        out.red = Channel(0x7C00);
        out.green = Channel(0x03E0);
        out.blue = Channel(0x001F);
    } else {
        out.red = Channel(0xFF0000);
        out.green = Channel(0x00FF00);
        out.blue = Channel(0x0000FF);
    }
    return true;
}

bool ParseLayout(const std::uint8_t* data, std::size_t size, DibLayout& out) {
    if (data == nullptr || size < kInfoHeaderSize) return false;
    BitmapInfoHeader h;
    std::memcpy(&h, data, sizeof h);
    if (h.biSize < kInfoHeaderSize || h.biSize > size) return false;
    if (!ReadGeometry(h, out)) return false;
    std::size_t offset = h.biSize;
    if (!ReadMasks(h, data, size, offset, out)) return false;

    const std::uint64_t colourCount =
        h.biClrUsed != 0 ? h.biClrUsed : (h.biBitCount <= 8 ? (1u << h.biBitCount) : 0);
    const std::uint64_t tableBytes = colourCount * 4;
    if (tableBytes > size - offset) return false;
    out.colours = data + offset;
    out.colourCount = static_cast<std::size_t>(colourCount);
    offset += static_cast<std::size_t>(tableBytes);

    out.stride = DibStrideFor(out.width, out.bitCount);
    const std::uint64_t needed = static_cast<std::uint64_t>(out.stride) * out.height;
    const std::uint64_t declared = h.biSizeImage != 0 ? h.biSizeImage : needed;
    if (declared < needed || declared > size - offset) return false;
    out.pixels = data + offset;
    return true;
}

// Palette index for each colour-table entry a pixel of this depth can name.
std::vector<std::uint8_t> MapColourTable(const DibLayout& dib, PaletteMatcher& matcher,
                                         ClipIndices indices) {
    const std::size_t reachable = std::size_t{1} << dib.bitCount;
    if (indices == ClipIndices::Keep) {
        std::vector<std::uint8_t> identity(reachable);
        for (std::size_t i = 0; i < reachable; ++i) identity[i] = static_cast<std::uint8_t>(i);
        return identity;
    }
    std::vector<std::uint8_t> map(reachable, matcher.Nearest(0, 0, 0));
    const std::size_t present = std::min(reachable, dib.colourCount);
    for (std::size_t i = 0; i < present; ++i) {
        const std::uint8_t* entry = dib.colours + 4 * i;
        map[i] = matcher.Nearest(entry[2], entry[1], entry[0]);
    }
    return map;
}

void ConvertIndexed(const DibLayout& dib, PaletteMatcher& matcher, ClipIndices indices,
                    IndexSurface& out) {
    const std::vector<std::uint8_t> map = MapColourTable(dib, matcher, indices);
    const int perByte = 8 / dib.bitCount;
    const unsigned valueMask = (1u << dib.bitCount) - 1;
    for (int y = 0; y < dib.height; ++y) {
        const std::uint8_t* src = dib.PictureRow(y);
        std::uint8_t* dst = out.Row(y);
        for (int x = 0; x < dib.width; ++x) {
            const int shift = 8 - dib.bitCount * (x % perByte + 1);
            dst[x] = map[(src[x / perByte] >> shift) & valueMask];
        }
    }
}

std::uint32_t DirectPixel(const std::uint8_t* row, int x, int bitCount) {
    switch (bitCount) {
        case 16:
            return Le16(row + 2 * x);
        case 24:
            return Le24(row + 3 * x);
        default:
            return Le32(row + 4 * x);
    }
}

void ConvertDirect(const DibLayout& dib, PaletteMatcher& matcher, IndexSurface& out) {
    for (int y = 0; y < dib.height; ++y) {
        const std::uint8_t* src = dib.PictureRow(y);
        std::uint8_t* dst = out.Row(y);
        for (int x = 0; x < dib.width; ++x) {
            const std::uint32_t pixel = DirectPixel(src, x, dib.bitCount);
            dst[x] = matcher.Nearest(dib.red.Of(pixel), dib.green.Of(pixel), dib.blue.Of(pixel));
        }
    }
}

// Some clipboards offer a whole bitmap file; its 14-byte file header is not needed.
bool ParseBlock(const std::uint8_t* data, std::size_t size, DibLayout& dib) {
    if (data != nullptr && size >= kFileHeaderSize && data[0] == 'B' && data[1] == 'M') {
        data += kFileHeaderSize;
        size -= kFileHeaderSize;
    }
    return ParseLayout(data, size, dib);
}

}  // namespace

std::vector<RgbQuad> ClipboardColourTable(const std::uint8_t* data, std::size_t size) {
    DibLayout dib;
    if (!ParseBlock(data, size, dib) || dib.bitCount > 8) return {};
    std::vector<RgbQuad> table(std::min<std::size_t>(dib.colourCount, 256));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint8_t* entry = dib.colours + 4 * i;
        table[i] = RgbQuad{entry[0], entry[1], entry[2], 0};
    }
    return table;
}

std::vector<std::uint8_t> PackClipboardDib(const IndexSurface& content, const RgbQuad* palette256) {
    const std::size_t stride = DibStrideFor(content.width, 8);
    const std::size_t imageSize = stride * static_cast<std::size_t>(content.height);
    std::vector<std::uint8_t> block(kClipboardDibPrefix + imageSize, 0);
    BitmapInfoHeader header{};
    header.biSize = kInfoHeaderSize;
    header.biWidth = content.width;
    header.biHeight = content.height;  // positive: bottom-up rows
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = kCompressionRgb;
    header.biSizeImage = static_cast<std::uint32_t>(imageSize);
    header.biClrUsed = 256;
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + kInfoHeaderSize, palette256, 256 * sizeof(RgbQuad));
    std::uint8_t* rows = block.data() + kClipboardDibPrefix;
    for (int y = 0; y < content.height; ++y) {
        const std::size_t stored = static_cast<std::size_t>(content.height - 1 - y);
        std::memcpy(rows + stride * stored, content.Row(y),
                    static_cast<std::size_t>(content.width));
    }
    return block;
}

std::unique_ptr<IndexSurface> UnpackClipboardDib(const std::uint8_t* data, std::size_t size,
                                                 const RgbQuad* palette256, ClipIndices indices) {
    DibLayout dib;
    if (palette256 == nullptr || !ParseBlock(data, size, dib)) return nullptr;
    try {
        auto out = std::make_unique<IndexSurface>(dib.width, dib.height);
        PaletteMatcher matcher(palette256);
        if (dib.bitCount <= 8)
            ConvertIndexed(dib, matcher, indices, *out);
        else
            ConvertDirect(dib, matcher, *out);
        return out;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace vorlin
