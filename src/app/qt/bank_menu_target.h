// Palette > Arrange in banks: opens the dialog, which remembers its options while the program runs.
#pragma once

#include "app/bank_dialog.h"
#include "app/command_router.h"

class QWidget;

namespace vorlin {

class CVorlinDoc;

class BankMenuTarget : public CommandTarget {
  public:
    BankMenuTarget(CVorlinDoc& doc, QWidget* dialogParent) : doc_(doc), parent_(dialogParent) {}

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

  private:
    CVorlinDoc& doc_;
    QWidget* parent_;
    BankDialogValues values_;
};

}  // namespace vorlin
