#include "ui/qt/palette_export_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>

#include "ui/qt/int_field.h"

namespace vorlin {

PaletteExportDialog::PaletteExportDialog(SelectionSource selection, QWidget* parent)
    : FormDialog("Palette Exporter", parent), selection_(std::move(selection)) {
    startField = new IntField(0, 255, this);
    countField = new IntField(1, 256, this);
    fromBarButton = new QPushButton("I", this);
    fromBarButton->setToolTip("Take the range between the Left and Right colours");
    connect(fromBarButton, &QPushButton::clicked, this, &PaletteExportDialog::FillFromBar);
    auto* row = new QHBoxLayout;
    row->addWidget(startField);
    row->addWidget(fromBarButton);
    Form()->addRow("&Start", row);
    Form()->addRow("&Count", countField);
}

bool PaletteExportDialog::Run() {
    startField->SetValue(start_);
    countField->SetValue(count_);
    fromBarButton->setEnabled(selection_ && selection_().has_value());
    return exec() == QDialog::Accepted;
}

void PaletteExportDialog::FillFromBar() {
    const auto lr = selection_ ? selection_() : std::nullopt;
    if (!lr) return;
    startField->SetValue(std::min(lr->first, lr->second));
    countField->SetValue(std::abs(lr->first - lr->second) + 1);
}

bool PaletteExportDialog::Exchange() {
    int start = 0, count = 0;
    if (!ReadFields({{startField, &start}, {countField, &count}})) return false;
    start_ = start;
    count_ = std::min(count, 256 - start);
    return true;
}

}  // namespace vorlin
