#include "export/vram_layout.h"

namespace vorlin {

TileReading TileReadingOf(const ExportJob& job) {
    TileReading reading;
    reading.affine = (job.mapFlags & MAP_AFFINE) != 0 && ExportsMap(job);
    reading.bpp = reading.affine || job.bpp == 8 ? 8 : 4;
    reading.slotBytes = reading.bpp * 8;
    reading.slotCount = reading.affine ? 256 : 1024;
    return reading;
}

std::uint32_t GraphicsLoadOffset(const ExportJob& job, const TileReading& reading) {
    // Without a map the tile offset has nothing to shift.
    if (!ExportsMap(job)) return 0;
    const std::int64_t slot = (static_cast<std::int64_t>(job.tileOffset) % reading.slotCount +
                               reading.slotCount) % reading.slotCount;
    return static_cast<std::uint32_t>(slot) * static_cast<std::uint32_t>(reading.slotBytes);
}

std::size_t FirstWrappedTile(const ExportJob& job, const TileReading& reading) {
    const int slots = reading.slotCount;
    return static_cast<std::size_t>(slots - (job.tileOffset > 0 ? job.tileOffset % slots : 0));
}

std::uint32_t ExpandedMapBytes(const ExportJob& job) {
    if (!ExportsMap(job) || (job.imgFlags & IMG_BITMAP)) return 0;
    const std::uint32_t entryBytes = (job.mapFlags & MAP_AFFINE) ? 1 : 2;
    return static_cast<std::uint32_t>(ExportAreaTiles(job)) * entryBytes;
}

}  // namespace vorlin
