#include "app/qt/bank_menu_target.h"

#include "app/command_ids.h"
#include "app/qt/bank_arrange_dialog.h"

namespace vorlin {

bool BankMenuTarget::OnCommand(int id) {
    if (id != ID_PAL_ARRANGE_BANKS) return false;
    BankArrangeDialog dialog(doc_, values_, parent_);
    dialog.exec();
    values_ = dialog.Values();
    return true;
}

bool BankMenuTarget::OnUpdateCommand(int id, CommandState&) {
    return id == ID_PAL_ARRANGE_BANKS;
}

}  // namespace vorlin
