// Message boxes and file dialogs of the desktop application.
#pragma once

#include <QStringList>

#include "app/ui_services.h"

class QWidget;

namespace vorlin {

class QtUiServices : public UiServices {
  public:
    explicit QtUiServices(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    UiAnswer Message(std::string_view text, std::string_view caption, UiButtons buttons,
                     UiIcon icon) override;
    bool ChooseFile(FileDialogRequest& request) override;
    bool AskExportOptions(ExportOptionsRequest& request) override;
    bool AskPaletteImport(PaletteImportRequest& request) override;
    bool AskPaletteExport(PaletteExportRequest& request) override;
    void ShowStatus(std::string_view text) override;

  private:
    QWidget* parent_;
};

// "Desc|*.a;*.b|Other|*.c|" as Qt name filters: "Desc (*.a *.b)", "Other (*.c)".
QStringList ToNameFilters(const std::string& filter);

}  // namespace vorlin
