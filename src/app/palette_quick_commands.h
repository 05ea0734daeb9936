// Palette commands that take their entries from the palette bar's Left and Right colours.
#pragma once

namespace vorlin {

class CVorlinDoc;
class PaletteBarModel;

// Quick commands from the bar's Left, Mid and Right; nothing without a bar.
void QuickSwap(CVorlinDoc& doc, const PaletteBarModel* bar);
void QuickGradient(CVorlinDoc& doc, const PaletteBarModel* bar);
void QuickCopy(CVorlinDoc& doc, const PaletteBarModel* bar);
void QuickInvert(CVorlinDoc& doc, const PaletteBarModel* bar);

// The bar's shift (8 - bits per channel), 0 without a bar.
int BarShift(const PaletteBarModel* bar);

}  // namespace vorlin
