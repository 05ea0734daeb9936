// The bitmap exchanged with the system clipboard: a packed device-independent bitmap.
// Copy offers an 8-bit, 256-colour, bottom-up block with the document's palette; Paste
// accepts any such block (1, 4, 8, 16, 24 or 32 bits, bit fields, either row order) and
// treats it as untrusted: every header field is checked against the bytes present.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/index_surface.h"
#include "core/packed_dib.h"

namespace vorlin {

// Size of the header plus the 256-entry colour table in front of the copied rows.
inline constexpr std::size_t kClipboardDibPrefix = 40 + 256 * 4;

// 1064 + stride * height bytes: header, palette256 as stored, rows bottom-up.
std::vector<std::uint8_t> PackClipboardDib(const IndexSurface& content, const RgbQuad* palette256);

// What the pixels of a bitmap with a colour table become.
enum class ClipIndices { Nearest, Keep };

// The clipboard bitmap (or a bitmap file) as an index image: each pixel becomes the nearest
// palette entry, or with Keep a paletted bitmap's pixels keep their indices. Null when the
// block cannot be read as a bitmap.
std::unique_ptr<IndexSurface> UnpackClipboardDib(const std::uint8_t* data, std::size_t size,
                                                 const RgbQuad* palette256,
                                                 ClipIndices indices = ClipIndices::Nearest);
// The colour table of a paletted clipboard bitmap, at most 256 entries (reserved bytes 0);
// empty for direct colour or a block that cannot be read.
std::vector<RgbQuad> ClipboardColourTable(const std::uint8_t* data, std::size_t size);

}  // namespace vorlin
