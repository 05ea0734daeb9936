#include "app/palette_bar_geometry.h"

namespace vorlin {
namespace {

constexpr IRect kIndicators[] = {{14, 148, 54, 172}, {70, 148, 110, 172}, {126, 148, 166, 172}};
constexpr const char* kLabels[] = {"Left", "Mid", "Right"};
constexpr ColorRef kFrameColors[] = {palbar::kFrameLeft, palbar::kFrameMid, palbar::kFrameRight};

bool IsButtonSlot(int slot) {
    return slot >= kSlotLeft && slot <= kSlotRight;
}

}  // namespace

bool RectContains(const IRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

IRect IndicatorRect(int slot) {
    return IsButtonSlot(slot) ? kIndicators[slot - 1] : IRect{};
}

const char* IndicatorLabel(int slot) {
    return IsButtonSlot(slot) ? kLabels[slot - 1] : "";
}

IRect IndicatorFillRect(int slot) {
    IRect r = IndicatorRect(slot);
    if (r.IsEmpty()) return r;
    return IRect{r.left + 4, r.top + 3, r.right - 4, r.bottom - 3};
}

IRect SwatchCellRect(int index) {
    const int left = palbar::kSwatchGrid.left + (index % 16) * palbar::kCell;
    const int top = palbar::kSwatchGrid.top + (index / 16) * palbar::kCell;
    return IRect{left, top, left + palbar::kCell, top + palbar::kCell};
}

IRect SwatchRect(int index) {
    const IRect cell = SwatchCellRect(index);
    return IRect{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
}

IRect BankRowRect(int bank) {
    const int top = palbar::kBankStrip.top + bank * palbar::kCell;
    return IRect{palbar::kBankStrip.left, top, palbar::kBankStrip.right, top + palbar::kCell};
}

ColorRef SlotFrameColor(int slot) {
    return IsButtonSlot(slot) ? kFrameColors[slot - 1] : palbar::kFrameActive;
}

PaletteBarHit HitTestPaletteBar(int x, int y) {
    if (RectContains(palbar::kSwatchGrid, x, y)) {
        const int col = (x - palbar::kSwatchGrid.left) / palbar::kCell;
        const int row = (y - palbar::kSwatchGrid.top) / palbar::kCell;
        return {PaletteBarHit::Swatch, row * 16 + col};
    }
    if (RectContains(palbar::kBankStrip, x, y))
        return {PaletteBarHit::Bank, (y - palbar::kBankStrip.top) / palbar::kCell};
    for (int slot = kSlotLeft; slot <= kSlotRight; ++slot)
        if (RectContains(IndicatorRect(slot), x, y)) return {PaletteBarHit::Indicator, slot};
    return {};
}

}  // namespace vorlin
