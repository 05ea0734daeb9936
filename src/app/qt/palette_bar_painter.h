// Draws the palette bar's own surface from its model: the Left, Mid and Right indicators,
// the bank strip with its marker, and the swatch grid with the selection frames.
#pragma once

#include <QColor>
#include <QRect>

#include "app/palette_bar_model.h"

class QPainter;
class QPalette;

namespace vorlin {

inline QColor ToQColor(ColorRef c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// Right and bottom are exclusive in IRect, as in the bar's geometry table.
inline QRect ToQRect(const IRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// Everything in `clip` (client pixels); the child controls draw themselves.
void PaintPaletteBar(QPainter& painter, const PaletteBarModel& model, const QPalette& palette,
                     const QRect& clip);

}  // namespace vorlin
