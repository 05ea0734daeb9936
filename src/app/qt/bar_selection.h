// What the file commands read from the palette bar: Left, Right, bank and sixteen-colour mode.
#pragma once

#include <algorithm>

#include "app/file_commands.h"
#include "app/palette_bar_model.h"

namespace vorlin {

class BarSelection final : public PaletteSelectionSource {
  public:
    explicit BarSelection(const PaletteBarModel& bar) : bar_(bar) {}
    PaletteSelection Selection() const override {
        return {bar_.GetSlotIndex(kSlotLeft), bar_.GetSlotIndex(kSlotRight),
                std::max(bar_.Bank(), 0), bar_.SixteenMode()};
    }

  private:
    const PaletteBarModel& bar_;
};

}  // namespace vorlin
