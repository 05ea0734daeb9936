#include "app/qt/bank_arrange_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/int_field.h"

namespace vorlin {

BankArrangeDialog::BankArrangeDialog(CVorlinDoc& doc, const BankDialogValues& initial,
                                     QWidget* parent)
    : QDialog(parent), doc_(doc), values_(initial) {
    setWindowTitle("Arrange in banks");
    tileWidthField = new IntField(8, kMaxBankTileSide, this);
    tileHeightField = new IntField(8, kMaxBankTileSide, this);
    maxBanksField = new IntField(1, kBankCount, this);
    sharedZeroBox = new QCheckBox("Colour &0 is transparent in every bank", this);
    fixedEdit = new QLineEdit(QString::fromStdString(initial.fixedEntries), this);
    fixedEdit->setPlaceholderText("for example 1-3, 200");
    partialBox = new QCheckBox("Change the picture even when some tiles do &not fit", this);
    tileWidthField->SetValue(initial.tileWidth);
    tileHeightField->SetValue(initial.tileHeight);
    maxBanksField->SetValue(initial.maxBanks);
    sharedZeroBox->setChecked(initial.sharedZero);
    partialBox->setChecked(initial.acceptPartial);
    resultLabel = new QLabel(this);
    resultLabel->setWordWrap(true);
    resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout;
    form->addRow("Tile &width (pixels)", tileWidthField);
    form->addRow("Tile &height (pixels)", tileHeightField);
    form->addRow("&Most banks", maxBanksField);
    form->addRow(sharedZeroBox);
    form->addRow("&Fixed entries", fixedEdit);
    form->addRow(partialBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    applyButton = buttons->addButton("&Apply", QDialogButtonBox::ApplyRole);
    connect(applyButton, &QPushButton::clicked, this, &BankArrangeDialog::Apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &BankArrangeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(resultLabel);
    layout->addWidget(buttons);
}

void BankArrangeDialog::Apply() {
    BankDialogValues v = values_;
    if (!ReadFields({{tileWidthField, &v.tileWidth},
                     {tileHeightField, &v.tileHeight},
                     {maxBanksField, &v.maxBanks}}))
        return;
    v.sharedZero = sharedZeroBox->isChecked();
    v.fixedEntries = fixedEdit->text().toStdString();
    v.acceptPartial = partialBox->isChecked();
    values_ = v;
    resultLabel->setText(QString::fromStdString(ApplyBankDialog(doc_, v)));
}

}  // namespace vorlin
