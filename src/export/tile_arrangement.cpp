#include "export/tile_arrangement.h"

#include <algorithm>
#include <cstring>

#include "core/little_endian.h"
#include "export/tile_ops.h"

namespace vorlin {

namespace {

// Re-lays the image into a column of blocks; false (image unchanged) on failure.
bool Retile(DibPtr& image, int blockWidth, int blockHeight) {
    PackedDib column = DibRetile(image.get(), blockWidth, blockHeight, 0);
    if (!column) return false;
    image.reset(column);
    return true;
}

// An area-sized picture whose tiles carry their own tile column and row (plus
// one, so that 0 marks "no tile") in the first four bytes.
DibPtr TaggedArea(int width, int height) {
    DibPtr tags(DibCreate(width, height, 8, nullptr, 1));
    if (!tags) return nullptr;
    std::memset(DibPixels(tags.get()), 0, DibHeader(tags.get())->biSizeImage);
    for (int ty = 0; ty < height / kTileSide; ++ty) {
        std::uint8_t* row = DibPictureRow(tags.get(), ty * kTileSide);
        for (int tx = 0; tx < width / kTileSide; ++tx) {
            PutLe16(row + tx * kTileSide, static_cast<std::uint32_t>(tx + 1));
            PutLe16(row + tx * kTileSide + 2, static_cast<std::uint32_t>(ty + 1));
        }
    }
    return tags;
}

}  // namespace

void ArrangeTiles(DibPtr& image, const ExportJob& job) {
    if ((job.mapFlags & MAP_SBB) && !Retile(image, kScreenBlockPixels, kScreenBlockPixels)) return;
    if (HasTileGroups(job) &&
        !Retile(image, kTileSide * job.metaWidth, kTileSide * job.metaHeight))
        return;
    Retile(image, kTileSide, kTileSide);
}

std::vector<TileSpot> TileSpots(const ExportJob& job) {
    // Without screen blocks or tile groups the order is row by row: no need to arrange a picture.
    if (!(job.mapFlags & MAP_SBB) && !HasTileGroups(job)) {
        const int across = (job.right - job.left) / kTileSide;
        std::vector<TileSpot> spots(static_cast<std::size_t>(std::max(ExportAreaTiles(job), 0)));
        for (std::size_t n = 0; n < spots.size(); ++n)
            spots[n] = {static_cast<int>(n % across) * kTileSide,
                        static_cast<int>(n / across) * kTileSide};
        return spots;
    }
    DibPtr tags = TaggedArea(job.right - job.left, job.bottom - job.top);
    if (!tags) return {};
    ArrangeTiles(tags, job);
    if (DibWidth(tags.get()) != kTileSide) return {};
    const int tiles = std::min(ExportAreaTiles(job), DibHeight(tags.get()) / kTileSide);
    std::vector<TileSpot> spots;
    spots.reserve(static_cast<std::size_t>(std::max(tiles, 0)));
    for (int n = 0; n < tiles; ++n) {
        const std::uint8_t* tag = DibPictureRow(tags.get(), n * kTileSide);
        const int tx = Le16(tag) - 1, ty = Le16(tag + 2) - 1;
        if (tx < 0 || ty < 0) break;
        spots.push_back({tx * kTileSide, ty * kTileSide});
    }
    return spots;
}

void CopyTile(PackedDib picture, TileSpot spot, std::uint8_t* out) {
    for (int i = 0; i < kTileSide; ++i)
        for (int j = 0; j < kTileSide; ++j) {
            const int x = spot.x + j, y = spot.y + i;
            const bool inside = x < DibWidth(picture) && y < DibHeight(picture);
            out[i * kTileSide + j] = inside ? DibPictureRow(picture, y)[x] : 0;
        }
}

}  // namespace vorlin
