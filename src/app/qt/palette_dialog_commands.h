// Palette > Swap, Sort, Gradient, Copy (the modeless dialogs, each made at first use and
// shown again later) and Palette > Adjust (the modal tone-curve dialog).
#pragma once

#include <memory>

#include "app/command_router.h"
#include "app/palette_dialogs.h"
#include "app/tone_curve_dialog.h"

class QWidget;

namespace vorlin {

class CVorlinDoc;
class PaletteBarModel;
class PaletteToolDialog;
class ToneCurveWindow;

class PaletteDialogCommands : public CommandTarget {
  public:
    PaletteDialogCommands(CVorlinDoc& doc, const PaletteBarModel& bar, QWidget* dialogParent);
    ~PaletteDialogCommands() override;

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // The dialog of a menu command (33402 … 33405), null before its first use.
    PaletteToolDialog* Dialog(int id) const;

  private:
    PaletteToolDialog& Open(int id);
    void AdjustToneCurve();

    CVorlinDoc& doc_;
    const PaletteBarModel& bar_;
    QWidget* dialogParent_;
    PaletteSorterModel sorter_;
    PaletteSwapperModel swapper_;
    PaletteGradientModel gradient_;
    PaletteCopyModel copy_;
    ToneCurveDialogModel toneCurve_;
    std::unique_ptr<PaletteToolDialog> sorterDialog_, swapperDialog_, gradientDialog_, copyDialog_;
};

}  // namespace vorlin
