// "BMP Export", "PCX Exporter" and "PNG Exporter": bit depth, sub palette (0 ... 15) and, for
// PNG, the transparent flag. One object per format keeps its values for the whole run.
#pragma once

#include "ui/qt/form_dialog.h"

class QCheckBox;
class QRadioButton;

namespace vorlin {

class IntField;

struct ExportOptionValues {
    int depth = 8;  // 4, 8 or 24
    int subPalette = 0;
    bool transparent = true;
};

class ExportOptionsDialog : public FormDialog {
    Q_OBJECT
  public:
    ExportOptionsDialog(const QString& caption, bool withTransparent, QWidget* parent = nullptr);

    // Shows the kept values and runs the dialog; true on OK.
    bool Run();
    const ExportOptionValues& Values() const { return values_; }

    QRadioButton* depth4;
    QRadioButton* depth8;
    QRadioButton* depth24;
    IntField* subPaletteField;
    QCheckBox* transparentBox;  // null unless the format has one

  protected:
    bool Exchange() override;

  private:
    void Show(const ExportOptionValues& v);

    ExportOptionValues values_;
};

}  // namespace vorlin
