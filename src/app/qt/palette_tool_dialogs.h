// The four modeless palette dialogs: "Palette Sorter", "Palette-index swap", "Gradient"
// and "Palette copy (experimental)".
#pragma once

#include <memory>

#include "app/qt/palette_tool_dialog.h"

class QButtonGroup;
class QCheckBox;

namespace vorlin {

class PaletteCopyModel;
class PaletteGradientModel;
class PaletteSorterModel;
class PaletteSwapperModel;

class PaletteSorterDialog : public PaletteToolDialog {
    Q_OBJECT
  public:
    PaletteSorterDialog(PaletteSorterModel& model, QWidget* parent);
    QCheckBox* AscendingBox() const { return ascending_; }
    QButtonGroup* KeyGroup() const { return keys_; }

  protected:
    void ReadExtras() override;
    void WriteExtras() override;

  private:
    PaletteSorterModel& sorter_;
    QCheckBox* ascending_;
    QButtonGroup* keys_;
};

class PaletteCopyDialog : public PaletteToolDialog {
    Q_OBJECT
  public:
    PaletteCopyDialog(PaletteCopyModel& model, QWidget* parent);
    QCheckBox* HueRotateBox() const { return hueRotate_; }

  protected:
    void ReadExtras() override;
    void WriteExtras() override;

  private:
    void EnableHueSource();

    PaletteCopyModel& copy_;
    QCheckBox* hueRotate_;
};

std::unique_ptr<PaletteToolDialog> MakeSwapDialog(PaletteSwapperModel& model, QWidget* parent);
std::unique_ptr<PaletteToolDialog> MakeGradientDialog(PaletteGradientModel& model,
                                                      QWidget* parent);

}  // namespace vorlin
