// The tools' own pixel art, built into the program: a 16 x 16 icon per tool button and a
// cursor per cursor resource id, both kept crisp by scaling only by whole factors.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPoint>

namespace vorlin {

// The icon of a tool button (1025-1035), with 1x, 2x and 3x pixmaps; null when there is none.
QIcon ToolIcon(int toolId);

struct CursorArt {
    QImage image;    // null when the cursor resource is missing
    QPoint hotSpot;  // in the image's pixels, always inside it
};

// Cursor resource 210-220 with its hot spot, as stored.
CursorArt LoadCursorArt(int cursorId);

// The cursor for a screen of this device pixel ratio: the art scaled by the nearest whole
// factor (at least 1). False when the resource is missing.
bool MakeToolCursor(int cursorId, qreal devicePixelRatio, QCursor& cursor);

}  // namespace vorlin
