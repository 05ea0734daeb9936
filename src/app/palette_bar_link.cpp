#include "app/palette_bar_link.h"

#include "palette/palette_commands.h"
#include "platform/profile.h"

namespace vorlin {

PaletteBarDocumentLink::PaletteBarDocumentLink(CVorlinDoc& doc, PaletteBarModel& bar)
    : doc_(doc), bar_(bar) {
    bar_.SetListener(this);
    doc_.SetPaletteBar(this);
    doc_.RefreshPaletteBar();
}

PaletteBarDocumentLink::~PaletteBarDocumentLink() {
    if (doc_.GetPaletteBar() == this) doc_.SetPaletteBar(nullptr);
    bar_.SetListener(nullptr);
}

void PaletteBarDocumentLink::SetPalette(const ColorRef* colors) {
    bar_.SetPalette(colors);
}

void PaletteBarDocumentLink::OnActiveColorEdited(int index, ColorRef color) {
    doc_.SetPaletteEntryColorRef(index, color);
}

void PaletteBarDocumentLink::OnBankSelected(int bank) {
    MoveToSubPalette(doc_, bank);
}

void PaletteBarDocumentLink::OnSixteenClicked() {
    bar_.ToggleSixteenMode();
}

void LoadPaletteBarSettings(PaletteBarModel& bar, const Profile& profile) {
    bar.SetBitsPerChannel(
        profile.GetInt(kSectionMain, kKeyPalBpc, PaletteBarModel::kDefaultBitsPerChannel));
}

void SavePaletteBarSettings(const PaletteBarModel& bar, Profile& profile) {
    profile.WriteInt(kSectionMain, kKeyPalBpc, 8 - bar.Shift());
}

}  // namespace vorlin
