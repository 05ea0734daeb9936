#include <algorithm>

#include "core/little_endian.h"
#include "formats/format_error.h"
#include "formats/palette_codecs.h"

namespace vorlin {
namespace {

constexpr std::size_t kActTableSize = 3 * kMaxPaletteColors;
constexpr std::size_t kActWithCountSize = kActTableSize + 4;
constexpr std::uint16_t kActNoTransparent = 0xFFFF;
constexpr std::uint16_t kRiffVersion = 0x0300;

std::uint8_t ToFiveBits(std::uint8_t channel) {
    return static_cast<std::uint8_t>((channel * 31 + 127) / 255);
}

// A 5-bit channel at 8 bits: the top bits repeated below, as a screen shows it.
std::uint8_t FromFiveBits(unsigned v) {
    v &= 31;
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}

RgbQuad FromGba(std::uint16_t color) {
    return RgbQuad{FromFiveBits(color >> 10), FromFiveBits(color >> 5), FromFiveBits(color), 0};
}

std::uint16_t ToGba(const RgbQuad& c) {
    return static_cast<std::uint16_t>(ToFiveBits(c.rgbRed) | (ToFiveBits(c.rgbGreen) << 5) |
                                      (ToFiveBits(c.rgbBlue) << 10));
}

void PutBe16(std::string& out, unsigned value) {
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

PaletteColors ReadActTable(std::span<const std::uint8_t> file) {
    if (file.size() != kActTableSize && file.size() != kActWithCountSize)
        FailAtByte(0, "an Adobe colour table is 768 or 772 bytes long, this file is " +
                          std::to_string(file.size()));
    std::size_t count = kMaxPaletteColors;
    if (file.size() == kActWithCountSize) {
        count = (std::size_t{file[kActTableSize]} << 8) | file[kActTableSize + 1];
        if (count == 0 || count > kMaxPaletteColors)
            FailAtByte(kActTableSize, "colour count " + std::to_string(count) + " is not 1 to 256");
    }
    PaletteColors result;
    result.colors.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        result.colors.push_back(RgbQuad{file[3 * i + 2], file[3 * i + 1], file[3 * i], 0});
    return result;
}

std::string WriteActTable(std::span<const RgbQuad> colors) {
    std::string out(kActTableSize, '\0');
    const std::size_t count = std::min<std::size_t>(colors.size(), kMaxPaletteColors);
    for (std::size_t i = 0; i < count; ++i) {
        out[3 * i] = static_cast<char>(colors[i].rgbRed);
        out[3 * i + 1] = static_cast<char>(colors[i].rgbGreen);
        out[3 * i + 2] = static_cast<char>(colors[i].rgbBlue);
    }
    // Without the count a reader would take all 256 entries, the padding included.
    if (count < kMaxPaletteColors) {
        PutBe16(out, static_cast<unsigned>(count));
        PutBe16(out, kActNoTransparent);
    }
    return out;
}

PaletteColors ReadGbaColors(std::span<const std::uint8_t> file) {
    if (file.size() % 2 != 0)
        FailAtByte(file.size() - 1, "odd length: console colours take two bytes each");
    const std::size_t held = file.size() / 2;
    PaletteColors result;
    const std::size_t count = std::min<std::size_t>(held, kMaxPaletteColors);
    result.colors.reserve(count);
    for (std::size_t i = 0; i < count; ++i) result.colors.push_back(FromGba(Le16(&file[2 * i])));
    if (held > count)
        result.note = "the file holds " + std::to_string(held) + " colours; the first " +
                      std::to_string(count) + " were read";
    return result;
}

PaletteColors RoundToGbaColors(std::span<const RgbQuad> colors) {
    PaletteColors result;
    std::size_t changed = 0;
    for (const RgbQuad& c : colors) {
        const RgbQuad rounded = FromGba(ToGba(c));
        if (!(rounded == c)) ++changed;
        result.colors.push_back(rounded);
    }
    if (changed)
        result.note = std::to_string(changed) +
                      " colours rounded to the nearest 15-bit value (5 bits per channel)";
    return result;
}

std::string WriteGbaColors(std::span<const RgbQuad> colors) {
    std::string out;
    for (const RgbQuad& c : colors) PutLe(out, ToGba(c), 2);
    return out;
}

std::string WriteRiffPalette(std::span<const RgbQuad> colors) {
    const auto count = static_cast<std::uint32_t>(colors.size());
    const std::uint32_t dataSize = 4 + 4 * count;
    std::string out = "RIFF";
    PutLe(out, 4 + 8 + dataSize, 4);
    out += "PAL data";
    PutLe(out, dataSize, 4);
    PutLe(out, kRiffVersion, 2);
    PutLe(out, count, 2);
    for (const RgbQuad& c : colors) {
        out += static_cast<char>(c.rgbRed);
        out += static_cast<char>(c.rgbGreen);
        out += static_cast<char>(c.rgbBlue);
        out += '\0';
    }
    return out;
}

}  // namespace vorlin
