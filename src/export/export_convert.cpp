// Conversion of a job's picture into GBA data: the working image, the tile
// arrangement, the map (reduced, offset, grouped, affine), the packed graphics
// and the palette, each block compressed as its flags ask.
#include <algorithm>
#include <cstring>
#include <new>

#include "core/little_endian.h"
#include "export/compress.h"
#include "export/export_job.h"
#include "export/export_steps.h"
#include "export/gba_color.h"
#include "export/tile_arrangement.h"

namespace vorlin {

namespace {

std::uint16_t WindowsColor(const RgbQuad& c) {
    return static_cast<std::uint16_t>((c.rgbBlue >> 3) | ((c.rgbGreen >> 3) << 5) |
                                      ((c.rgbRed >> 3) << 10));
}

// Odd widths leave one padding unit per row; it carries index 0's colour, as
// the padding of 8-bpp rows carries index 0.
void FillRowPadding(PackedDib dib, std::uint16_t color) {
    const int width = DibWidth(dib);
    if (width % 2 == 0) return;
    for (int y = 0; y < DibHeight(dib); ++y) PutLe16(DibRow(dib, y) + 2 * width, color);
}

// Windows 5-5-5 to GBA order (red and blue swapped), plus the colour key's bit 15.
void ToGbaColors(PackedDib dib, bool keyed, std::uint16_t key) {
    std::uint8_t* pixels = DibPixels(dib);
    const std::size_t units = DibHeader(dib)->biSizeImage / 2;
    for (std::size_t u = 0; u < units; ++u) {
        const std::uint16_t v = Le16(pixels + 2 * u);
        std::uint16_t gba =
            static_cast<std::uint16_t>((v & 0x83E0) | ((v & 0x1F) << 10) | ((v >> 10) & 0x1F));
        if (keyed && gba == key) gba |= 0x8000;
        PutLe16(pixels + 2 * u, gba);
    }
}

PackedDib MakeBitmap16(PackedDib crop, const ExportJob& job) {
    PackedDib out = DibConvert(crop, 16, 0);
    if (!out) return nullptr;
    const RgbQuad index0 = DibColorCount(crop) > 0 ? DibColors(crop)[0] : RgbQuad{0, 0, 0, 0};
    FillRowPadding(out, WindowsColor(index0));
    ToGbaColors(out, (job.imgFlags & IMG_COLOR_KEY) != 0, GbaColor(job.colorKey));
    return out;
}

}  // namespace

bool PrepareWork(ExportJob& job) {
    DibPtr crop(DibCrop(job.image.get(), job.left, job.top, job.right, job.bottom, 0));
    if (!crop) return false;
    if (job.bpp == 16 && (job.imgFlags & IMG_BITMAP)) {
        crop.reset(MakeBitmap16(crop.get(), job));
    } else if (DibBitCount(crop.get()) != 8) {
        crop.reset(DibConvert(crop.get(), 8, 0));
    }
    if (!crop) return false;
    job.work = std::move(crop);
    for (DataBlock* block : {&job.palData, &job.imgData, &job.mapData, &job.metaData})
        DataBlockClear(*block);
    job.tileFirstUse.clear();
    if (!(job.imgFlags & IMG_BITMAP)) ArrangeTiles(job.work, job);
    return true;
}

Lz77Parse Lz77ParseOf(const ExportJob& job) {
    return (job.outFlags & OUT_SMALLEST_LZ77) ? Lz77Parse::kSmallest : Lz77Parse::kGreedy;
}

namespace {

bool IsPackingDepth(int bpp) {
    return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8;
}

}  // namespace

bool GraphicsBytes(const ExportJob& job, PackedDib work, std::vector<std::uint8_t>& bytes) {
    const std::size_t area = DibHeader(work)->biSizeImage;
    const int depth = DibBitCount(work);
    bytes.clear();
    if (depth == 16 || depth == job.bpp) {
        bytes.assign(DibPixels(work), DibPixels(work) + area);
    } else if (depth == 8 && IsPackingDepth(job.bpp)) {
        // Least significant first: the left pixel of a byte is in its low bits.
        std::vector<std::uint32_t> src((area + 3) / 4), dest(src.size());
        std::memcpy(src.data(), DibPixels(work), area);
        DibPackBits(dest.data(), src.data(), area, 8, job.bpp, 0);
        bytes.resize((static_cast<std::size_t>(job.bpp) * area + 31) / 32 * 4);
        std::memcpy(bytes.data(), dest.data(), bytes.size());
    } else {
        return false;
    }
    return true;
}

void BuildGraphics(ExportJob& job) {
    std::vector<std::uint8_t> bytes;
    if (!GraphicsBytes(job, job.work.get(), bytes)) return;
    DataBlockAssign(job.imgData, 1, std::move(bytes));
    CompressBlock(job.imgData, job.imgFlags, Lz77ParseOf(job));
}

void BuildPalette(ExportJob& job) {
    PackedDib work = job.work.get();
    const int colors = DibColorCount(work);
    const int start = std::max(job.palStart, 0);
    const int n = std::max(0, std::min(job.palEnd - start, colors - start));
    std::vector<std::uint8_t> bytes((static_cast<std::size_t>(n) + 1) / 2 * 4, 0);
    for (int i = 0; i < n; ++i) PutLe16(&bytes[2 * i], GbaColor(DibColors(work)[start + i]));
    DataBlockAssign(job.palData, 2, std::move(bytes));
    CompressBlock(job.palData, job.palFlags, Lz77ParseOf(job));
}

namespace {

void BuildMap(ExportJob& job) {
    std::vector<std::uint8_t> source = WorkTileBytes(job);
    // Not a column of tiles (the arrangement failed): reducing it would replace
    // the working image by the blank tile alone.
    if (source.empty()) return;
    TileEntries mapped = EntriesOf(job, source);
    if (mapped.reduced) {
        if (PackedDib unique = TileColumn(mapped.tiles, job.work.get())) job.work.reset(unique);
        job.tileFirstUse = std::move(mapped.firstUse);
    }
    BuildMapBlocks(job, std::move(mapped.entries));
}

}  // namespace

int ExportConvert(ExportJob* job) {
    if (!job || !job->image) return 0;
    try {
        if (!PrepareWork(*job)) return 0;
        if (!(job->imgFlags & IMG_BITMAP) && ExportsMap(*job)) BuildMap(*job);
        if (ExportsGraphics(*job)) BuildGraphics(*job);
        if (ExportsPalette(*job)) BuildPalette(*job);
    } catch (const std::bad_alloc&) {
        // Blocks the conversion did not reach would be written as if complete: report the failure
        // so the caller says "Export failed, try again." instead of writing partial data.
        return 0;
    }
    return 1;
}

}  // namespace vorlin
