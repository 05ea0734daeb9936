#include "app/qt/palette_import_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "app/qt/int_field.h"
#include "app/qt/swatch_grid.h"

namespace vorlin {

namespace {
constexpr int kMaxShown = 256;
}

PaletteImportDialog::PaletteImportDialog(const PaletteImportRequest& request, QWidget* parent)
    : FormDialog(kPaletteImportCaption, parent), values_(request) {
    swatches = new SwatchGrid(this);
    QVector<QColor> colours;
    for (std::size_t i = 0; i < request.colors.size() && i < kMaxShown; ++i) {
        const RgbQuad& q = request.colors[i];
        colours.push_back(QColor(q.rgbRed, q.rgbGreen, q.rgbBlue));
    }
    swatches->SetColours(colours);
    Body()->insertWidget(0, swatches);
    sourceField = new IntField(0, 255, this);
    destField = new IntField(0, 255, this);
    countField = new IntField(1, 256, this);
    sourceField->SetValue(request.source);
    destField->SetValue(request.dest);
    countField->SetValue(request.count);
    Form()->addRow("&Source", sourceField);
    Form()->addRow("&Dest", destField);
    Form()->addRow("&Count", countField);
}

bool PaletteImportDialog::Exchange() {
    PaletteImportRequest v = values_;
    if (!ReadFields({{sourceField, &v.source}, {destField, &v.dest}, {countField, &v.count}}))
        return false;
    values_ = v;
    return true;
}

}  // namespace vorlin
