#include "app/qt/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <filesystem>

#include "document/vorlin_doc.h"
#include "app/palette_bar_link.h"
#include "platform/app_paths.h"
#include "app/file_type_set.h"
#include "app/view_settings.h"
#include "app/string_table.h"
#include "app/ui_services.h"
#include "platform/profile.h"

namespace vorlin {

namespace {

bool IsRegularFile(const std::filesystem::path& p) {
    std::error_code ec;
    return !p.empty() && std::filesystem::is_regular_file(p, ec);
}

// The chooser starts where the current name resolves to, which is the shipped palette's
// folder for the first-time "vorlin.pal".
std::string BrowseStartFolder(const std::string& name) {
    std::error_code ec;
    const std::filesystem::path file = IsRegularFile(name)
                                           ? std::filesystem::absolute(name, ec)
                                           : std::filesystem::path(ShippedFilePath(name));
    return file.parent_path().string();
}

std::string PaletteFileFilter() {
    return std::string(LoadResourceString(IDS_FILTER_PAL).value_or("")) +
           std::string(LoadResourceString(IDS_FILTER_ALL).value_or(""));
}

}  // namespace

bool IsUsablePaletteName(const std::string& name) {
    if (name.empty()) return false;
    return IsRegularFile(name) || IsRegularFile(ShippedFilePath(name));
}

OptionsDialog::OptionsDialog(Profile& profile, int bitsPerShade, QWidget* parent)
    : FormDialog("Options", parent), profile_(profile), bitsPerShade_(bitsPerShade) {
    paletteEdit = new QLineEdit(this);
    paletteEdit->setText(QString::fromStdString(
        profile.GetString(kSectionMain, kKeyPalDefault, kDefaultPaletteFile)));
    bitsBox = new QComboBox(this);
    for (int b = kMinBits; b <= kMaxBits; ++b) bitsBox->addItem(QString::number(b));
    bitsBox->setCurrentIndex(std::clamp(bitsPerShade, kMinBits, kMaxBits) - kMinBits);
    clearBox = new QCheckBox("&clear on load", this);
    clearBox->setChecked(profile.GetInt(kSectionMain, kKeyPalClear, 0) != 0);
    reductionBox = new QComboBox(this);
    reductionBox->addItems({"fast", "best"});
    reductionBox->setCurrentIndex(profile.GetInt(kSectionMain, kKeyQuantize, 0) == 1 ? 1 : 0);
    sharedBox = new QCheckBox("&shared file dir", this);
    sharedBox->setChecked(profile.GetInt(kSectionLastFile, kKeyIsSharedDir, 0) != 0);
    fitNewBox = new QCheckBox("&fit new pictures to the view", this);
    fitNewBox->setChecked(profile.GetInt(kSectionMainView, kKeyFitNew, 0) != 0);
    largeBarBox = new QCheckBox("&large palette swatches", this);
    largeBarBox->setChecked(profile.GetInt(kSectionMain, kKeyPalLarge, 0) != 0);
    browseButton = new QPushButton("...", this);
    browseButton->setToolTip("Choose the palette file");
    connect(browseButton, &QPushButton::clicked, this, &OptionsDialog::OnBrowse);
    auto* paletteRow = new QHBoxLayout;
    paletteRow->addWidget(paletteEdit, 1);
    paletteRow->addWidget(browseButton);
    auto* paletteLabel = new QLabel("&default", this);
    paletteLabel->setBuddy(paletteEdit);
    Form()->addRow(paletteLabel, paletteRow);
    Form()->addRow("&bits/shade", bitsBox);
    Form()->addRow(clearBox);
    Form()->addRow("colour &reduction", reductionBox);
    Form()->addRow(sharedBox);
    Form()->addRow(fitNewBox);
    Form()->addRow(largeBarBox);
}

void OptionsDialog::OnBrowse() {
    FileDialogRequest request;
    request.caption = "Default Palette";
    request.filter = PaletteFileFilter();
    request.initialDir = BrowseStartFolder(paletteEdit->text().toStdString());
    if (UiServicesInstance().ChooseFile(request))
        paletteEdit->setText(QString::fromStdString(request.path));
}

bool OptionsDialog::Exchange() {
    const std::string name = paletteEdit->text().toStdString();
    // A name that is no file (or a folder) is not stored, and nothing is said.
    if (IsUsablePaletteName(name)) profile_.WriteString(kSectionMain, kKeyPalDefault, name);
    profile_.WriteInt(kSectionMain, kKeyPalClear, clearBox->isChecked() ? 1 : 0);
    profile_.WriteInt(kSectionMain, kKeyQuantize, reductionBox->currentIndex());
    bitsPerShade_ = bitsBox->currentIndex() + kMinBits;
    profile_.WriteInt(kSectionMain, kKeyPalBpc, bitsPerShade_);
    profile_.WriteInt(kSectionLastFile, kKeyIsSharedDir, sharedBox->isChecked() ? 1 : 0);
    profile_.WriteInt(kSectionMainView, kKeyFitNew, fitNewBox->isChecked() ? 1 : 0);
    profile_.WriteInt(kSectionMain, kKeyPalLarge, largeBarBox->isChecked() ? 1 : 0);
    return true;
}

}  // namespace vorlin
