// Validation: refuses jobs that cannot run and silently adjusts the rest.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "export/export_job.h"
#include "export/export_names.h"

namespace vorlin {

namespace {

constexpr std::size_t kIdentifierLimit = 260;

bool DeriveNames(ExportJob& job) {
    if (!job.sourcePath) return false;
    std::string& source = *job.sourcePath;
    NormalizeSlashes(source);
    if (job.folder.empty()) {
        job.folder = PathDirectory(source);
        if (job.folder.empty()) job.folder.assign(1, '.');  // the current folder
    }
    if (job.title.empty()) {
        job.title = PathFileTitle(source);
        if (job.title.empty()) return false;
    }
    NormalizeSlashes(job.folder);
    if (job.symbol.empty()) job.symbol = job.title;
    SanitizeIdentifier(job.symbol, kIdentifierLimit);
    return true;
}

bool ValidBitDepth(int bpp) {
    return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8;
}

// The bit depth only matters when graphics are exported: a stale 16-bpp
// setting must not turn a palette- or map-only job into a bitmap job.
bool CheckBitDepth(ExportJob& job) {
    if (!ExportsGraphics(job)) return true;
    if (job.bpp > 8) {
        job.bpp = 16;
        job.imgFlags |= IMG_BITMAP;
        job.mapFlags = 0;
        job.palFlags = 0;
        return true;
    }
    return ValidBitDepth(job.bpp);
}

void ClampPaletteRange(ExportJob& job) {
    if (job.palStart > job.palEnd) std::swap(job.palStart, job.palEnd);
    if (job.palStart < 0) job.palStart = 0;
    const int colors = DibColorCount(job.image.get());
    if (job.palEnd > colors) job.palEnd = colors;
}

// Grows [low, high) to a whole number of units; false when the result leaves
// the 32-bit range.
bool RoundUpSpan(std::int32_t& low, std::int32_t& high, std::int64_t unit) {
    if (low > high) std::swap(low, high);
    const std::int64_t span = static_cast<std::int64_t>(high) - low;
    const std::int64_t rounded = (span + unit - 1) / unit * unit;
    const std::int64_t end = low + rounded;
    if (end > INT32_MAX) return false;
    high = static_cast<std::int32_t>(end);
    return true;
}

bool RoundArea(ExportJob& job) {
    job.metaWidth = std::max(job.metaWidth, 1);
    job.metaHeight = std::max(job.metaHeight, 1);
    std::int64_t unitW = 8 * static_cast<std::int64_t>(job.metaWidth);
    std::int64_t unitH = 8 * static_cast<std::int64_t>(job.metaHeight);
    if (job.imgFlags & IMG_BITMAP) {
        unitW = unitH = 1;
    } else if (job.mapFlags & MAP_SBB) {
        unitW = unitH = 256;
    }
    return RoundUpSpan(job.left, job.right, unitW) && RoundUpSpan(job.top, job.bottom, unitH);
}

}  // namespace

int ExportValidate(ExportJob* job) {
    if (!job || !job->image) return 0;
    if (!(job->outFlags & OUT_CONVERT_ONLY) && !DeriveNames(*job)) return 0;
    if (!CheckBitDepth(*job)) return 0;
    if ((job->imgFlags & IMG_BITMAP) && ExportsMap(*job)) return 0;
    if (OutKind(job->outFlags) == OUT_KIND_BIN) job->outFlags &= ~OUT_APPEND;
    if (ExportsPalette(*job)) ClampPaletteRange(*job);
    if (!ExportsGraphics(*job) && !ExportsMap(*job)) return 1;
    return RoundArea(*job) ? 1 : 0;
}

}  // namespace vorlin
