#include "ui/qt/palette_import_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "ui/qt/int_field.h"
#include "ui/qt/swatch_grid.h"

namespace vorlin {

PaletteImportDialog::PaletteImportDialog(QWidget* parent) : FormDialog("Palette Import", parent) {
    swatches = new SwatchGrid(this);
    Body()->insertWidget(0, swatches);
    sourceField = new IntField(0, 255, this);
    destField = new IntField(0, 255, this);
    countField = new IntField(1, 256, this);
    Form()->addRow("&Source", sourceField);
    Form()->addRow("&Dest", destField);
    Form()->addRow("&Count", countField);
}

bool PaletteImportDialog::Run(const QVector<QColor>& fileColours) {
    swatches->SetColours(fileColours.mid(0, 256));
    fileColours_ = static_cast<int>(swatches->Colours().size());
    sourceField->SetValue(values_.source);
    destField->SetValue(values_.dest);
    countField->SetValue(fileColours_);
    return exec() == QDialog::Accepted;
}

bool PaletteImportDialog::Exchange() {
    PaletteImportValues v;
    if (!ReadFields({{sourceField, &v.source}, {destField, &v.dest}, {countField, &v.count}}))
        return false;
    if (v.count > fileColours_ - v.source) v.count = fileColours_ - v.source;
    if (v.dest + v.count > 256) v.count = 256 - v.dest;
    values_ = v;
    return true;
}

}  // namespace vorlin
