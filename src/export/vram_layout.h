// Where a tiled export lands in the console's background video memory: the
// sizes of its blocks and how the background reads tiles.
#pragma once

#include <cstddef>
#include <cstdint>

#include "export/export_job.h"

namespace vorlin {

inline constexpr std::uint32_t kCharBlockBytes = 16 * 1024;
inline constexpr std::uint32_t kScreenBlockBytes = 2 * 1024;
inline constexpr std::uint32_t kBgVramBytes = 64 * 1024;
inline constexpr int kCharBlockCount = 4;
inline constexpr int kScreenBlockCount = 32;
inline constexpr int kPaletteEntries = 256;

// The character block the tiles start in and the screen block the map starts
// in, as the game would set them in the background's control register.
struct VramPlacement {
    int charBlock = 0;
    int screenBlock = 28;
};

// How the background reads the tiles of a tiled job.
struct TileReading {
    bool affine = false;
    int bpp = 4;         // 4 or 8: affine backgrounds always read 8
    int slotBytes = 32;  // bytes of one tile as the background reads it
    int slotCount = 1024;  // tile indices a map entry can name
};

TileReading TileReadingOf(const ExportJob& job);

// Byte offset from the character block at which the game puts the graphics so
// that map index (n + tileOffset) names tile n; within slots * slotBytes.
std::uint32_t GraphicsLoadOffset(const ExportJob& job, const TileReading& reading);

// The first graphics tile whose map index runs past the last slot and wraps
// round: tile slotCount, or with a positive offset the first one that lands past
// the window (tile 0 keeps index 0). A negative offset moves every tile, the
// first ones to the top of the window, so there only the count can wrap.
std::size_t FirstWrappedTile(const ExportJob& job, const TileReading& reading);

// Bytes of background map the console needs for the area: the map with its
// tile groups expanded, 2 bytes an entry (1 for affine maps).
std::uint32_t ExpandedMapBytes(const ExportJob& job);

}  // namespace vorlin
