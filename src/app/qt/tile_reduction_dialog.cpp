#include "app/qt/tile_reduction_dialog.h"

#include <QCheckBox>
#include <QFormLayout>

#include "app/qt/int_field.h"

namespace vorlin {

TileReductionDialog::TileReductionDialog(const TileReductionValues& initial, QWidget* parent)
    : FormDialog("Tile reduction", parent), values_(initial) {
    palBox = new QCheckBox("&pal", this);
    flipBox = new QCheckBox("&flip", this);
    metaWidthField = new IntField(1, kMaxMeta, this);
    metaHeightField = new IntField(1, kMaxMeta, this);
    palBox->setChecked(initial.pal);
    flipBox->setChecked(initial.flip);
    metaWidthField->SetValue(initial.metaWidth);
    metaHeightField->SetValue(initial.metaHeight);
    Form()->addRow(palBox);
    Form()->addRow(flipBox);
    Form()->addRow("n&x", metaWidthField);
    Form()->addRow("n&y", metaHeightField);
}

bool TileReductionDialog::Exchange() {
    TileReductionValues v = values_;
    if (!ReadFields({{metaWidthField, &v.metaWidth}, {metaHeightField, &v.metaHeight}}))
        return false;
    v.pal = palBox->isChecked();
    v.flip = flipBox->isChecked();
    values_ = v;
    return true;
}

}  // namespace vorlin
