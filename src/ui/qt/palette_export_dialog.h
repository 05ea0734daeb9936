// "Palette Exporter": the run of palette entries written to a palette file.
#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "ui/qt/form_dialog.h"

class QPushButton;

namespace vorlin {

class IntField;

class PaletteExportDialog : public FormDialog {
    Q_OBJECT
  public:
    // The palette bar's Left and Right indices; none while there is no palette bar.
    using SelectionSource = std::function<std::optional<std::pair<int, int>>()>;

    explicit PaletteExportDialog(SelectionSource selection, QWidget* parent = nullptr);
    bool Run();
    int Start() const { return start_; }
    int Count() const { return count_; }  // start + count <= 256

    IntField* startField;
    IntField* countField;
    QPushButton* fromBarButton;

  protected:
    bool Exchange() override;

  private:
    void FillFromBar();

    SelectionSource selection_;
    int start_ = 0;
    int count_ = 256;
};

}  // namespace vorlin
