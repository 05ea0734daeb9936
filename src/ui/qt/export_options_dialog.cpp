#include "ui/qt/export_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/int_field.h"

namespace vorlin {

ExportOptionsDialog::ExportOptionsDialog(const QString& caption, bool withTransparent,
                                         QWidget* parent)
    : FormDialog(caption, parent), transparentBox(nullptr) {
    auto* group = new QGroupBox("&Bit depth", this);
    auto* groupLayout = new QVBoxLayout(group);
    depth4 = new QRadioButton("4 (16 color)", group);
    depth8 = new QRadioButton("8 (256 colors)", group);
    depth24 = new QRadioButton("24 ", group);
    auto* buttons = new QButtonGroup(this);
    for (QRadioButton* b : {depth4, depth8, depth24}) {
        buttons->addButton(b);
        groupLayout->addWidget(b);
    }
    Form()->addRow(group);
    subPaletteField = new IntField(0, 15, this);
    Form()->addRow("Sub &palette", subPaletteField);
    if (withTransparent) {
        transparentBox = new QCheckBox("&Transparent", this);
        Form()->addRow(transparentBox);
    }
    Show(values_);
}

void ExportOptionsDialog::Show(const ExportOptionValues& v) {
    depth4->setChecked(v.depth == 4);
    depth8->setChecked(v.depth == 8);
    depth24->setChecked(v.depth == 24);
    subPaletteField->SetValue(v.subPalette);
    if (transparentBox) transparentBox->setChecked(v.transparent);
}

bool ExportOptionsDialog::Run() {
    Show(values_);
    return exec() == QDialog::Accepted;
}

bool ExportOptionsDialog::Exchange() {
    ExportOptionValues v = values_;
    if (!subPaletteField->Read(&v.subPalette)) return false;
    v.depth = depth4->isChecked() ? 4 : depth24->isChecked() ? 24 : 8;
    if (transparentBox) v.transparent = transparentBox->isChecked();
    values_ = v;
    return true;
}

}  // namespace vorlin
