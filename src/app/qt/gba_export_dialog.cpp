#include "app/qt/gba_export_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <climits>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/export_set_transfer.h"
#include "app/qt/also_export_list.h"
#include "app/qt/console_preview_pane.h"
#include "app/qt/int_field.h"
#include "app/ui_services.h"
#include "export/export_names.h"

namespace vorlin {

namespace {

constexpr int kNameLimit = 256;
constexpr int kBppChoices = 5;
constexpr const char* kShapeCaptions[] = {"sqr", "wide", "tall"};
constexpr const char* kSizeCaptions[] = {"1", "2", "4", "8"};
constexpr const char* kLayoutCaptions[] = {"flat", "sbb", "affine"};
constexpr const char* kAreaCaptions[] = {"custom", "as img", "as sel"};

QComboBox* CompressionList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (int code = 0; code < kCompressionCount; ++code) list->addItem(CompressionCaption(code));
    return list;
}

template <std::size_t N>
void MakeRadios(std::array<QRadioButton*, N>& radios, const char* const (&captions)[N],
                QWidget* parent) {
    auto* group = new QButtonGroup(parent);
    for (std::size_t i = 0; i < N; ++i) {
        radios[i] = new QRadioButton(captions[i], parent);
        group->addButton(radios[i], static_cast<int>(i));
    }
}

template <std::size_t N>
int CheckedIndex(const std::array<QRadioButton*, N>& radios, int fallback) {
    for (std::size_t i = 0; i < N; ++i)
        if (radios[i]->isChecked()) return static_cast<int>(i);
    return fallback;
}

template <std::size_t N>
void CheckIndex(const std::array<QRadioButton*, N>& radios, int index) {
    if (index >= 0 && index < static_cast<int>(N))
        radios[static_cast<std::size_t>(index)]->setChecked(true);
}

template <std::size_t N>
void EnableAll(const std::array<QRadioButton*, N>& radios, bool enabled) {
    for (QRadioButton* radio : radios) radio->setEnabled(enabled);
}

// An empty box reads as 0 unless it must hold a number. False, with the value
// left alone, when the text is no integer in the box's range.
bool ParseNumber(IntField* field, int* value, bool emptyIsZero) {
    const QString text = field->text().trimmed();
    if (text.isEmpty() && emptyIsZero) {
        *value = 0;
        return true;
    }
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < field->Minimum() || v > field->Maximum()) return false;
    *value = static_cast<int>(v);
    return true;
}

QGroupBox* Group(const QString& title, QWidget* parent, QGridLayout** grid) {
    auto* box = new QGroupBox(title, parent);
    *grid = new QGridLayout(box);
    return box;
}

}  // namespace

GbaExportDialog::GbaExportDialog(QWidget* parent) : QDialog(parent), job_(ExportJobNew()) {
    setWindowTitle(kGbaExportCaption);
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildPaletteGroup());
    left->addWidget(BuildImageGroup());
    left->addWidget(BuildMapGroup());
    auto* right = new QVBoxLayout;
    right->addWidget(BuildTileGroup());
    right->addWidget(BuildAreaGroup());
    right->addWidget(BuildFileGroup());
    alsoExportList = new AlsoExportList(this);
    right->addWidget(alsoExportList);
    top->addLayout(left);
    top->addLayout(right);
    previewPane = new ConsolePreviewPane(this);
    top->addWidget(previewPane);
    outer->addLayout(top);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    cancelButton = buttons->button(QDialogButtonBox::Cancel);
    validateButton = buttons->addButton("Validate", QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &GbaExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GbaExportDialog::reject);
    connect(alsoExportList, &AlsoExportList::Changed, this, &GbaExportDialog::OnControlChanged);
    connect(validateButton, &QPushButton::clicked, this, [this] {
        if (ReadControls(true)) Validate();
    });
    outer->addWidget(buttons);
    ApplyBoxRanges();
    WriteControls();
    ConnectNotifications();
    ApplyEnableRules();
    RefreshSummary();
}

QWidget* GbaExportDialog::BuildPaletteGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = Group("palette", this, &grid);
    palBox = new QCheckBox("&Pal", box);
    startField = new IntField(0, 255, box);
    numField = new IntField(0, 256, box);
    grid->addWidget(palBox, 0, 0);
    grid->addWidget(new QLabel("start", box), 0, 1);
    grid->addWidget(startField, 0, 2);
    grid->addWidget(new QLabel("num", box), 0, 3);
    grid->addWidget(numField, 0, 4);
    return box;
}

QWidget* GbaExportDialog::BuildImageGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = Group("image", this, &grid);
    imageBox = new QCheckBox("&Image", box);
    tilesRadio = new QRadioButton("tiles", box);
    bitmapRadio = new QRadioButton("bitmap", box);
    auto* kind = new QButtonGroup(box);
    kind->addButton(tilesRadio);
    kind->addButton(bitmapRadio);
    bppList = new QComboBox(box);
    for (int i = 0; i < kBppChoices; ++i) bppList->addItem(QString::number(BppFromIndex(i)));
    imageCprsList = CompressionList(box);
    grid->addWidget(imageBox, 0, 0);
    grid->addWidget(tilesRadio, 0, 1);
    grid->addWidget(bitmapRadio, 0, 2);
    grid->addWidget(new QLabel("bpp", box), 1, 1);
    grid->addWidget(bppList, 1, 2);
    grid->addWidget(new QLabel("cprs", box), 2, 1);
    grid->addWidget(imageCprsList, 2, 2);
    return box;
}

QWidget* GbaExportDialog::BuildMapGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = Group("map", this, &grid);
    mapBox = new QCheckBox("&Map", box);
    MakeRadios(layoutRadios, kLayoutCaptions, box);
    reduceBox = new QCheckBox("reduce", box);
    reducePalBox = new QCheckBox("pal", box);
    reduceFlipBox = new QCheckBox("flip", box);
    metaPalBox = new QCheckBox("meta-tile pal", box);
    mapCprsList = CompressionList(box);
    offsetField = new IntField(INT_MIN, INT_MAX, box);
    grid->addWidget(mapBox, 0, 0);
    for (int i = 0; i < 3; ++i)
        grid->addWidget(layoutRadios[static_cast<std::size_t>(i)], 0, i + 1);
    grid->addWidget(reduceBox, 1, 0);
    grid->addWidget(reducePalBox, 1, 1);
    grid->addWidget(reduceFlipBox, 1, 2);
    grid->addWidget(metaPalBox, 2, 0, 1, 2);
    grid->addWidget(new QLabel("cprs", box), 3, 0);
    grid->addWidget(mapCprsList, 3, 1);
    grid->addWidget(new QLabel("ofs", box), 3, 2);
    grid->addWidget(offsetField, 3, 3);
    return box;
}

QWidget* GbaExportDialog::BuildTileGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = Group(" Tile group", this, &grid);
    MakeRadios(shapeRadios, kShapeCaptions, box);
    MakeRadios(sizeRadios, kSizeCaptions, box);
    customGroupBox = new QCheckBox("cstm", box);
    groupWidthField = new IntField(0, 256, box);
    groupHeightField = new IntField(0, 256, box);
    for (std::size_t i = 0; i < shapeRadios.size(); ++i)
        grid->addWidget(shapeRadios[i], 0, static_cast<int>(i));
    for (std::size_t i = 0; i < sizeRadios.size(); ++i)
        grid->addWidget(sizeRadios[i], 1, static_cast<int>(i));
    grid->addWidget(customGroupBox, 2, 0);
    auto* nx = new QLabel("n&x", box);
    nx->setBuddy(groupWidthField);
    auto* ny = new QLabel("n&y", box);
    ny->setBuddy(groupHeightField);
    grid->addWidget(nx, 2, 1);
    grid->addWidget(groupWidthField, 2, 2);
    grid->addWidget(ny, 2, 3);
    grid->addWidget(groupHeightField, 2, 4);
    return box;
}

QWidget* GbaExportDialog::BuildAreaGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = Group("Area", this, &grid);
    MakeRadios(areaRadios, kAreaCaptions, box);
    areaRadios[AREA_AS_SELECTION]->setEnabled(false);  // the export always takes the picture
    IntField** fields[] = {&leftField, &topField, &widthField, &heightField};
    const char* captions[] = {"&left", "&top", "&width", "&height"};
    for (int i = 0; i < 3; ++i) grid->addWidget(areaRadios[static_cast<std::size_t>(i)], 0, i);
    for (int i = 0; i < 4; ++i) {
        *fields[i] = new IntField(INT_MIN, INT_MAX, box);
        auto* label = new QLabel(captions[i], box);
        label->setBuddy(*fields[i]);
        grid->addWidget(label, 1 + i / 2, (i % 2) * 2);
        grid->addWidget(*fields[i], 1 + i / 2, (i % 2) * 2 + 1);
    }
    return box;
}

QWidget* GbaExportDialog::BuildFileGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = Group("File ", this, &grid);
    pathEdit = new QLineEdit(box);
    browseButton = new QPushButton("...", box);
    typeList = new QComboBox(box);
    for (int kind = 0; kind < kOutKindCount; ++kind) typeList->addItem(FileKindCaption(kind));
    const char* const units[] = {SizeCodeInfo(BLK_SIZE_U8)->caption,
                                 SizeCodeInfo(BLK_SIZE_U16)->caption,
                                 SizeCodeInfo(BLK_SIZE_U32)->caption};
    MakeRadios(unitRadios, units, box);
    headerBox = new QCheckBox("h file", box);
    appendBox = new QCheckBox("&append", box);
    smallestBox = new QCheckBox("smallest LZ77 (slower)", box);
    nameBox = new QCheckBox("&name", box);
    nameEdit = new QLineEdit(box);
    nameEdit->setMaxLength(kNameLimit);
    summaryView = new QPlainTextEdit(box);
    summaryView->setReadOnly(true);
    grid->addWidget(pathEdit, 0, 0, 1, 3);
    grid->addWidget(browseButton, 0, 3);
    grid->addWidget(new QLabel("type", box), 1, 0);
    grid->addWidget(typeList, 1, 1, 1, 3);
    for (std::size_t i = 0; i < unitRadios.size(); ++i)
        grid->addWidget(unitRadios[i], 2, static_cast<int>(i));
    grid->addWidget(headerBox, 3, 0);
    grid->addWidget(appendBox, 3, 1);
    grid->addWidget(smallestBox, 3, 2, 1, 2);
    grid->addWidget(nameBox, 4, 0);
    grid->addWidget(nameEdit, 4, 1, 1, 3);
    grid->addWidget(summaryView, 5, 0, 1, 4);
    return box;
}

void GbaExportDialog::ConnectNotifications() {
    const auto changed = [this] { OnControlChanged(); };
    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, changed);
    for (QRadioButton* radio : findChildren<QRadioButton*>())
        connect(radio, &QRadioButton::toggled, this, changed);
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textEdited, this, changed);
    for (QComboBox* list : {bppList, imageCprsList, mapCprsList})
        connect(list, &QComboBox::currentIndexChanged, this, changed);
    connect(typeList, &QComboBox::currentIndexChanged, this, &GbaExportDialog::OnTypeChanged);
    connect(browseButton, &QPushButton::clicked, this, &GbaExportDialog::OnBrowse);
}

bool GbaExportDialog::ReadControls(bool checked) {
    ExportDialogValues v = values_;
    v.palEnabled = palBox->isChecked();
    v.imgEnabled = imageBox->isChecked();
    v.imgBitmap = bitmapRadio->isChecked();
    v.bppIndex = bppList->currentIndex();
    v.imgCompression = imageCprsList->currentIndex();
    v.mapEnabled = mapBox->isChecked();
    v.mapLayout = CheckedIndex(layoutRadios, MAP_LAYOUT_FLAT);
    v.reduce = reduceBox->isChecked();
    v.reducePal = reducePalBox->isChecked();
    v.reduceFlip = reduceFlipBox->isChecked();
    v.metaTilePal = metaPalBox->isChecked();
    v.mapCompression = mapCprsList->currentIndex();
    v.groupShape = CheckedIndex(shapeRadios, 0);
    v.groupSize = CheckedIndex(sizeRadios, 0);
    v.groupCustom = customGroupBox->isChecked();
    v.areaMode = CheckedIndex(areaRadios, AREA_AS_IMAGE);
    v.sizeCode = CheckedIndex(unitRadios, BLK_SIZE_U16);
    v.header = headerBox->isChecked();
    v.append = appendBox->isChecked();
    v.smallestLz77 = smallestBox->isChecked();
    v.useName = nameBox->isChecked();
    v.name = nameEdit->text().toStdString();
    v.alsoExport = alsoExportList->Paths();
    v.fileType = typeList->currentIndex();
    v.path = pathEdit->text().toStdString();
    ParsePathBox(v);  // a typed path is read as a proposed one: its extension picks the type
    int* const numbers[kExportNumberBoxCount] = {&v.palStart,   &v.palNum,      &v.tileOffset,
                                                 &v.groupWidth, &v.groupHeight, &v.areaLeft,
                                                 &v.areaTop,    &v.areaWidth,   &v.areaHeight};
    const ExportDialogEnables enables = ExportDialogEnableRules(v);
    const std::array<IntField*, kExportNumberBoxCount> boxes = NumberBoxes();
    std::uint32_t refused = 0;
    for (int box = 0; box < kExportNumberBoxCount; ++box) {
        IntField* field = boxes[static_cast<std::size_t>(box)];
        int* value = numbers[box];
        // A greyed-out box is not used, so its text is neither checked nor shown as refused.
        if (ParseNumber(field, value, box != BOX_OFFSET) || !ExportBoxInUse(box, enables)) continue;
        if (checked) return field->Read(value);  // shows the range message; false
        refused |= 1u << box;
    }
    values_ = v;
    refusedBoxes_ = refused;
    return true;
}

std::array<IntField*, kExportNumberBoxCount> GbaExportDialog::NumberBoxes() const {
    return {startField, numField, offsetField, groupWidthField, groupHeightField,
            leftField,  topField, widthField,  heightField};
}

void GbaExportDialog::ApplyBoxRanges() {
    const std::array<IntField*, kExportNumberBoxCount> boxes = NumberBoxes();
    for (int box = 0; box < kExportNumberBoxCount; ++box) {
        const NumberRange range = ExportBoxRange(box, pictureInfo_);
        boxes[static_cast<std::size_t>(box)]->SetRange(range.minimum, range.maximum);
    }
}

void GbaExportDialog::WriteControls() {
    const bool wasExchanging = exchanging_;
    exchanging_ = true;
    const ExportDialogValues& v = values_;
    palBox->setChecked(v.palEnabled);
    startField->SetValue(v.palStart);
    numField->SetValue(v.palNum);
    imageBox->setChecked(v.imgEnabled);
    (v.imgBitmap ? bitmapRadio : tilesRadio)->setChecked(true);
    bppList->setCurrentIndex(v.bppIndex);
    imageCprsList->setCurrentIndex(v.imgCompression);
    mapBox->setChecked(v.mapEnabled);
    CheckIndex(layoutRadios, v.mapLayout);
    reduceBox->setChecked(v.reduce);
    reducePalBox->setChecked(v.reducePal);
    reduceFlipBox->setChecked(v.reduceFlip);
    metaPalBox->setChecked(v.metaTilePal);
    mapCprsList->setCurrentIndex(v.mapCompression);
    offsetField->SetValue(v.tileOffset);
    CheckIndex(shapeRadios, v.groupShape);
    CheckIndex(sizeRadios, v.groupSize);
    customGroupBox->setChecked(v.groupCustom);
    groupWidthField->SetValue(v.groupWidth);
    groupHeightField->SetValue(v.groupHeight);
    CheckIndex(areaRadios, v.areaMode);
    leftField->SetValue(v.areaLeft);
    topField->SetValue(v.areaTop);
    widthField->SetValue(v.areaWidth);
    heightField->SetValue(v.areaHeight);
    pathEdit->setText(QString::fromStdString(v.path));
    typeList->setCurrentIndex(v.fileType);
    CheckIndex(unitRadios, v.sizeCode);
    headerBox->setChecked(v.header);
    appendBox->setChecked(v.append);
    smallestBox->setChecked(v.smallestLz77);
    nameBox->setChecked(v.useName);
    nameEdit->setText(QString::fromStdString(v.name));
    alsoExportList->SetPaths(v.alsoExport);
    exchanging_ = wasExchanging;
}

void GbaExportDialog::ApplyEnableRules() {
    const ExportDialogEnables e = ExportDialogEnableRules(values_);
    startField->setEnabled(e.palRange);
    numField->setEnabled(e.palRange);
    for (QWidget* w :
         std::initializer_list<QWidget*>{tilesRadio, bitmapRadio, bppList, imageCprsList})
        w->setEnabled(e.imageOptions);
    mapBox->setEnabled(e.mapCheck);
    EnableAll(layoutRadios, e.mapOptions);
    for (QWidget* w :
         std::initializer_list<QWidget*>{reduceBox, metaPalBox, mapCprsList, offsetField})
        w->setEnabled(e.mapOptions);
    reducePalBox->setEnabled(e.reduceOptions);
    reduceFlipBox->setEnabled(e.reduceOptions);
    customGroupBox->setEnabled(e.groupCustom);
    EnableAll(shapeRadios, e.groupPresets);
    EnableAll(sizeRadios, e.groupPresets);
    groupWidthField->setEnabled(e.groupSize);
    groupHeightField->setEnabled(e.groupSize);
    for (IntField* f : {leftField, topField, widthField, heightField}) f->setEnabled(e.areaFields);
    nameEdit->setEnabled(e.nameBox);
}

void GbaExportDialog::RefreshSummary() {
    summaryView->setPlainText(
        QString::fromStdString(ExportDialogSummary(values_, pictureInfo_, refusedBoxes_)));
    previewPane->Preview(values_, documentPath_, picture_);
}

void GbaExportDialog::OnControlChanged() {
    if (exchanging_) return;
    ReadControls(false);
    ShowPathFollowers();
    ApplyEnableRules();
    RefreshSummary();
}

void GbaExportDialog::ShowPathFollowers() {
    const bool wasExchanging = exchanging_;
    exchanging_ = true;
    typeList->setCurrentIndex(values_.fileType);
    if (!values_.useName) nameEdit->setText(QString::fromStdString(values_.name));
    exchanging_ = wasExchanging;
}

void GbaExportDialog::OnTypeChanged(int type) {
    if (exchanging_) return;
    // Writing the controls back must not turn a refused number into another value.
    if (!ReadControls(true)) {
        ShowPathFollowers();  // the list goes back to the type in use
        return;
    }
    ChangeOutputType(values_, type);
    WriteControls();
    ApplyEnableRules();
    RefreshSummary();
}

// The outputs `chosen` names that exist already, asked about once; false when
// the user keeps them.
bool GbaExportDialog::MayReplaceOutputs(const ExportDialogValues& chosen) {
    std::vector<std::string> existing;
    for (const std::string& file : ExportOutputFiles(chosen)) {
        std::error_code error;
        if (std::filesystem::exists(file, error)) existing.push_back(file);
    }
    return existing.empty() ||
           UiServicesInstance().Message(ReplaceOutputsQuestion(existing), kReplaceOutputsCaption,
                                        UiButtons::YesNo, UiIcon::Warning) == UiAnswer::Yes;
}

void GbaExportDialog::OnBrowse() {
    if (!ReadControls(true)) return;
    if (values_.folder.empty()) {
        std::error_code error;
        values_.folder = std::filesystem::current_path(error).generic_string();
    }
    FileDialogRequest request;
    request.open = false;  // the output may not exist yet
    // The chosen name is rarely the file written (sprites.bin writes sprites.pal.bin, ...),
    // so the files that will really be replaced are asked about below instead.
    request.confirmOverwrite = false;
    request.caption = kGetFilePathCaption;
    request.filter = kGbaSourceFilter;
    request.initialDir = values_.folder;
    if (!UiServicesInstance().ChooseFile(request)) return;
    ExportDialogValues chosen = values_;
    SetOutputPath(chosen, request.path);
    if (!MayReplaceOutputs(chosen)) return;
    values_ = chosen;
    WriteControls();
    ApplyEnableRules();
    RefreshSummary();
}

bool GbaExportDialog::Validate() {
    if (!TransferToJob(values_, documentPath_, picture_, *job_)) {
        UiServicesInstance().Inform(kExportFailed);
        return false;
    }
    const bool valid = ExportValidate(job_.get()) != 0;
    // Validation may alter values even when the job can run (an area grown to whole tiles):
    // those are shown for acceptance too, never applied behind the user's back.
    ExportDialogValues adjusted = values_;
    TransferFromJob(*job_, adjusted);
    const std::vector<std::string> alterations = ValidationAlterations(values_, adjusted);
    if (valid && alterations.empty()) return true;
    if (UiServicesInstance().Message(ValidationQuestion(alterations), kValidationCaption,
                                     UiButtons::YesNo, UiIcon::Warning) != UiAnswer::Yes)
        return false;
    values_ = adjusted;
    WriteControls();
    ApplyEnableRules();
    RefreshSummary();
    return valid;
}

void GbaExportDialog::accept() {
    if (!ReadControls(true) || !Validate()) return;
    if (!values_.alsoExport.empty()) {
        const std::string failure =
            ExportWithOthers(values_, documentPath_, picture_, values_.alsoExport);
        if (failure.empty()) {
            QDialog::accept();
        } else {
            UiServicesInstance().Inform(failure);
        }
        return;
    }
    job_->failedFile.clear();
    job_->failedReason.clear();
    if (ExportRun(job_.get())) {
        QDialog::accept();
        return;
    }
    std::string message = kExportFailed;
    if (!job_->failedFile.empty()) message += "\n" + job_->failedFile + ": " + job_->failedReason;
    UiServicesInstance().Inform(message);
}

void GbaExportDialog::Open(const std::string& outputPath, const std::string& documentPath,
                           PackedDib picture) {
    documentPath_ = documentPath;
    std::error_code error;
    values_.documentFolder =
        DocumentFolder(documentPath, std::filesystem::current_path(error).generic_string());
    picture_ = picture;
    pictureInfo_ =
        picture ? ExportPictureInfo{DibColorCount(picture), DibWidth(picture), DibHeight(picture)}
                : ExportPictureInfo{};
    SetOutputPath(values_, outputPath);
    ApplyOpeningAdjustments(values_, pictureInfo_);
    ApplyBoxRanges();
    WriteControls();
    ApplyEnableRules();
    ReadControls(false);  // a custom area kept from a larger picture shows as refused
    RefreshSummary();
    exec();
    picture_ = nullptr;  // borrowed for this call only
}

}  // namespace vorlin
