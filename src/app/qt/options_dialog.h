// "Options": default palette file, bits per shade, clear on load, colour reduction of
// opened true-colour pictures, shared file folder.
#pragma once

#include "app/qt/form_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vorlin {

class Profile;

class OptionsDialog : public FormDialog {
    Q_OBJECT
  public:
    static constexpr int kMinBits = 4;
    static constexpr int kMaxBits = 8;

    // `bitsPerShade` is the palette bar's current value.
    OptionsDialog(Profile& profile, int bitsPerShade, QWidget* parent = nullptr);
    // After OK: the chosen bits per shade (already stored as "PalBPC").
    int BitsPerShade() const { return bitsPerShade_; }

    QLineEdit* paletteEdit;
    QPushButton* browseButton;  // "..." chooses the palette file
    QComboBox* bitsBox;
    QCheckBox* clearBox;
    QComboBox* reductionBox;  // "fast", "best"
    QCheckBox* sharedBox;
    QCheckBox* fitNewBox;    // new and opened pictures start fitted to the view
    QCheckBox* largeBarBox;  // the palette bar at twice its size

  protected:
    bool Exchange() override;

  private slots:
    void OnBrowse();

  private:
    Profile& profile_;
    int bitsPerShade_;
};

// Whether `name` names an existing regular file, as typed or beside the executable.
bool IsUsablePaletteName(const std::string& name);

}  // namespace vorlin
