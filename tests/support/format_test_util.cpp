#include "support/format_test_util.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "formats/byte_sink.h"
#include "formats/byte_source.h"

namespace vorlin::testing {

DibPtr PatternDib(int width, int height, int bpp) {
    DibPtr dib(DibCreate(width, height, bpp, nullptr, 1));
    for (int i = 0; i < DibColorCount(dib.get()); ++i)
        DibColors(dib.get())[i] =
            RgbQuad{static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
                    static_cast<std::uint8_t>(i * 3 + 1), 0};
    const std::size_t stride = DibStride(dib.get());
    for (int y = 0; y < height; ++y)
        for (std::size_t b = 0; b < stride; ++b)
            DibRow(dib.get(), y)[b] = static_cast<std::uint8_t>(b * 37 + y * 11 + (b * y) % 5);
    if (bpp == 16)  // plain 5-5-5 words keep bit 15 clear
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) DibRow(dib.get(), y)[2 * x + 1] &= 0x7F;
    return dib;
}

std::vector<std::uint8_t> PictureBytes(PackedDib dib) {
    const int bpp = DibBitCount(dib);
    const std::size_t width = static_cast<std::size_t>(DibWidth(dib));
    const std::size_t rowBytes = (width * bpp + 7) / 8;
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < DibHeight(dib); ++y) {
        const std::uint8_t* row = DibPictureRow(dib, y);
        bytes.insert(bytes.end(), row, row + rowBytes);
        const int spare = static_cast<int>(rowBytes * 8 - width * bpp);
        if (spare) bytes.back() &= static_cast<std::uint8_t>(0xFF << spare);
    }
    return bytes;
}

std::vector<RgbQuad> ColorTable(PackedDib dib, int count) {
    const RgbQuad* colors = DibColors(dib);
    return {colors, colors + std::min(count, DibColorCount(dib))};
}

std::vector<std::uint8_t> ToRgba(PackedDib dib) {
    const int bpp = DibBitCount(dib);
    const int width = DibWidth(dib);
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(width) * DibHeight(dib) * 4);
    auto push = [&](int r, int g, int b, int a) {
        rgba.insert(rgba.end(), {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                 static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(a)});
    };
    for (int y = 0; y < DibHeight(dib); ++y) {
        const std::uint8_t* row = DibPictureRow(dib, y);
        for (int x = 0; x < width; ++x) {
            if (bpp <= 8) {
                const int perByte = 8 / bpp;
                const int index =
                    (row[x / perByte] >> (8 - bpp * (x % perByte + 1))) & ((1 << bpp) - 1);
                const RgbQuad c =
                    index < DibColorCount(dib) ? DibColors(dib)[index] : RgbQuad{0, 0, 0, 0};
                push(c.rgbRed, c.rgbGreen, c.rgbBlue, 255);
            } else if (bpp == 16) {
                const int w = row[2 * x] | (row[2 * x + 1] << 8);
                push(((w >> 10) & 31) * 255 / 31, ((w >> 5) & 31) * 255 / 31, (w & 31) * 255 / 31,
                     255);
            } else {
                const std::uint8_t* p = row + x * (bpp / 8);
                push(p[2], p[1], p[0], bpp == 32 ? 255 - p[3] : 255);
            }
        }
    }
    return rgba;
}

std::vector<std::uint8_t> EncodeWith(FileFormat& format, PackedDib dib) {
    format.AttachImage(DibPtr(DibDuplicate(dib)));
    MemorySink sink;
    const int ok = format.WriteTo(sink);
    format.DetachImage();
    return ok ? sink.Bytes() : std::vector<std::uint8_t>{};
}

DibPtr DecodeWith(FileFormat& format, const std::vector<std::uint8_t>& bytes) {
    MemorySource source(bytes.data(), bytes.size());
    if (!format.ReadFrom(source, "memory")) return nullptr;
    return format.DetachImage();
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vorlin::testing
