// The editor's GBA exporter: the export dialog, created on the first export and
// kept (with all its settings) until the exporter goes away with the main window.
#pragma once

#include <functional>
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
    // Called after every export dialog closes: its settings may have changed.
    void SetClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

  private:
    QWidget* parent_;
    std::unique_ptr<GbaExportDialog> dialog_;
    std::function<void()> closed_;
};

}  // namespace vorlin
