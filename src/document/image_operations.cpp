#include "document/image_operations.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "export/export_job.h"
#include "export/tile_ops.h"

namespace vorlin {

namespace {

// The common tail of every picture replacement: one undo state, the new
// picture, backup, views, title, modified.
int ReplacePicture(CVorlinDoc& doc, PackedDib dib) {
    CIndexImage fresh;
    if (!fresh.SetFromDib(dib)) return 0;
    doc.history.Push(doc.MakePixelsRecord());
    doc.image = std::move(fresh);
    doc.backup.CopyFrom(&doc.image);
    doc.UpdateAllViews(HINT_IMAGE, &doc.image);
    doc.SetTitle();
    doc.SetModifiedFlag(true);
    return 1;
}

OperationResult Fail(const char* message) {
    return OperationResult::Failure(message);
}

ExportJobPtr ReductionJob(const CVorlinDoc& doc, bool palBanks, bool flips, int metaWidth,
                          int metaHeight) {
    ExportJobPtr job(ExportJobNew());
    if (!job) return job;
    job->image.reset(doc.image.ToDib(8, 0));
    job->outFlags = OUT_CONVERT_ONLY;
    // Compared as 4-bpp tiles, whose colours the map's bank picks: with banks,
    // tiles that differ only in their bank are one tile.
    job->bpp = 4;
    job->right = doc.image.Width();
    job->bottom = doc.image.Height();
    job->metaWidth = metaWidth;
    job->metaHeight = metaHeight;
    job->mapFlags = BLK_EXPORT | MAP_REDUCE | (flips ? MAP_FLIP : 0) | (palBanks ? MAP_PALBANK : 0);
    return job;
}

// Draws every map entry's tile (flips applied, bank ignored) into one column
// of tiles, then lays the column out as metaWidth-wide groups.
PackedDib RebuildGroups(const ExportJob& job) {
    PackedDib unique = job.work.get();
    const std::size_t uniqueCount = static_cast<std::size_t>(DibHeight(unique) / kTileSide);
    const std::size_t entries = job.mapData.bytes.size() / 2;
    std::vector<std::uint8_t> column(entries * kTileBytes, 0);
    std::uint8_t source[kTileBytes];
    for (std::size_t n = 0; n < entries; ++n) {
        const std::uint16_t e = static_cast<std::uint16_t>(job.mapData.bytes[2 * n] |
                                                           job.mapData.bytes[2 * n + 1] << 8);
        const std::size_t index = e & kMapIndexMask;
        if (index >= uniqueCount) continue;  // cannot happen for a fresh reduction
        for (int r = 0; r < kTileSide; ++r)
            std::memcpy(source + r * kTileSide,
                        DibPictureRow(unique, static_cast<int>(index * kTileSide + r)), kTileSide);
        OrientTile(source, (e & kMapHFlip) ? 7 : 0, (e & kMapVFlip) ? 7 : 0,
                   &column[n * kTileBytes]);
    }
    DibPtr strip(DibCreate(kTileSide, static_cast<int>(entries * kTileSide), 8, column.data(), 1));
    if (!strip) return nullptr;
    PackedDib groups = DibRetile(strip.get(), kTileSide * job.metaWidth, kTileSide, 0);
    if (!groups) return nullptr;
    const int colors = std::min(DibColorCount(groups), DibColorCount(job.image.get()));
    std::memcpy(DibColors(groups), DibColors(job.image.get()),
                4 * static_cast<std::size_t>(colors));
    return groups;
}

}  // namespace

int RoundUpPowerOfTwo(int n) {
    if (n < 2) return 1;
    int power = 1;
    while (power < n && power < (1 << 30)) power <<= 1;
    return power;
}

OperationResult RearrangeImage(CVorlinDoc& doc, int tileWidth, int tileHeight) {
    if (tileWidth < 1 || tileHeight < 1) return Fail(kRearrangeFailed);
    DibPtr picture(doc.image.ToDib(8, 0));
    if (!picture) return Fail(kRearrangeFailed);
    DibPtr result(DibRetile(picture.get(), tileWidth, tileHeight, 0));
    if (!result || !ReplacePicture(doc, result.get())) return Fail(kRearrangeFailed);
    return OperationResult::Success();
}

OperationResult ReduceImageTiles(CVorlinDoc& doc, bool palBanks, bool flips, int metaWidth,
                                 int metaHeight) {
    ExportJobPtr job = ReductionJob(doc, palBanks, flips, metaWidth, metaHeight);
    if (!job || !job->image) return Fail(kExportFailed);
    if (!ExportValidate(job.get())) return Fail(kReductionValidationFailed);
    if (!ExportConvert(job.get()) || !job->work || DataBlockEmpty(job->mapData))
        return Fail(kExportFailed);
    DibPtr groups;
    if (HasTileGroups(*job)) {
        groups.reset(RebuildGroups(*job));
        if (!groups) return Fail(kExportFailed);
    }
    if (!ReplacePicture(doc, groups ? groups.get() : job->work.get())) return Fail(kExportFailed);
    return OperationResult::Success();
}

}  // namespace vorlin
