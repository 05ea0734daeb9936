#include "app/qt/palette_bar_painter.h"

#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

namespace vorlin {
namespace {

// A one-pixel outline exactly on the rectangle's border pixels.
void DrawFrame(QPainter& p, const QRect& r, const QColor& colour) {
    p.fillRect(r.left(), r.top(), r.width(), 1, colour);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
    p.fillRect(r.left(), r.top(), 1, r.height(), colour);
    p.fillRect(r.right(), r.top(), 1, r.height(), colour);
}

// Labels stay readable on light and dark colours alike.
QColor LabelColour(const QColor& fill) {
    return qGray(fill.rgb()) >= 128 ? Qt::black : Qt::white;
}

void PaintIndicators(QPainter& p, const PaletteBarModel& model, const QPalette& palette) {
    for (int slot = kSlotLeft; slot <= kSlotRight; ++slot) {
        const QRect outer = ToQRect(IndicatorRect(slot));
        const QColor fill = ToQColor(model.Color(model.GetSlotIndex(slot)));
        p.fillRect(outer, palette.button());
        p.fillRect(ToQRect(IndicatorFillRect(slot)), fill);
        qDrawShadePanel(&p, outer, palette, model.ActiveSlot() == slot, 2);
        p.setPen(LabelColour(fill));
        p.drawText(outer, Qt::AlignCenter | Qt::TextSingleLine, IndicatorLabel(slot));
    }
}

void PaintBankStrip(QPainter& p, const PaletteBarModel& model, const QPalette& palette) {
    p.fillRect(ToQRect(palbar::kBankStrip), palette.button());
    if (model.Bank() < 0) return;
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(palbar::kBankMarker));
    p.drawEllipse(ToQRect(BankRowRect(model.Bank())));
    p.setBrush(Qt::NoBrush);
}

void PaintSwatches(QPainter& p, const PaletteBarModel& model, const QRect& clip) {
    p.fillRect(ToQRect(palbar::kSwatchGrid), Qt::black);
    for (int i = 0; i < 256; ++i) {
        const QRect swatch = ToQRect(SwatchRect(i));
        if (swatch.intersects(clip)) p.fillRect(swatch, ToQColor(model.Color(i)));
    }
    const auto order = model.FrameDrawOrder();
    for (std::size_t k = 0; k < order.size(); ++k) {
        const int slot = order[k];
        // The last frame is the active slot's, drawn again on top in white.
        const ColorRef colour = k + 1 == order.size() ? palbar::kFrameActive : SlotFrameColor(slot);
        DrawFrame(p, ToQRect(SwatchCellRect(model.GetSlotIndex(slot))), ToQColor(colour));
    }
}

}  // namespace

void PaintPaletteBar(QPainter& painter, const PaletteBarModel& model, const QPalette& palette,
                     const QRect& clip) {
    painter.setClipRect(clip);
    PaintIndicators(painter, model, palette);
    PaintBankStrip(painter, model, palette);
    PaintSwatches(painter, model, clip);
}

}  // namespace vorlin
