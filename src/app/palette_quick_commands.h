// Palette commands of the menu that need a person or the palette bar: Clear asks
// first, the quick commands take their entries from the bar's Left and Right colours.
#pragma once

#include <string_view>

namespace vorlin {

class CVorlinDoc;
class PaletteBarModel;
class UiServices;

inline constexpr std::string_view kAskClearPalette = "Clear the palette, are you sure?";

// Palette > Clear: after a Yes to the question all entries become black. True when cleared.
bool AskAndClearPalette(CVorlinDoc& doc, UiServices& ui);

// Quick commands from the bar's Left, Mid and Right; nothing without a bar.
void QuickSwap(CVorlinDoc& doc, const PaletteBarModel* bar);
void QuickGradient(CVorlinDoc& doc, const PaletteBarModel* bar);
void QuickCopy(CVorlinDoc& doc, const PaletteBarModel* bar);
void QuickInvert(CVorlinDoc& doc, const PaletteBarModel* bar);

// The bar's shift (8 - bits per channel), 0 without a bar.
int BarShift(const PaletteBarModel* bar);

}  // namespace vorlin
