// Palette > Arrange in banks: the options, Apply (one undo step each time) and the result line.
#pragma once

#include <QDialog>

#include "app/bank_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlin {

class CVorlinDoc;
class IntField;

class BankArrangeDialog : public QDialog {
    Q_OBJECT
  public:
    BankArrangeDialog(CVorlinDoc& doc, const BankDialogValues& initial, QWidget* parent = nullptr);
    const BankDialogValues& Values() const { return values_; }

    IntField* tileWidthField;
    IntField* tileHeightField;
    IntField* maxBanksField;
    QCheckBox* sharedZeroBox;
    QLineEdit* fixedEdit;
    QCheckBox* partialBox;
    QPushButton* applyButton;
    QLabel* resultLabel;

  private:
    void Apply();

    CVorlinDoc& doc_;
    BankDialogValues values_;
};

}  // namespace vorlin
