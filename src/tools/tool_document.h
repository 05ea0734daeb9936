// The few document services the tools use, in one place.
#pragma once

#include <vector>

#include "core/packed_dib.h"
#include "core/raster.h"

namespace vorlin {

class CVorlinDoc;

IndexView PictureView(CVorlinDoc& doc);
IRect PictureBounds(CVorlinDoc& doc);
const RgbQuad* PicturePalette(CVorlinDoc& doc);
// Copies the whole picture into the backup.
void BackupPicture(CVorlinDoc& doc);
// Copies a rectangle of the backup back into the picture and refreshes the views there.
void RestorePicture(CVorlinDoc& doc, const IRect& rect);
void RestoreWholePicture(CVorlinDoc& doc);
void MarkModified(CVorlinDoc& doc);
// Pushes an undo record of `rect` as the backup holds it; false when it could not be made.
bool RecordBackupRegion(CVorlinDoc& doc, const IRect& rect);
// Pushes an undo record of `rect` as the picture holds it now; false when it could not be made.
bool RecordPictureRegion(CVorlinDoc& doc, const IRect& rect);
// Pushes an undo record of the whole picture with its palette; false when it could not be made.
bool RecordWholePicture(CVorlinDoc& doc);
// Entries that `pixels` use take the colours `table` has for them (entries past its end stay);
// the palette bar and the views follow. No undo record.
void AdoptColours(CVorlinDoc& doc, const IndexSurface& pixels, const std::vector<RgbQuad>& table);

}  // namespace vorlin
