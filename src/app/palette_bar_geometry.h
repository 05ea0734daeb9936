// Where everything sits on the palette bar, in client pixels, and what a point hits.
#pragma once

#include "core/index_surface.h"
#include "document/color_ref.h"
#include "tools/tool_stroke.h"

namespace vorlin {

// Button slots (kSlotLeft, kSlotMid, kSlotRight come with the tools' stroke flags): Left is
// the fore colour, Right the background; 0 names the active slot.
inline constexpr int kSlotActive = 0;
inline constexpr int kSlotBank = 5;  // Select() with a bank number

namespace palbar {

inline constexpr IRect kSwatchGrid{38, 208, 166, 336};
inline constexpr IRect kBankStrip{22, 208, 30, 336};
inline constexpr IRect kSixteenButton{13, 183, 33, 203};
inline constexpr IRect kIndexText{37, 188, 71, 203};
inline constexpr IRect kColorText{77, 188, 167, 203};
inline constexpr IRect kBankStatic{21, 207, 32, 337};
inline constexpr IRect kSwatchStatic{37, 207, 167, 337};
inline constexpr int kCell = 8;

inline constexpr ColorRef kFrameActive = 0xFFFFFF;
inline constexpr ColorRef kFrameLeft = 0x0000FF;
inline constexpr ColorRef kFrameMid = 0x00FF00;
inline constexpr ColorRef kFrameRight = 0xFFFF00;
inline constexpr ColorRef kFrameErase = 0x000000;
inline constexpr ColorRef kBankMarker = 0x0808FF;

}  // namespace palbar

// Slot 1 … 3: its indicator rectangle and label ("Left", "Mid", "Right").
IRect IndicatorRect(int slot);
const char* IndicatorLabel(int slot);
// The indicator's colour fill: its rectangle shrunk by 4 across and 3 down.
IRect IndicatorFillRect(int slot);
// The 8 × 8 cell of a palette index (also its selection frame) and the 6 × 6 swatch in it.
IRect SwatchCellRect(int index);
IRect SwatchRect(int index);
// Row k of the bank strip, where the bank marker dot is drawn.
IRect BankRowRect(int bank);
ColorRef SlotFrameColor(int slot);

bool RectContains(const IRect& r, int x, int y);

struct PaletteBarHit {
    enum Kind { None, Swatch, Bank, Indicator } kind = None;
    int value = 0;  // palette index, bank number or slot
};
PaletteBarHit HitTestPaletteBar(int x, int y);

}  // namespace vorlin
