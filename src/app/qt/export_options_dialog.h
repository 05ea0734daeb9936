// "BMP Export", "PCX Exporter" and "PNG Exporter": bit depth, sub palette (0 ... 15) and, for
// PNG, the transparent flag. The file commands keep the values between uses.
#pragma once

#include "app/file_requests.h"
#include "app/qt/form_dialog.h"

class QCheckBox;
class QRadioButton;

namespace vorlin {

class IntField;

class ExportOptionsDialog : public FormDialog {
    Q_OBJECT
  public:
    explicit ExportOptionsDialog(const ExportOptionsRequest& request, QWidget* parent = nullptr);
    const ExportOptionsRequest& Values() const { return values_; }

    QRadioButton* depth4;
    QRadioButton* depth8;
    QRadioButton* depth24;
    IntField* subPaletteField;
    QCheckBox* transparentBox;  // null unless the format has one

  protected:
    bool Exchange() override;

  private:
    ExportOptionsRequest values_;
};

}  // namespace vorlin
