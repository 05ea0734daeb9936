// The export dialog's preview pane: the picture the console will show for the
// current settings (or the source, or where the two differ), the export's
// figures and its warnings; clicking a warning marks its tile. Previews are
// computed on a worker thread, the newest request winning.
#pragma once

#include <QImage>
#include <QThreadPool>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "app/export_dialog_values.h"
#include "export/export_preview.h"

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

namespace vorlin {

// Draws one image scaled to fit without smoothing, with an optional frame
// around a rectangle of image pixels.
class PreviewCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewCanvas(QWidget* parent = nullptr);
    void SetImage(const QImage& image);
    void SetHighlight(const QRect& pixels);
    const QImage& Image() const { return image_; }
    const QRect& Highlight() const { return highlight_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    QRect highlight_;
};

// What the worker hands back: the preview and its three pictures.
struct PaneResult {
    ExportPreview preview;
    QImage source, console, difference;
    int left = 0, top = 0;  // picture position of the area
};

enum PreviewView { VIEW_SOURCE, VIEW_CONSOLE, VIEW_DIFFERENCE };

// One preview to compute: the settings, the open picture and, with "Also
// export" files, which picture's map to show (0: the open picture's).
struct PaneTask {
    ExportDialogValues values;
    std::string documentPath;
    DibPtr picture;
    std::size_t chosen = 0;
};

class ConsolePreviewPane : public QWidget {
    Q_OBJECT
  public:
    explicit ConsolePreviewPane(QWidget* parent = nullptr);
    ~ConsolePreviewPane() override;

    // Previews these settings on `picture` (copied before returning; null
    // clears the pane).
    void Preview(const ExportDialogValues& values, const std::string& documentPath,
                 PackedDib picture);

    // Previews shown so far, and the last one (null before the first).
    int ShownCount() const { return shownCount_; }
    const PaneResult* Shown() const { return shown_.get(); }

    QComboBox* pictureChooser;  // the open picture, then each "Also export" file
    std::array<QRadioButton*, 3> viewRadios;  // source, console, difference
    QSpinBox* charBlockBox;
    QSpinBox* screenBlockBox;
    PreviewCanvas* canvas;
    QPlainTextEdit* statsView;
    QListWidget* warningList;

  signals:
    void previewShown();

  private:
    void StartNext();
    void Request();
    void Show(std::shared_ptr<PaneResult> result);
    void ShowView();
    void ShowWarnings();
    void OnWarningClicked(QListWidgetItem* item);
    void OnPlacementChanged();

    QThreadPool worker_;
    void ListPictures();

    std::shared_ptr<PaneTask> pending_;  // the newest request not started yet
    VramPlacement pendingPlacement_;
    bool busy_ = false;
    std::shared_ptr<PaneResult> shown_;
    int shownCount_ = 0;
    // The last request, kept to preview again when the memory placement changes.
    ExportDialogValues values_;
    std::string documentPath_;
    DibPtr picture_;
};

}  // namespace vorlin
