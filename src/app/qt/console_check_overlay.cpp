#include "app/qt/console_check_overlay.h"

#include <QPainter>
#include <algorithm>

#include "app/image_viewport.h"
#include "export/console_check.h"

namespace vorlin {

namespace {

const QColor kMarkColour(255, 0, 255);

// The hatch of the most serious rule a tile breaks.
Qt::BrushStyle Hatch(std::uint8_t marks) {
    if (marks & kMarkPastLimit) return Qt::DiagCrossPattern;
    if (marks & kMarkMixedBanks) return Qt::BDiagPattern;
    if (marks & kMarkOutsidePalette) return Qt::FDiagPattern;
    return Qt::Dense6Pattern;  // colour 0 of a bank other than 0
}

void PaintMark(QPainter& painter, const QRect& tile, std::uint8_t marks) {
    painter.fillRect(tile, QBrush(kMarkColour, Hatch(marks)));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(tile.adjusted(1, 1, -2, -2));
    painter.setPen(QPen(kMarkColour, 1));
    painter.drawRect(tile.adjusted(1, 1, -2, -2));
}

}  // namespace

void PaintConsoleCheck(QPainter& painter, const ImageViewport& viewport, const ConsoleCheck& check) {
    const CheckRules& rules = check.Rules();
    const IRect visible = viewport.VisibleRect();
    const int c0 = std::max(0, (visible.left - rules.left) / 8);
    const int r0 = std::max(0, (visible.top - rules.top) / 8);
    const int c1 = std::min(rules.across, (visible.right - rules.left + 7) / 8 + 1);
    const int r1 = std::min(rules.down, (visible.bottom - rules.top + 7) / 8 + 1);
    painter.save();
    for (int row = r0; row < r1; ++row)
        for (int column = c0; column < c1; ++column) {
            const std::uint8_t marks = check.MarksAt(column, row);
            if (!marks) continue;
            const int x = rules.left + column * 8, y = rules.top + row * 8;
            const IRect client = viewport.ImageRectToClient({x, y, x + 8, y + 8});
            PaintMark(painter, QRect(client.left, client.top, client.Width(), client.Height()),
                      marks);
        }
    painter.restore();
}

}  // namespace vorlin
