#include "export/transparent_pixels.h"

#include "export/tile_arrangement.h"
#include "export/tile_ops.h"
#include "export/vram_layout.h"

namespace vorlin {

void TransparentBankPixels(const ExportJob& job, const ConsolePicture& console, PackedDib source,
                           std::vector<ExportWarning>& out) {
    if (job.bpp != 4 || TileReadingOf(job).affine || !source) return;
    const int across = ConsoleTilesAcross(console);
    std::uint64_t pixels = 0;
    TileSpot first{};
    for (std::size_t cell = 0; cell < console.entries.size(); ++cell) {
        const TileSpot spot{static_cast<int>(cell % across) * kTileSide,
                            static_cast<int>(cell / across) * kTileSide};
        std::uint8_t tile[kTileBytes];
        CopyTile(source, spot, tile);
        for (std::uint8_t pixel : tile) {
            // Index 0 shows entry 0 anyway; 16, 32, ... look different on the console.
            if (pixel == 0 || (pixel & kBankMask) != 0) continue;
            if (pixels++ == 0) first = spot;
        }
    }
    if (pixels == 0) return;
    out.push_back({job.left + first.x, job.top + first.y,
                   std::to_string(pixels) +
                       " pixels use colour 0 of a bank (index 16, 32, ...); at 4 bpp colour 0 "
                       "is transparent, so the console shows palette entry 0 there"});
}

}  // namespace vorlin
