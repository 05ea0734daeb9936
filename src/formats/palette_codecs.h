// Palette file layouts read and written as whole byte buffers: GIMP palettes,
// JASC-PAL (writing), Adobe colour tables, hex lists, the console's raw 15-bit
// colours and RIFF PAL (writing). Readers refuse a malformed file by throwing a
// FormatError whose text says where (line or byte offset) and what is wrong;
// they never allocate more than the 256 colours a palette can hold.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

inline constexpr int kMaxPaletteColors = 256;

struct PaletteColors {
    std::vector<RgbQuad> colors;
    // What a reader or writer changed on the way (colours cut or rounded); empty otherwise.
    std::string note;
};

PaletteColors ReadGimpPalette(std::span<const std::uint8_t> file);
std::string WriteGimpPalette(std::span<const RgbQuad> colors, std::string_view name);

std::string WriteJascPalette(std::span<const RgbQuad> colors);

PaletteColors ReadHexList(std::span<const std::uint8_t> file);
std::string WriteHexList(std::span<const RgbQuad> colors);

// 768 bytes of red-green-blue triples, optionally followed by a big-endian
// colour count and transparent index.
PaletteColors ReadActTable(std::span<const std::uint8_t> file);
std::string WriteActTable(std::span<const RgbQuad> colors);

// Two bytes per colour, little-endian, red in bits 0-4, green 5-9, blue 10-14.
PaletteColors ReadGbaColors(std::span<const std::uint8_t> file);
// Each channel rounds to the nearest 5-bit value; the note says when one changed.
PaletteColors RoundToGbaColors(std::span<const RgbQuad> colors);
std::string WriteGbaColors(std::span<const RgbQuad> colors);

std::string WriteRiffPalette(std::span<const RgbQuad> colors);

// The byte offset or line a reader's refusal names, as "line 3: " or "byte 768: ".
[[noreturn]] void FailAtLine(std::size_t line, const std::string& what);
[[noreturn]] void FailAtByte(std::uint64_t offset, const std::string& what);

}  // namespace vorlin
