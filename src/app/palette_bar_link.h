// Connects the palette bar model with the document: the document pushes its palette
// into the bar, the bar's colour edits and bank picks come back as document changes.
#pragma once

#include "document/vorlin_doc.h"
#include "app/palette_bar_model.h"

namespace vorlin {

class Profile;

inline constexpr const char* kKeyPalBpc = "PalBPC";

class PaletteBarDocumentLink final : public PaletteBarListener, public PaletteBarSink {
  public:
    // Registers itself with both sides and feeds the bar the current palette.
    PaletteBarDocumentLink(CVorlinDoc& doc, PaletteBarModel& bar);
    ~PaletteBarDocumentLink() override;
    PaletteBarDocumentLink(const PaletteBarDocumentLink&) = delete;
    PaletteBarDocumentLink& operator=(const PaletteBarDocumentLink&) = delete;

    void SetPalette(const ColorRef* colors) override;
    void OnActiveColorEdited(int index, ColorRef color) override;
    // A picture whose pixels lie in several banks loses colours when moved into one: the
    // user is asked first, with the count of pixels whose colour changes.
    bool MayChangeBank(int bank) override;
    // Moves the picture into the bank; undoing it also puts back the bar's `before` state.
    void OnBankSelected(int bank, const PaletteBarBankState& before) override;
    PaletteBarModel& Bar() { return bar_; }
    // The "16" button: the document toggles the bar's sixteen-colour mode.
    void OnSixteenClicked();

  private:
    CVorlinDoc& doc_;
    PaletteBarModel& bar_;
};

// Bits per channel from "main"/"PalBPC" (default 5) and back as 8 − shift.
void LoadPaletteBarSettings(PaletteBarModel& bar, const Profile& profile);
void SavePaletteBarSettings(const PaletteBarModel& bar, Profile& profile);

}  // namespace vorlin
