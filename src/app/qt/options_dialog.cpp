#include "app/qt/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <algorithm>
#include <filesystem>

#include "document/vorlin_doc.h"
#include "app/palette_bar_link.h"
#include "platform/app_paths.h"
#include "app/file_type_set.h"
#include "platform/profile.h"

namespace vorlin {

namespace {

bool IsRegularFile(const std::filesystem::path& p) {
    std::error_code ec;
    return !p.empty() && std::filesystem::is_regular_file(p, ec);
}
}  // namespace

bool IsUsablePaletteName(const std::string& name) {
    if (name.empty()) return false;
    if (IsRegularFile(name)) return true;
    const std::string dir = ExecutableDir();
    return !dir.empty() && IsRegularFile(std::filesystem::path(dir) / name);
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
    sharedBox = new QCheckBox("&shared file dir", this);
    sharedBox->setChecked(profile.GetInt(kSectionLastFile, kKeyIsSharedDir, 0) != 0);
    Form()->addRow("&default", paletteEdit);
    Form()->addRow("&bits/shade", bitsBox);
    Form()->addRow(clearBox);
    Form()->addRow(sharedBox);
}

bool OptionsDialog::Exchange() {
    const std::string name = paletteEdit->text().toStdString();
    // A name that is no file (or a folder) is not stored, and nothing is said.
    if (IsUsablePaletteName(name)) profile_.WriteString(kSectionMain, kKeyPalDefault, name);
    profile_.WriteInt(kSectionMain, kKeyPalClear, clearBox->isChecked() ? 1 : 0);
    bitsPerShade_ = bitsBox->currentIndex() + kMinBits;
    profile_.WriteInt(kSectionMain, kKeyPalBpc, bitsPerShade_);
    profile_.WriteInt(kSectionLastFile, kKeyIsSharedDir, sharedBox->isChecked() ? 1 : 0);
    return true;
}

}  // namespace vorlin
