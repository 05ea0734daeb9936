#include "export/export_preview.h"

#include <algorithm>
#include <new>

#include "export/gba_color.h"

namespace vorlin {

ExportPreview PreviewExport(const ExportJob& job, VramPlacement placement) {
    ExportPreview preview;
    try {
        PlainBlocks blocks;
        if (!DecodeBlocks(job, blocks) ||
            !DecodeConsolePicture(job, blocks, placement, preview.console))
            return preview;
        preview.source = SourceArea(job);
        preview.differences = DifferenceMask(preview.console, preview.source.get());
        const std::size_t different = static_cast<std::size_t>(
            std::count(preview.differences.begin(), preview.differences.end(), 1));
        preview.stats = ComputeExportStats(job, blocks, preview.console, placement, different);
        preview.warnings =
            ExportWarnings(job, preview.console, preview.stats, preview.source.get());
        preview.ok = true;
    } catch (const std::bad_alloc&) {
        preview.ok = false;
    }
    return preview;
}

ExportPreview ConvertAndPreview(ExportJob& job, VramPlacement placement) {
    job.outFlags |= OUT_CONVERT_ONLY;
    if (!ExportValidate(&job) || !ExportConvert(&job)) return {};
    return PreviewExport(job, placement);
}

DibPtr ConsolePictureImage(const ConsolePicture& console) {
    DibPtr image(DibCreate(console.width, console.height, 24, nullptr, 1));
    if (!image) return nullptr;
    for (int y = 0; y < console.height; ++y) {
        std::uint8_t* row = DibPictureRow(image.get(), y);
        for (int x = 0; x < console.width; ++x) {
            const std::uint32_t rgb =
                GbaColorToRgb(console.colors[static_cast<std::size_t>(y) * console.width + x]);
            row[3 * x] = static_cast<std::uint8_t>(rgb);
            row[3 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(rgb >> 16);
        }
    }
    return image;
}

}  // namespace vorlin
