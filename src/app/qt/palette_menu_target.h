// The Palette menu commands that need no dialog: Clear and the four Quick commands, which
// work between the palette bar's Left and Right colours.
#pragma once

#include "app/command_router.h"

namespace vorlin {

class CVorlinDoc;
class PaletteBarModel;

class PaletteMenuTarget : public CommandTarget {
  public:
    PaletteMenuTarget(CVorlinDoc& doc, PaletteBarModel& bar) : doc_(doc), bar_(bar) {}

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

  private:
    CVorlinDoc& doc_;
    PaletteBarModel& bar_;
};

}  // namespace vorlin
