// Helpers for reader and writer tests: pictures with known content, memory
// round trips, decoded pixels as RGBA, and a scratch folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/packed_dib.h"
#include "formats/file_format.h"

namespace vorlin::testing {

// A top-down picture whose pixels vary with position and whose colour table
// has distinct entries (for depths up to 8).
DibPtr PatternDib(int width, int height, int bpp);
// The picture's meaningful bytes, top row first, bits beyond the width cleared.
std::vector<std::uint8_t> PictureBytes(PackedDib dib);
// The first `count` colour-table entries, fewer when the table is shorter.
std::vector<RgbQuad> ColorTable(PackedDib dib, int count = 256);
// Decoded pixels as the test-data manifest hashes them: RGBA, top row first,
// palette applied; the fourth byte of 32-bit pixels is 255 - alpha.
std::vector<std::uint8_t> ToRgba(PackedDib dib);

std::vector<std::uint8_t> EncodeWith(FileFormat& format, PackedDib dib);
// Reads `bytes` with `format`; null on failure (the reason is in format.message).
DibPtr DecodeWith(FileFormat& format, const std::vector<std::uint8_t>& bytes);

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace vorlin::testing
