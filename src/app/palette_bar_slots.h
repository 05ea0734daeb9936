// The palette bar as the tools see it: one palette index per mouse button.
#pragma once

#include "app/palette_bar_model.h"
#include "tools/tool_host.h"

namespace vorlin {

class PaletteBarButtonSlots final : public ButtonSlots {
  public:
    explicit PaletteBarButtonSlots(PaletteBarModel& bar) : bar_(bar) {}
    int GetSlotIndex(int slot) const override { return bar_.GetSlotIndex(slot); }
    void Select(int slot, int index) override { bar_.Select(slot, index); }

  private:
    PaletteBarModel& bar_;
};

}  // namespace vorlin
