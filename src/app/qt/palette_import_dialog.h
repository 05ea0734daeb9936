// "Palette Import": shows the file's colours (16 to a row) and asks which run of them goes
// where; the file commands fit the count to what the file and the palette hold.
#pragma once

#include "app/file_requests.h"
#include "app/qt/form_dialog.h"

namespace vorlin {

class IntField;
class SwatchGrid;

class PaletteImportDialog : public FormDialog {
    Q_OBJECT
  public:
    explicit PaletteImportDialog(const PaletteImportRequest& request, QWidget* parent = nullptr);
    const PaletteImportRequest& Values() const { return values_; }

    IntField* sourceField;
    IntField* destField;
    IntField* countField;
    SwatchGrid* swatches;

  protected:
    bool Exchange() override;

  private:
    PaletteImportRequest values_;
};

}  // namespace vorlin
