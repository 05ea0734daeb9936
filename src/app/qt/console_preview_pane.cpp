#include "app/qt/console_preview_pane.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/export_set_transfer.h"
#include "document/picture_file.h"
#include "export/gba_color.h"

namespace vorlin {

namespace {

constexpr int kCanvasSide = 256;
constexpr int kListedWarnings = 1000;  // more would only slow the list down
constexpr const char* kViewCaptions[] = {"source", "console", "difference"};
constexpr char kNoPreview[] = "No preview: these settings do not export.";
constexpr QRgb kDifferent = 0xFFFF00FF;

QImage SourceImage(PackedDib area) {
    if (!area) return {};
    QImage image(DibWidth(area), DibHeight(area), QImage::Format_RGB32);
    const RgbQuad* colors = DibColors(area);
    const int count = DibColorCount(area);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = DibPictureRow(area, y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const RgbQuad c = row[x] < count ? colors[row[x]] : RgbQuad{0, 0, 0, 0};
            out[x] = qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
    }
    return image;
}

QImage ConsoleImage(const ConsolePicture& console) {
    QImage image(console.width, console.height, QImage::Format_RGB32);
    for (int y = 0; y < console.height; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < console.width; ++x)
            out[x] = 0xFF000000u |
                     GbaColorToRgb(console.colors[static_cast<std::size_t>(y) * console.width + x]);
    }
    return image;
}

// The console picture dimmed, with every pixel unlike the source in magenta.
QImage DifferenceImage(const QImage& console, const std::vector<std::uint8_t>& differences) {
    QImage image = console.copy();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::size_t p = static_cast<std::size_t>(y) * image.width() + x;
            const int grey = qGray(row[x]) / 3;
            row[x] = p < differences.size() && differences[p] ? kDifferent : qRgb(grey, grey, grey);
        }
    }
    return image;
}

std::shared_ptr<PaneResult> Finish(std::shared_ptr<PaneResult> result, const ExportJob& job) {
    if (!result->preview.ok) return result;
    result->left = job.left;
    result->top = job.top;
    result->source = SourceImage(result->preview.source.get());
    result->console = ConsoleImage(result->preview.console);
    result->difference = DifferenceImage(result->console, result->preview.differences);
    return result;
}

std::shared_ptr<PaneResult> ComputeOne(const PaneTask& task, VramPlacement placement) {
    auto result = std::make_shared<PaneResult>();
    ExportJobPtr job(ExportJobNew());
    if (!job || !TransferToJob(task.values, task.documentPath, task.picture.get(), *job))
        return result;
    result->preview = ConvertAndPreview(*job, placement);
    return Finish(std::move(result), *job);
}

// With "Also export" files the tiles are shared: the chosen map is shown as the
// console reads it from the shared blocks.
std::shared_ptr<PaneResult> ComputeShared(const PaneTask& task, VramPlacement placement) {
    auto result = std::make_shared<PaneResult>();
    std::vector<SetPicture> list{{task.documentPath, task.picture.get()}};
    std::vector<DibPtr> read;
    for (const std::string& path : task.values.alsoExport) {
        read.push_back(ReadEditorPicture(path).picture);
        if (!read.back()) return result;
        list.push_back({path, read.back().get()});
    }
    ExportSet set;
    if (!TransferToSet(task.values, list, set) || !ExportSetValidate(set) ||
        !ExportSetConvert(set) || task.chosen >= set.pictures.size())
        return result;
    const ExportJob& job = *set.pictures[task.chosen];
    result->preview = PreviewExport(job, placement);
    return Finish(std::move(result), job);
}

std::shared_ptr<PaneResult> Compute(const PaneTask& task, VramPlacement placement) {
    return task.values.alsoExport.empty() ? ComputeOne(task, placement)
                                          : ComputeShared(task, placement);
}

QSpinBox* SpinBox(int high, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, high);
    box->setValue(value);
    return box;
}

}  // namespace

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
    setMinimumSize(kCanvasSide, kCanvasSide);
}

void PreviewCanvas::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void PreviewCanvas::SetHighlight(const QRect& pixels) {
    highlight_ = pixels;
    update();
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (image_.isNull()) return;
    const QSize size = image_.size().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint(0, 0), size);
    painter.drawImage(target, image_);
    if (highlight_.isEmpty()) return;
    const double scale = static_cast<double>(size.width()) / image_.width();
    const QRectF mark(highlight_.x() * scale, highlight_.y() * scale, highlight_.width() * scale,
                      highlight_.height() * scale);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawRect(mark.adjusted(-1, -1, 1, 1));
}

ConsolePreviewPane::ConsolePreviewPane(QWidget* parent) : QWidget(parent) {
    worker_.setMaxThreadCount(1);
    auto* layout = new QVBoxLayout(this);
    pictureChooser = new QComboBox(this);
    layout->addWidget(pictureChooser);
    connect(pictureChooser, &QComboBox::activated, this, [this] { Request(); });
    auto* views = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < viewRadios.size(); ++i) {
        viewRadios[i] = new QRadioButton(kViewCaptions[i], this);
        group->addButton(viewRadios[i], static_cast<int>(i));
        views->addWidget(viewRadios[i]);
        connect(viewRadios[i], &QRadioButton::toggled, this, [this] { ShowView(); });
    }
    viewRadios[VIEW_CONSOLE]->setChecked(true);
    layout->addLayout(views);
    canvas = new PreviewCanvas(this);
    layout->addWidget(canvas, 1);
    auto* placement = new QGridLayout;
    const VramPlacement defaults;
    charBlockBox = SpinBox(kCharBlockCount - 1, defaults.charBlock, this);
    screenBlockBox = SpinBox(kScreenBlockCount - 1, defaults.screenBlock, this);
    placement->addWidget(new QLabel("char block", this), 0, 0);
    placement->addWidget(charBlockBox, 0, 1);
    placement->addWidget(new QLabel("screen block", this), 0, 2);
    placement->addWidget(screenBlockBox, 0, 3);
    layout->addLayout(placement);
    statsView = new QPlainTextEdit(this);
    statsView->setReadOnly(true);
    layout->addWidget(statsView);
    warningList = new QListWidget(this);
    // A warning can be longer than the list is wide: it wraps, and its tip has it whole.
    warningList->setWordWrap(true);
    warningList->setResizeMode(QListView::Adjust);
    layout->addWidget(warningList);
    for (QSpinBox* box : {charBlockBox, screenBlockBox})
        connect(box, &QSpinBox::valueChanged, this, [this] { OnPlacementChanged(); });
    connect(warningList, &QListWidget::itemClicked, this, &ConsolePreviewPane::OnWarningClicked);
}

ConsolePreviewPane::~ConsolePreviewPane() {
    // The worker reports back to this pane; it must be done before the pane goes.
    worker_.waitForDone();
}

void ConsolePreviewPane::Preview(const ExportDialogValues& values,
                                 const std::string& documentPath, PackedDib picture) {
    values_ = values;
    documentPath_ = documentPath;
    picture_.reset(picture ? DibDuplicate(picture) : nullptr);
    ListPictures();
    Request();
}

void ConsolePreviewPane::ListPictures() {
    QStringList titles{QString::fromStdString(
        documentPath_.empty() ? std::string("this picture") : PathFileTitle(documentPath_))};
    for (const std::string& path : values_.alsoExport)
        titles << QString::fromStdString(PathFileTitle(path));
    QStringList listed;
    for (int i = 0; i < pictureChooser->count(); ++i) listed << pictureChooser->itemText(i);
    if (listed == titles) return;
    const int chosen = pictureChooser->currentIndex();
    pictureChooser->clear();
    pictureChooser->addItems(titles);
    pictureChooser->setCurrentIndex(chosen > 0 && chosen < titles.size() ? chosen : 0);
    pictureChooser->setVisible(titles.size() > 1);
}

void ConsolePreviewPane::OnPlacementChanged() {
    Request();
}

void ConsolePreviewPane::Request() {
    if (!picture_) return;
    auto task = std::make_shared<PaneTask>();
    task->values = values_;
    task->documentPath = documentPath_;
    task->picture.reset(DibDuplicate(picture_.get()));
    if (!task->picture) return;
    task->chosen = static_cast<std::size_t>(std::max(pictureChooser->currentIndex(), 0));
    pending_ = std::move(task);
    pendingPlacement_ = {charBlockBox->value(), screenBlockBox->value()};
    if (!busy_) StartNext();
}

void ConsolePreviewPane::StartNext() {
    std::shared_ptr<PaneTask> task = std::move(pending_);
    pending_.reset();
    busy_ = true;
    const VramPlacement placement = pendingPlacement_;
    worker_.start([this, task, placement] {
        std::shared_ptr<PaneResult> result = Compute(*task, placement);
        QMetaObject::invokeMethod(this, [this, result] { Show(result); }, Qt::QueuedConnection);
    });
}

void ConsolePreviewPane::Show(std::shared_ptr<PaneResult> result) {
    busy_ = false;
    // A newer request may be waiting: start it, and show this one meanwhile.
    if (pending_) StartNext();
    shown_ = std::move(result);
    ++shownCount_;
    canvas->SetHighlight({});
    ShowView();
    QStringList lines;
    if (shown_->preview.ok)
        for (const std::string& line : ExportStatsLines(shown_->preview.stats))
            lines << QString::fromStdString(line);
    else
        lines << kNoPreview;
    statsView->setPlainText(lines.join('\n'));
    ShowWarnings();
    emit previewShown();
}

void ConsolePreviewPane::ShowView() {
    if (!shown_) return;
    const int view = viewRadios[VIEW_SOURCE]->isChecked()   ? VIEW_SOURCE
                     : viewRadios[VIEW_CONSOLE]->isChecked() ? VIEW_CONSOLE
                                                             : VIEW_DIFFERENCE;
    canvas->SetImage(view == VIEW_SOURCE    ? shown_->source
                     : view == VIEW_CONSOLE ? shown_->console
                                            : shown_->difference);
}

void ConsolePreviewPane::ShowWarnings() {
    warningList->clear();
    const std::vector<ExportWarning>& warnings = shown_->preview.warnings;
    const std::size_t listed = std::min<std::size_t>(warnings.size(), kListedWarnings);
    for (std::size_t i = 0; i < listed; ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(WarningLine(warnings[i])));
        item->setToolTip(item->text());
        item->setData(Qt::UserRole, QPoint(warnings[i].x, warnings[i].y));
        warningList->addItem(item);
    }
    if (warnings.size() > listed)
        warningList->addItem(QString("... and %1 more").arg(warnings.size() - listed));
}

void ConsolePreviewPane::OnWarningClicked(QListWidgetItem* item) {
    if (!shown_ || !item->data(Qt::UserRole).isValid()) return;
    const QPoint at = item->data(Qt::UserRole).toPoint();
    canvas->SetHighlight(QRect(at.x() - shown_->left, at.y() - shown_->top, 8, 8));
}

}  // namespace vorlin
