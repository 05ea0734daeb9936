#include "app/qt/grid_settings_dialog.h"

#include <QCheckBox>
#include <QFormLayout>

#include "app/qt/int_field.h"

namespace vorlin {

GridSettingsDialog::GridSettingsDialog(const GridSettings& initial, QWidget* parent)
    : FormDialog("Grid Settings", parent), values_(initial) {
    texelBox = new QCheckBox("Pixel Grid", this);
    tileBox = new QCheckBox("Tile Grid", this);
    widthField = new IntField(kMinTile, kMaxTile, this);
    heightField = new IntField(kMinTile, kMaxTile, this);
    texelBox->setChecked(initial.texelGrid);
    tileBox->setChecked(initial.tileGrid);
    widthField->SetValue(initial.tileWidth);
    heightField->SetValue(initial.tileHeight);
    Form()->addRow(texelBox);
    Form()->addRow(tileBox);
    Form()->addRow("&Width", widthField);
    Form()->addRow("&Height", heightField);
}

bool GridSettingsDialog::Exchange() {
    GridSettings v = values_;
    if (!ReadFields({{widthField, &v.tileWidth}, {heightField, &v.tileHeight}})) return false;
    v.texelGrid = texelBox->isChecked();
    v.tileGrid = tileBox->isChecked();
    values_ = v;
    return true;
}

}  // namespace vorlin
