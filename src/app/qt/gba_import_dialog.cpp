#include "app/qt/gba_import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace vorlin {

namespace {

constexpr int kDepths[] = {1, 2, 4, 8, 16};
constexpr int kPreviewSide = 256;
constexpr int kRefreshDelayMs = 150;
constexpr int kMaxMapSide = 8192;

QImage PreviewImage(PackedDib dib) {
    QImage image(DibWidth(dib), DibHeight(dib), QImage::Format_Indexed8);
    QVector<QRgb> table;
    for (int i = 0; i < DibColorCount(dib); ++i) {
        const RgbQuad c = DibColors(dib)[i];
        table.push_back(qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue));
    }
    image.setColorTable(table);
    for (int y = 0; y < DibHeight(dib); ++y)
        std::copy_n(DibPictureRow(dib, y), DibWidth(dib), image.scanLine(y));
    return image;
}

// Whole pixels when the picture is small, fitted into the preview when it is large.
QPixmap Scaled(const QImage& image) {
    const int side = std::max(image.width(), image.height());
    if (side >= kPreviewSide)
        return QPixmap::fromImage(image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio,
                                               Qt::FastTransformation));
    const int zoom = kPreviewSide / side;
    return QPixmap::fromImage(image.scaled(image.width() * zoom, image.height() * zoom));
}

QString Lines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines) list << QString::fromStdString(line);
    return list.join('\n');
}

}  // namespace

GbaImportDialog::GbaImportDialog(const GbaImportValues& initial, QWidget* parent)
    : QDialog(parent), values_(initial), refreshTimer_(new QTimer(this)) {
    setWindowTitle("Import GBA data");
    const ImportOptions& o = initial.options;
    auto* form = new QFormLayout;
    tilesEdit = FileRow(form, "&Tiles or bitmap:", initial.tiles);
    mapEdit = FileRow(form, "&Map:", initial.map);
    metaMapEdit = FileRow(form, "Tile-&group map:", initial.metaMap);
    paletteEdit = FileRow(form, "&Palette:", initial.palette);
    bppBox = new QComboBox;
    for (int depth : kDepths) bppBox->addItem(QString::number(depth));
    bppBox->setCurrentIndex(
        static_cast<int>(std::find(std::begin(kDepths), std::end(kDepths), o.bpp) - kDepths) % 5);
    form->addRow("&Bits per pixel:", bppBox);
    layoutBox = new QComboBox;
    layoutBox->addItems({"flat", "sbb", "affine"});
    layoutBox->setCurrentIndex(static_cast<int>(o.layout));
    form->addRow("Map &layout:", layoutBox);
    mapWidthBox = SpinBox(0, kMaxMapSide, o.mapWidth);
    mapHeightBox = SpinBox(0, kMaxMapSide, o.mapHeight);
    mapWidthBox->setSpecialValueText("from the data");
    auto* mapSize = new QHBoxLayout;
    mapSize->addWidget(mapWidthBox);
    mapSize->addWidget(new QLabel("x"));
    mapSize->addWidget(mapHeightBox);
    form->addRow("Map si&ze (tiles):", mapSize);
    tileOffsetBox = SpinBox(-65536, 65536, o.tileOffset);
    form->addRow("Tile &offset:", tileOffsetBox);
    palStartBox = SpinBox(0, 255, o.palStart);
    form->addRow("Palette &start:", palStartBox);
    metaWidthBox = SpinBox(1, 256, o.metaWidth);
    metaHeightBox = SpinBox(1, 256, o.metaHeight);
    metaBanksBox = new QCheckBox("groups carry their &bank");
    metaBanksBox->setChecked(o.metaBanks);
    auto* meta = new QHBoxLayout;
    meta->addWidget(metaWidthBox);
    meta->addWidget(new QLabel("x"));
    meta->addWidget(metaHeightBox);
    meta->addWidget(metaBanksBox);
    form->addRow("Tile gro&up:", meta);
    bitmapBox = new QCheckBox("bitma&p of");
    bitmapBox->setChecked(ImportsBitmap(o));
    bitmapWidthBox = SpinBox(1, 65536, std::max(o.bitmapWidth, 240));
    bitmapHeightBox = SpinBox(1, 65536, std::max(o.bitmapHeight, 160));
    auto* bitmap = new QHBoxLayout;
    bitmap->addWidget(bitmapBox);
    bitmap->addWidget(bitmapWidthBox);
    bitmap->addWidget(new QLabel("x"));
    bitmap->addWidget(bitmapHeightBox);
    form->addRow("Graphics:", bitmap);
    columnsBox = SpinBox(1, kMaxMapSide, o.columns);
    form->addRow("Tiles a row &without a map:", columnsBox);
    partialBox = new QCheckBox("read short or inconsistent data as index 0");
    partialBox->setChecked(o.partial);
    form->addRow(partialBox);
    quantizeBox = new QCheckBox("reduce a 16-bpp bitmap to 256 colours");
    quantizeBox->setChecked(o.quantize);
    form->addRow(quantizeBox);

    previewLabel = new QLabel;
    previewLabel->setMinimumSize(kPreviewSide, kPreviewSide);
    previewLabel->setAlignment(Qt::AlignCenter);
    messageLabel = new QLabel;
    messageLabel->setWordWrap(true);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(previewLabel);
    previewColumn->addWidget(messageLabel);
    previewColumn->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addLayout(previewColumn);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* body = new QVBoxLayout(this);
    body->addLayout(columns);
    body->addWidget(buttons);

    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(kRefreshDelayMs);
    connect(refreshTimer_, &QTimer::timeout, this, &GbaImportDialog::Refresh);
    const auto later = [this] { refreshTimer_->start(); };
    for (QLineEdit* edit : {tilesEdit, mapEdit, metaMapEdit, paletteEdit})
        connect(edit, &QLineEdit::textChanged, this, later);
    for (QComboBox* box : {bppBox, layoutBox})
        connect(box, &QComboBox::currentIndexChanged, this, later);
    for (QSpinBox* box : {mapWidthBox, mapHeightBox, tileOffsetBox, palStartBox, metaWidthBox,
                          metaHeightBox, bitmapWidthBox, bitmapHeightBox, columnsBox})
        connect(box, &QSpinBox::valueChanged, this, later);
    for (QCheckBox* box : {metaBanksBox, bitmapBox, partialBox, quantizeBox})
        connect(box, &QCheckBox::toggled, this, later);
    Refresh();
}

QLineEdit* GbaImportDialog::FileRow(QFormLayout* form, const QString& label,
                                    const std::string& path) {
    auto* edit = new QLineEdit(QString::fromStdString(path));
    auto* browse = new QPushButton("...");
    connect(browse, &QPushButton::clicked, this, [this, edit] {
        const QString chosen = QFileDialog::getOpenFileName(this, windowTitle(), edit->text());
        if (!chosen.isEmpty()) edit->setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(browse);
    form->addRow(label, row);
    return edit;
}

QSpinBox* GbaImportDialog::SpinBox(int minimum, int maximum, int value) {
    auto* box = new QSpinBox;
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

void GbaImportDialog::ReadFields() {
    values_.tiles = tilesEdit->text().toStdString();
    values_.map = mapEdit->text().toStdString();
    values_.metaMap = metaMapEdit->text().toStdString();
    values_.palette = paletteEdit->text().toStdString();
    ImportOptions& o = values_.options;
    o.bpp = kDepths[std::clamp(bppBox->currentIndex(), 0, 4)];
    o.layout = static_cast<ImportLayout>(std::clamp(layoutBox->currentIndex(), 0, 2));
    // "From the data" is both sides 0.
    o.mapWidth = mapWidthBox->value() > 0 ? mapWidthBox->value() : 0;
    o.mapHeight = o.mapWidth > 0 ? std::max(mapHeightBox->value(), 1) : 0;
    o.tileOffset = tileOffsetBox->value();
    o.palStart = palStartBox->value();
    o.metaWidth = metaWidthBox->value();
    o.metaHeight = metaHeightBox->value();
    o.metaBanks = metaBanksBox->isChecked();
    o.bitmapWidth = bitmapBox->isChecked() ? bitmapWidthBox->value() : 0;
    o.bitmapHeight = bitmapBox->isChecked() ? bitmapHeightBox->value() : 0;
    o.columns = columnsBox->value();
    o.partial = partialBox->isChecked();
    o.quantize = quantizeBox->isChecked();
}

void GbaImportDialog::Refresh() {
    refreshTimer_->stop();
    ReadFields();
    if (values_.tiles.empty()) {
        previewLabel->clear();
        messageLabel->setText("Name the file of the tiles or the bitmap.");
        buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
        return;
    }
    ShowResult(ImportFromValues(values_));
}

void GbaImportDialog::accept() {
    ReadFields();  // a change the preview has not caught up with yet still counts
    QDialog::accept();
}

void GbaImportDialog::ShowResult(const ImportResult& result) {
    PackedDib picture = result.picture.get();
    buttons->button(QDialogButtonBox::Ok)->setEnabled(picture != nullptr);
    if (!picture) {
        previewLabel->clear();
        messageLabel->setText(QString::fromStdString(result.error));
        return;
    }
    previewLabel->setPixmap(Scaled(PreviewImage(picture)));
    QString text = QString("%1 x %2 pixels").arg(DibWidth(picture)).arg(DibHeight(picture));
    if (!result.warnings.empty()) text += '\n' + Lines(result.warnings);
    messageLabel->setText(text + '\n' + Lines(result.notes));
}

}  // namespace vorlin
