#include "app/qt/palette_menu_target.h"

#include "palette/palette_commands.h"
#include "app/palette_quick_commands.h"
#include "app/command_ids.h"
#include "app/ui_services.h"

namespace vorlin {

bool PaletteMenuTarget::OnCommand(int id) {
    switch (id) {
        case ID_PAL_CLEAR:
            AskAndClearPalette(doc_, UiServicesInstance());
            return true;
        case ID_PAL_QUICK_SWAP:
            QuickSwap(doc_, &bar_);
            return true;
        case ID_PAL_QUICK_GRADIENT:
            QuickGradient(doc_, &bar_);
            return true;
        case ID_PAL_QUICK_COPY:
            QuickCopy(doc_, &bar_);
            return true;
        case ID_PAL_QUICK_INVERT:
            QuickInvert(doc_, &bar_);
            return true;
        default:
            return false;
    }
}

bool PaletteMenuTarget::OnUpdateCommand(int id, CommandState&) {
    switch (id) {
        case ID_PAL_CLEAR:
        case ID_PAL_QUICK_SWAP:
        case ID_PAL_QUICK_GRADIENT:
        case ID_PAL_QUICK_COPY:
        case ID_PAL_QUICK_INVERT:
            return true;
        default:
            return false;
    }
}

}  // namespace vorlin
