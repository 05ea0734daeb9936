#include "tools/tool_document.h"

#include <algorithm>

#include "document/vorlin_doc.h"
#include "tools/tool_geometry.h"

namespace vorlin {

IndexView PictureView(CVorlinDoc& doc) {
    return ViewOf(doc.GetImage().Surface());
}

IRect PictureBounds(CVorlinDoc& doc) {
    return doc.GetImage().Bounds();
}

const RgbQuad* PicturePalette(CVorlinDoc& doc) {
    return doc.GetImage().Palette();
}

void BackupPicture(CVorlinDoc& doc) {
    doc.SyncBackup();
}

void RestorePicture(CVorlinDoc& doc, const IRect& rect) {
    const IRect inside = RectIntersection(rect, PictureBounds(doc));
    if (!inside.IsEmpty()) doc.RestoreFromBackup(&inside, true);
}

void RestoreWholePicture(CVorlinDoc& doc) {
    doc.RestoreFromBackup(nullptr, true);
}

void MarkModified(CVorlinDoc& doc) {
    doc.SetModifiedFlag(true);
}

bool RecordBackupRegion(CVorlinDoc& doc, const IRect& rect) {
    return doc.history.Push(doc.MakeRegionRecord(&rect, true)) != 0;
}

bool RecordPictureRegion(CVorlinDoc& doc, const IRect& rect) {
    return doc.history.Push(doc.MakeRegionRecord(&rect, false)) != 0;
}

bool RecordWholePicture(CVorlinDoc& doc) {
    return doc.history.Push(doc.MakeSnapshotRecord()) != 0;
}

void AdoptColours(CVorlinDoc& doc, const IndexSurface& pixels, const std::vector<RgbQuad>& table) {
    bool used[kPaletteSize] = {};
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = pixels.Row(y);
        for (int x = 0; x < pixels.width; ++x) used[row[x]] = true;
    }
    RgbQuad* palette = doc.image.Palette();
    const std::size_t n = std::min<std::size_t>(table.size(), kPaletteSize);
    for (std::size_t i = 0; i < n; ++i)
        if (used[i]) palette[i] = table[i];
    doc.RefreshPaletteBar();
    doc.UpdateAllViews(HINT_PALETTE, nullptr);
}

}  // namespace vorlin
