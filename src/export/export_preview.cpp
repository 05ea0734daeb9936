#include "export/export_preview.h"

#include <algorithm>
#include <new>

#include "export/gba_color.h"

namespace vorlin {

namespace {

// The options of a job without its blocks or output names.
ExportJobPtr SettingsCopy(const ExportJob& settings) {
    ExportJobPtr job(ExportJobNew());
    if (!job || !settings.image) return nullptr;
    job->image.reset(DibDuplicate(settings.image.get()));
    if (!job->image) return nullptr;
    job->outFlags = (settings.outFlags & OUT_KIND_MASK) | OUT_CONVERT_ONLY;
    job->palFlags = settings.palFlags;
    job->palStart = settings.palStart;
    job->palEnd = settings.palEnd;
    job->imgFlags = settings.imgFlags;
    job->bpp = settings.bpp;
    job->colorKey = settings.colorKey;
    job->left = settings.left;
    job->top = settings.top;
    job->right = settings.right;
    job->bottom = settings.bottom;
    job->mapFlags = settings.mapFlags;
    job->tileOffset = settings.tileOffset;
    job->metaWidth = settings.metaWidth;
    job->metaHeight = settings.metaHeight;
    return job;
}

}  // namespace

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

ExportPreview PreviewJobSettings(const ExportJob& settings, VramPlacement placement) {
    ExportJobPtr job = SettingsCopy(settings);
    if (!job || !ExportValidate(job.get()) || !ExportConvert(job.get())) return {};
    return PreviewExport(*job, placement);
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
