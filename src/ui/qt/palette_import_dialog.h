// "Palette Import": shows the file's colours and asks which run of them goes where.
#pragma once

#include <QColor>
#include <QVector>

#include "ui/qt/form_dialog.h"

namespace vorlin {

class IntField;
class SwatchGrid;

struct PaletteImportValues {
    int source = 0;
    int dest = 0;
    int count = 0;  // already lowered to what fits; 0 or less copies nothing
};

class PaletteImportDialog : public FormDialog {
    Q_OBJECT
  public:
    explicit PaletteImportDialog(QWidget* parent = nullptr);

    // Shows at most 256 file colours; the count starts at their number, source and
    // destination keep their last values. True on OK.
    bool Run(const QVector<QColor>& fileColours);
    const PaletteImportValues& Values() const { return values_; }

    IntField* sourceField;
    IntField* destField;
    IntField* countField;
    SwatchGrid* swatches;

  protected:
    bool Exchange() override;

  private:
    PaletteImportValues values_;
    int fileColours_ = 0;
};

}  // namespace vorlin
