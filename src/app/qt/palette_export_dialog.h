// "Palette Exporter": the run of palette entries written to a palette file. Its "I" button
// takes the range between the palette bar's Left and Right colours.
#pragma once

#include "app/file_requests.h"
#include "app/qt/form_dialog.h"

class QComboBox;
class QPushButton;

namespace vorlin {

class IntField;

class PaletteExportDialog : public FormDialog {
    Q_OBJECT
  public:
    // "I" is enabled when the request's Left and Right come from a palette bar.
    explicit PaletteExportDialog(const PaletteExportRequest& request, QWidget* parent = nullptr);
    // After OK the count fits: start + count <= 256.
    const PaletteExportRequest& Values() const { return values_; }

    IntField* startField;
    IntField* countField;
    QPushButton* fromBarButton;
    // The layout of a ".pal" file; null when the name is not ".pal".
    QComboBox* formatBox = nullptr;

  protected:
    bool Exchange() override;

  private:
    void FillFromBar();

    PaletteExportRequest values_;
};

}  // namespace vorlin
