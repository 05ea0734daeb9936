#include "app/qt/palette_tool_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/palette_dialogs.h"

namespace vorlin {
namespace {

QCheckBox* MakeCheck(const QString& text, int id, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::number(id));
    return box;
}

struct KeyChoice {
    int id;
    const char* text;
    PaletteSortKey key;
};
constexpr KeyChoice kKeys[] = {
    {IDC_PAL_KEY_HUE, "&hue", PaletteSortKey::Hue},
    {IDC_PAL_KEY_BRIGHTNESS, "&brightness", PaletteSortKey::Brightness},
    {IDC_PAL_KEY_POPULATION, "&population", PaletteSortKey::Population},
    {IDC_PAL_KEY_APPEARANCE, "&appearance", PaletteSortKey::Appearance},
};

}  // namespace

PaletteSorterDialog::PaletteSorterDialog(PaletteSorterModel& model, QWidget* parent)
    : PaletteToolDialog(model, {{IDC_PAL_FIRST, "&first"}, {IDC_PAL_LAST, "&last"}}, parent),
      sorter_(model),
      ascending_(MakeCheck("Ascending", IDC_PAL_ASCENDING, this)),
      keys_(new QButtonGroup(this)) {
    auto* column = new QVBoxLayout;
    for (const KeyChoice& choice : kKeys) {
        auto* radio = new QRadioButton(choice.text, this);
        radio->setObjectName(QString::number(choice.id));
        keys_->addButton(radio, choice.id);
        column->addWidget(radio);
    }
    Form()->addRow("key", column);
    Form()->addRow(ascending_);
}

void PaletteSorterDialog::ReadExtras() {
    sorter_.ascending = ascending_->isChecked();
    for (const KeyChoice& choice : kKeys)
        if (keys_->checkedId() == choice.id) sorter_.key = choice.key;
}

void PaletteSorterDialog::WriteExtras() {
    ascending_->setChecked(sorter_.ascending);
    for (const KeyChoice& choice : kKeys)
        if (sorter_.key == choice.key) keys_->button(choice.id)->setChecked(true);
}

PaletteCopyDialog::PaletteCopyDialog(PaletteCopyModel& model, QWidget* parent)
    : PaletteToolDialog(model,
                        {{IDC_PAL_COPY_SOURCE, "&Source"},
                         {IDC_PAL_COPY_DEST, "&Dest"},
                         {IDC_PAL_COUNT, "&Count"},
                         {IDC_PAL_HUE_FROM, "Use hue from "}},
                        parent),
      copy_(model),
      hueRotate_(MakeCheck("&hue rotate", IDC_PAL_HUE_ROTATE, this)) {
    Form()->insertRow(3, hueRotate_);
    connect(hueRotate_, &QCheckBox::toggled, this, [this] { EnableHueSource(); });
    EnableHueSource();
}

void PaletteCopyDialog::EnableHueSource() {
    copy_.hueRotate = hueRotate_->isChecked();
    FieldEdit(IDC_PAL_HUE_FROM)->setEnabled(copy_.HueSourceEnabled());
}

void PaletteCopyDialog::ReadExtras() {
    copy_.hueRotate = hueRotate_->isChecked();
}

void PaletteCopyDialog::WriteExtras() {
    hueRotate_->setChecked(copy_.hueRotate);
    EnableHueSource();
}

std::unique_ptr<PaletteToolDialog> MakeSwapDialog(PaletteSwapperModel& model, QWidget* parent) {
    return std::make_unique<PaletteToolDialog>(
        model,
        std::vector<FieldLabel>{
            {IDC_PAL_SWAP_A, "start &A"}, {IDC_PAL_SWAP_B, "start &B"}, {IDC_PAL_COUNT, "&Count"}},
        parent);
}

std::unique_ptr<PaletteToolDialog> MakeGradientDialog(PaletteGradientModel& model,
                                                      QWidget* parent) {
    return std::make_unique<PaletteToolDialog>(
        model, std::vector<FieldLabel>{{IDC_PAL_FIRST, "end index"}, {IDC_PAL_LAST, "end index"}},
        parent);
}

}  // namespace vorlin
