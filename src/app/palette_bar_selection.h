// The palette bar's selection as the file commands read it.
#pragma once

#include "app/file_commands.h"
#include "app/palette_bar_model.h"

namespace vorlin {

class PaletteBarSelection : public PaletteSelectionSource {
  public:
    explicit PaletteBarSelection(const PaletteBarModel& bar) : bar_(bar) {}
    PaletteSelection Selection() const override {
        // Slot 1 is the Left (fore) colour, slot 3 the Right (background) colour.
        return PaletteSelection{bar_.GetSlotIndex(1), bar_.GetSlotIndex(3),
                                bar_.Bank() < 0 ? 0 : bar_.Bank(), bar_.SixteenMode()};
    }

  private:
    const PaletteBarModel& bar_;
};

}  // namespace vorlin
