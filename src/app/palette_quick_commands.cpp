#include "app/palette_quick_commands.h"

#include <cstdint>

#include "app/palette_bar_model.h"
#include "app/ui_services.h"
#include "document/vorlin_doc.h"
#include "palette/palette_commands.h"

namespace vorlin {

bool AskAndClearPalette(CVorlinDoc& doc, UiServices& ui) {
    return ui.AskYesNo(kAskClearPalette) == UiAnswer::Yes && ClearPalette(doc);
}

int BarShift(const PaletteBarModel* bar) {
    return bar ? bar->Shift() : 0;
}

void QuickSwap(CVorlinDoc& doc, const PaletteBarModel* bar) {
    if (!bar) return;
    const std::uint8_t l = static_cast<std::uint8_t>(bar->GetSlotIndex(kSlotLeft));
    const std::uint8_t r = static_cast<std::uint8_t>(bar->GetSlotIndex(kSlotRight));
    const std::uint8_t from[] = {l, r};
    const std::uint8_t to[] = {r, l};
    PermutePalette(doc, from, to, 2);
}

void QuickGradient(CVorlinDoc& doc, const PaletteBarModel* bar) {
    if (bar) GradientPalette(doc, bar->GetSlotIndex(kSlotLeft), bar->GetSlotIndex(kSlotRight));
}

void QuickCopy(CVorlinDoc& doc, const PaletteBarModel* bar) {
    if (!bar) return;
    const RgbQuad left = doc.image.Palette()[bar->GetSlotIndex(kSlotLeft)];
    doc.SetPaletteEntry(bar->GetSlotIndex(kSlotRight), left);
    doc.RefreshPaletteBar();
}

void QuickInvert(CVorlinDoc& doc, const PaletteBarModel* bar) {
    if (bar)
        InvertPalette(doc, bar->GetSlotIndex(kSlotLeft), bar->GetSlotIndex(kSlotRight),
                      bar->Shift());
}

}  // namespace vorlin
