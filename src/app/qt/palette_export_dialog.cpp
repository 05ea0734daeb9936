#include "app/qt/palette_export_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>

#include "app/qt/int_field.h"

namespace vorlin {

PaletteExportDialog::PaletteExportDialog(const PaletteExportRequest& request, QWidget* parent)
    : FormDialog(kPaletteExportCaption, parent), values_(request) {
    startField = new IntField(0, 255, this);
    countField = new IntField(1, 256, this);
    startField->SetValue(request.start);
    countField->SetValue(request.count);
    fromBarButton = new QPushButton("I", this);
    fromBarButton->setToolTip("Take the range between the Left and Right colours");
    fromBarButton->setEnabled(request.fromBar);
    connect(fromBarButton, &QPushButton::clicked, this, &PaletteExportDialog::FillFromBar);
    auto* row = new QHBoxLayout;
    row->addWidget(startField);
    row->addWidget(fromBarButton);
    Form()->addRow("&Start", row);
    Form()->addRow("&Count", countField);
    if (!request.palFormats.empty()) {
        formatBox = new QComboBox(this);
        for (const std::string& name : request.palFormats)
            formatBox->addItem(QString::fromStdString(name));
        formatBox->setCurrentIndex(request.palFormat);
        Form()->addRow("&Format", formatBox);
    }
}

void PaletteExportDialog::FillFromBar() {
    startField->SetValue(std::min(values_.leftIndex, values_.rightIndex));
    countField->SetValue(std::abs(values_.leftIndex - values_.rightIndex) + 1);
}

bool PaletteExportDialog::Exchange() {
    PaletteExportRequest v = values_;
    if (!ReadFields({{startField, &v.start}, {countField, &v.count}})) return false;
    v.count = std::min(v.count, 256 - v.start);
    if (formatBox) v.palFormat = formatBox->currentIndex();
    values_ = v;
    return true;
}

}  // namespace vorlin
