#include "app/qt/qt_gba_exporter.h"

#include "app/qt/gba_export_dialog.h"

namespace vorlin {

QtGbaExporter::QtGbaExporter(QWidget* parent) : parent_(parent) {}

QtGbaExporter::~QtGbaExporter() = default;

void QtGbaExporter::Export(const std::string& outputPath, const std::string& documentPath,
                           PackedDib picture) {
    if (!dialog_) dialog_ = std::make_unique<GbaExportDialog>(parent_);
    dialog_->Open(outputPath, documentPath, picture);
    if (closed_) closed_();
}

}  // namespace vorlin
