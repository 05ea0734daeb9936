#include "app/qt/console_check_marks.h"

#include <QPainter>
#include <algorithm>

#include "export/console_check.h"

namespace vorlin {

namespace {

const QColor kMarkColour(255, 0, 255);

// Tiles narrower than this on screen get only the magenta frame.
constexpr int kDetailSide = 16;

// The hatch of the most serious rule a tile breaks, by its index in kHatches.
constexpr std::array<Qt::BrushStyle, MarkHatches::kKinds> kHatches = {
    Qt::DiagCrossPattern, Qt::BDiagPattern, Qt::FDiagPattern, Qt::Dense6Pattern};

std::size_t HatchOf(std::uint8_t marks) {
    if (marks & kMarkPastLimit) return 0;
    if (marks & kMarkMixedBanks) return 1;
    if (marks & kMarkOutsidePalette) return 2;
    return 3;  // colour 0 of a bank other than 0
}

// Adds `r`, or widens the last rectangle when `r` touches or overlaps it from the right
// on the same rows.
void Append(std::vector<QRect>& into, const QRect& r) {
    if (!into.empty()) {
        QRect& last = into.back();
        if (last.top() == r.top() && last.bottom() == r.bottom() && r.left() >= last.left() &&
            r.left() <= last.right() + 1) {
            last.setRight(std::max(last.right(), r.right()));
            return;
        }
    }
    into.push_back(r);
}

void FillAll(QPainter& painter, const std::vector<QRect>& rects, const QColor& colour) {
    if (rects.empty()) return;
    painter.setBrush(colour);
    painter.drawRects(rects.data(), static_cast<int>(rects.size()));
}

}  // namespace

const QImage& MarkHatches::Of(std::size_t kind, int side) {
    // A fractional zoom gives tiles of two sizes; few sizes are ever on screen at once.
    if (bySide_.size() > 4 && !bySide_.contains(side)) bySide_.clear();
    QImage& image = bySide_[side][kind];
    if (!image.isNull()) return image;
    image = QImage(side, side, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QBrush(kMarkColour, kHatches[kind]));
    return image;
}

// Tiles arrive row by row, left to right, so a line continues the last one of its kind.
// The sides reach from the tile's edge to the ring: where two marked tiles meet, their
// black sides and the magenta between them are one rectangle under the magenta line.
// Filling a narrow rectangle costs per screen row, so fewer of them side by side is what
// counts when many tiles are on screen.
void MarkPieces::Ring::Add(const QRect& outer, int inset) {
    const int top = outer.top() + inset, bottom = outer.bottom() - inset;
    Append(tops, QRect(outer.left(), top, outer.width(), 1));
    if (bottom != top) Append(bottoms, QRect(outer.left(), bottom, outer.width(), 1));
    const int side = std::min(inset + 1, outer.width());
    Append(down, QRect(outer.left(), outer.top(), side, outer.height()));
    Append(down, QRect(outer.right() + 1 - side, outer.top(), side, outer.height()));
}

void MarkPieces::Ring::Paint(QPainter& painter, const QColor& colour) const {
    FillAll(painter, tops, colour);
    FillAll(painter, bottoms, colour);
    FillAll(painter, down, colour);
}

void MarkPieces::Add(const QRect& tile, std::uint8_t marks) {
    if (tile.isEmpty()) return;
    magenta_.Add(tile, 0);
    if (tile.width() < kDetailSide || tile.height() < kDetailSide) return;
    black_.Add(tile, 1);
    const int side = tile.width() / 3;
    squares_.push_back(
        {{tile.center().x() - side / 2, tile.center().y() - side / 2}, side, HatchOf(marks)});
}

void MarkPieces::Paint(QPainter& painter, MarkHatches& hatches) const {
    painter.save();
    painter.setPen(Qt::NoPen);
    // The black ring's lines run under the magenta one's corners, so that lines of
    // neighbouring tiles join; the magenta ring then covers their ends.
    black_.Paint(painter, Qt::black);
    magenta_.Paint(painter, kMarkColour);
    for (const Square& s : squares_)
        painter.drawImage(s.at, hatches.Of(s.kind, s.side));
    painter.restore();
}

}  // namespace vorlin
