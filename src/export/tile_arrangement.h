// The order in which an export lays out the tiles of its area (screen block by
// screen block, then tile group by group, then tile by tile) and where each
// tile of that order sits in the picture.
#pragma once

#include <vector>

#include "export/export_job.h"

namespace vorlin {

inline constexpr int kScreenBlockPixels = 256;

// Re-lays `image` into a column of 8 x 8 tiles in export order. A step that
// fails leaves the image as the previous step made it and skips the rest.
void ArrangeTiles(DibPtr& image, const ExportJob& job);

// Top-left pixel of a tile, relative to the export area.
struct TileSpot {
    int x = 0;
    int y = 0;
};

// The area position of every tile in export order for a validated, tiled job:
// entry n of a map without tile groups describes spot n. Empty when the area
// cannot be arranged.
std::vector<TileSpot> TileSpots(const ExportJob& job);

// Copies the 8 x 8 tile at `spot` of an 8-bpp picture into out (64 bytes, row
// by row); pixels beyond the picture are 0.
void CopyTile(PackedDib picture, TileSpot spot, std::uint8_t* out);

}  // namespace vorlin
