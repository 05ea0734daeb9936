#include "app/qt/console_check_overlay.h"

#include <QPainter>
#include <algorithm>
#include <array>

#include "app/image_viewport.h"
#include "export/console_check.h"

namespace vorlin {

namespace {

const QColor kMarkColour(255, 0, 255);

// The hatch of the most serious rule a tile breaks, by its index in kHatches.
constexpr std::array<Qt::BrushStyle, 4> kHatches = {Qt::DiagCrossPattern, Qt::BDiagPattern,
                                                    Qt::FDiagPattern, Qt::Dense6Pattern};

std::size_t HatchOf(std::uint8_t marks) {
    if (marks & kMarkPastLimit) return 0;
    if (marks & kMarkMixedBanks) return 1;
    if (marks & kMarkOutsidePalette) return 2;
    return 3;  // colour 0 of a bank other than 0
}

// Solid fills only: they cost a fraction of patterned or wide-pen drawing.
void Frame(QPainter& painter, const QRect& r, const QColor& colour) {
    painter.fillRect(r.left(), r.top(), r.width(), 1, colour);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
    painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, colour);
    painter.fillRect(r.right(), r.top() + 1, 1, r.height() - 2, colour);
}

// A magenta frame; tiles large enough on screen also get a black one inside it
// and a square in the middle hatched by the rule.
void PaintMark(QPainter& painter, const QRect& tile, std::uint8_t marks) {
    Frame(painter, tile, kMarkColour);
    if (tile.width() < 16) return;
    Frame(painter, tile.adjusted(1, 1, -1, -1), Qt::black);
    const int side = tile.width() / 3;
    const QRect middle(tile.center().x() - side / 2, tile.center().y() - side / 2, side, side);
    painter.fillRect(middle, Qt::black);
    painter.fillRect(middle, QBrush(kMarkColour, kHatches[HatchOf(marks)]));
}

}  // namespace

void PaintConsoleCheck(QPainter& painter, const ImageViewport& viewport, const ConsoleCheck& check) {
    const CheckRules& rules = check.Rules();
    const IRect visible = viewport.VisibleRect();
    const int c0 = std::max(0, (visible.left - rules.left) / 8);
    const int r0 = std::max(0, (visible.top - rules.top) / 8);
    const int c1 = std::min(rules.across, (visible.right - rules.left + 7) / 8 + 1);
    const int r1 = std::min(rules.down, (visible.bottom - rules.top + 7) / 8 + 1);
    for (int row = r0; row < r1; ++row)
        for (int column = c0; column < c1; ++column) {
            const std::uint8_t m = check.MarksAt(column, row);
            if (!m) continue;
            const int x = rules.left + column * 8, y = rules.top + row * 8;
            const IRect client = viewport.ImageRectToClient({x, y, x + 8, y + 8});
            PaintMark(painter, QRect(client.left, client.top, client.Width(), client.Height()), m);
        }
}

}  // namespace vorlin
