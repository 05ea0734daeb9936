#include "tools/tool_document.h"

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

}  // namespace vorlin
