// The editor's GBA exporter: the export dialog, created on the first export and
// kept (with all its settings) until the exporter goes away with the main window.
#pragma once

#include <memory>

#include "app/gba_exporter.h"

class QWidget;

namespace vorlin {

class GbaExportDialog;

class QtGbaExporter : public GbaExporter {
  public:
    explicit QtGbaExporter(QWidget* parent);
    ~QtGbaExporter() override;

    void Export(const std::string& outputPath, const std::string& documentPath,
                PackedDib picture) override;
    // Null until the first export.
    GbaExportDialog* Dialog() const { return dialog_.get(); }

  private:
    QWidget* parent_;
    std::unique_ptr<GbaExportDialog> dialog_;
};

}  // namespace vorlin
