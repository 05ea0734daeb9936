#include "export/console_picture.h"

#include <algorithm>
#include <new>

#include "core/little_endian.h"
#include "export/console_tiles.h"
#include "export/decompress.h"
#include "export/gba_color.h"
#include "export/packed_pixels.h"

namespace vorlin {

namespace {

bool PlainBytes(const DataBlock& block, std::vector<std::uint8_t>& out) {
    if (block.compression == BLK_CPRS_NONE) {
        out = block.bytes;
        return true;
    }
    return BiosDecompress(block.bytes.data(), block.bytes.size(), out);
}

void DecodeBitmap(const ExportJob& job, const std::vector<std::uint8_t>& graphics,
                  ConsolePicture& out) {
    const std::size_t width = static_cast<std::size_t>(out.width);
    if (job.bpp == 16) {
        const std::size_t stride = DibStrideFor(out.width, 16);
        for (std::size_t y = 0; y < static_cast<std::size_t>(out.height); ++y)
            for (std::size_t x = 0; x < width; ++x) {
                const std::size_t at = y * stride + 2 * x;
                out.colors[y * width + x] =
                    at + 1 < graphics.size() ? Le16(&graphics[at]) & kGbaColorMask : 0;
            }
        return;
    }
    // Rows keep the 8-bpp working image's padding, whatever depth they are packed at.
    const std::size_t stride = DibStrideFor(out.width, 8);
    out.indices.resize(out.colors.size());
    for (std::size_t y = 0; y < static_cast<std::size_t>(out.height); ++y)
        for (std::size_t x = 0; x < width; ++x)
            out.indices[y * width + x] =
                static_cast<std::uint8_t>(PackedPixel(graphics, y * stride + x, job.bpp));
}

}  // namespace

void LoadConsolePalette(const ExportJob& job, const std::vector<std::uint8_t>& block,
                        ConsolePicture& out) {
    std::fill(std::begin(out.palette), std::end(out.palette), std::uint16_t{0});
    if (ExportsPalette(job)) {
        const std::size_t start = static_cast<std::size_t>(std::clamp(job.palStart, 0, 255));
        for (std::size_t i = 0; start + i < kPaletteEntries && 2 * i + 1 < block.size(); ++i)
            out.palette[start + i] = Le16(&block[2 * i]);
        return;
    }
    PackedDib image = job.image.get();
    const int colors = std::min(DibColorCount(image), kPaletteEntries);
    for (int i = 0; i < colors; ++i) out.palette[i] = GbaColor(DibColors(image)[i]);
}

bool DecodeBlocks(const ExportJob& job, PlainBlocks& out) {
    return PlainBytes(job.palData, out.palette) && PlainBytes(job.imgData, out.graphics) &&
           PlainBytes(job.mapData, out.map) && PlainBytes(job.metaData, out.metaMap);
}

DibPtr SourceArea(const ExportJob& job) {
    if (!job.image) return nullptr;
    DibPtr area(DibCrop(job.image.get(), job.left, job.top, job.right, job.bottom, 0));
    if (area && DibBitCount(area.get()) != 8) area.reset(DibConvert(area.get(), 8, 0));
    return area;
}

bool DecodeConsolePicture(const ExportJob& job, const PlainBlocks& blocks,
                          VramPlacement placement, ConsolePicture& out) {
    try {
        out.width = std::max(job.right - job.left, 0);
        out.height = std::max(job.bottom - job.top, 0);
        out.colors.assign(static_cast<std::size_t>(out.width) * out.height, 0);
        out.indices.clear();
        out.entries.clear();
        out.spots.clear();
        LoadConsolePalette(job, blocks.palette, out);
        if (job.imgFlags & IMG_BITMAP) {
            DecodeBitmap(job, ExportsGraphics(job) ? blocks.graphics : std::vector<std::uint8_t>{},
                         out);
        } else if (!DecodeTiledBackground(job, blocks, placement, out)) {
            return false;
        }
        for (std::size_t p = 0; p < out.indices.size(); ++p)
            out.colors[p] = out.palette[out.indices[p]] & kGbaColorMask;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace vorlin
