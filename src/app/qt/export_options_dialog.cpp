#include "app/qt/export_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/int_field.h"

namespace vorlin {

ExportOptionsDialog::ExportOptionsDialog(const ExportOptionsRequest& request, QWidget* parent)
    : FormDialog(QString::fromStdString(request.caption), parent),
      transparentBox(nullptr),
      values_(request) {
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
    depth4->setChecked(request.depth == 4);
    depth24->setChecked(request.depth == 24);
    depth8->setChecked(request.depth != 4 && request.depth != 24);
    Form()->addRow(group);
    subPaletteField = new IntField(0, 15, this);
    subPaletteField->SetValue(request.subPalette);
    Form()->addRow("Sub &palette", subPaletteField);
    if (request.offersTransparent) {
        transparentBox = new QCheckBox("&Transparent", this);
        transparentBox->setChecked(request.transparent);
        Form()->addRow(transparentBox);
    }
}

bool ExportOptionsDialog::Exchange() {
    ExportOptionsRequest v = values_;
    if (!subPaletteField->Read(&v.subPalette)) return false;
    v.depth = depth4->isChecked() ? 4 : depth24->isChecked() ? 24 : 8;
    if (transparentBox) v.transparent = transparentBox->isChecked();
    values_ = v;
    return true;
}

}  // namespace vorlin
