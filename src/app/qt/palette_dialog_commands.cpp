#include "app/qt/palette_dialog_commands.h"

#include "app/command_ids.h"
#include "app/qt/palette_tool_dialogs.h"
#include "app/qt/tone_curve_window.h"
#include "app/ui_services.h"

namespace vorlin {

PaletteDialogCommands::PaletteDialogCommands(CVorlinDoc& doc, const PaletteBarModel& bar,
                                             QWidget* dialogParent)
    : doc_(doc),
      bar_(bar),
      dialogParent_(dialogParent),
      sorter_(&doc, &bar),
      swapper_(&doc, &bar),
      gradient_(&doc, &bar),
      copy_(&doc, &bar) {}

PaletteDialogCommands::~PaletteDialogCommands() = default;

PaletteToolDialog* PaletteDialogCommands::Dialog(int id) const {
    switch (id) {
        case ID_PAL_SORT:
            return sorterDialog_.get();
        case ID_PAL_SWAP:
            return swapperDialog_.get();
        case ID_PAL_GRADIENT:
            return gradientDialog_.get();
        case ID_PAL_COPY:
            return copyDialog_.get();
        default:
            return nullptr;
    }
}

PaletteToolDialog& PaletteDialogCommands::Open(int id) {
    switch (id) {
        case ID_PAL_SORT:
            if (!sorterDialog_)
                sorterDialog_ = std::make_unique<PaletteSorterDialog>(sorter_, dialogParent_);
            return *sorterDialog_;
        case ID_PAL_SWAP:
            if (!swapperDialog_) swapperDialog_ = MakeSwapDialog(swapper_, dialogParent_);
            return *swapperDialog_;
        case ID_PAL_GRADIENT:
            if (!gradientDialog_) gradientDialog_ = MakeGradientDialog(gradient_, dialogParent_);
            return *gradientDialog_;
        default:
            if (!copyDialog_) copyDialog_ = std::make_unique<PaletteCopyDialog>(copy_, dialogParent_);
            return *copyDialog_;
    }
}

void PaletteDialogCommands::AdjustToneCurve() {
    const std::string refusal = toneCurve_.Open(&doc_, &bar_);
    if (!refusal.empty()) UiServicesInstance().Inform(refusal, UiIcon::Warning);
    ToneCurveWindow window(toneCurve_, dialogParent_);
    window.exec();
}

bool PaletteDialogCommands::OnCommand(int id) {
    switch (id) {
        case ID_PAL_SORT:
        case ID_PAL_SWAP:
        case ID_PAL_GRADIENT:
        case ID_PAL_COPY:
            Open(id).ShowDialog();
            return true;
        case ID_PAL_ADJUST:
            AdjustToneCurve();
            return true;
        default:
            return false;
    }
}

bool PaletteDialogCommands::OnUpdateCommand(int id, CommandState&) {
    switch (id) {
        case ID_PAL_SORT:
        case ID_PAL_SWAP:
        case ID_PAL_GRADIENT:
        case ID_PAL_COPY:
        case ID_PAL_ADJUST:
            return true;
        default:
            return false;
    }
}

}  // namespace vorlin
