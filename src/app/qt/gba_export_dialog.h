// "GBA Exporter (don't panic!)": the modal dialog that sets up a GBA export. It
// keeps its values and its job for the whole run; every rule it shows (enabled
// controls, summary, opening adjustments, transfers) comes from the engine.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "app/export_dialog_rules.h"
#include "app/export_dialog_values.h"
#include "core/packed_dib.h"
#include "export/export_job.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vorlin {

class AlsoExportList;
class ConsolePreviewPane;
class IntField;

inline constexpr char kGbaExportCaption[] = "GBA Exporter (don't panic!)";
inline constexpr char kGetFilePathCaption[] = "Get File Path";
inline constexpr char kGbaSourceFilter[] =
    "GBA source (*.c;*.s;*.bin;*.gbfs)|*.c;*.s;*.bin;*.gbfs|";

class GbaExportDialog : public QDialog {
    Q_OBJECT
  public:
    explicit GbaExportDialog(QWidget* parent = nullptr);

    // Shows the dialog modally for `picture` (borrowed for the call) and the
    // proposed output path; the export happens inside on OK.
    void Open(const std::string& outputPath, const std::string& documentPath, PackedDib picture);

    const ExportDialogValues& Values() const { return values_; }
    const ExportJob& Job() const { return *job_; }

    void accept() override;

    // palette
    QCheckBox* palBox;
    IntField* startField;
    IntField* numField;
    // image
    QCheckBox* imageBox;
    QRadioButton* tilesRadio;
    QRadioButton* bitmapRadio;
    QComboBox* bppList;
    QComboBox* imageCprsList;
    // map
    QCheckBox* mapBox;
    std::array<QRadioButton*, 3> layoutRadios;  // flat, sbb, affine
    QCheckBox* reduceBox;
    QCheckBox* reducePalBox;
    QCheckBox* reduceFlipBox;
    QCheckBox* metaPalBox;
    QComboBox* mapCprsList;
    IntField* offsetField;
    // tile group
    std::array<QRadioButton*, 3> shapeRadios;  // sqr, wide, tall
    std::array<QRadioButton*, 4> sizeRadios;   // 1, 2, 4, 8
    QCheckBox* customGroupBox;
    IntField* groupWidthField;
    IntField* groupHeightField;
    // area
    std::array<QRadioButton*, 3> areaRadios;  // custom, as img, as sel
    IntField* leftField;
    IntField* topField;
    IntField* widthField;
    IntField* heightField;
    // file
    QLineEdit* pathEdit;
    QPushButton* browseButton;
    QComboBox* typeList;
    std::array<QRadioButton*, 3> unitRadios;  // u8, u16, u32
    QCheckBox* headerBox;
    QCheckBox* appendBox;
    QCheckBox* smallestBox;  // "smallest LZ77 (slower)"
    QCheckBox* nameBox;
    QLineEdit* nameEdit;
    QPlainTextEdit* summaryView;
    AlsoExportList* alsoExportList;
    ConsolePreviewPane* previewPane;
    // buttons
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* validateButton;

  private:
    QWidget* BuildPaletteGroup();
    QWidget* BuildImageGroup();
    QWidget* BuildMapGroup();
    QWidget* BuildTileGroup();
    QWidget* BuildAreaGroup();
    QWidget* BuildFileGroup();
    void ConnectNotifications();

    // Controls to values. `checked` shows the range message and stops at the
    // first refused number in use; otherwise a number that does not fit keeps its
    // value and is remembered as refused, so the summary does not show the old one.
    bool ReadControls(bool checked);
    // The number boxes in ExportNumberBox order.
    std::array<IntField*, kExportNumberBoxCount> NumberBoxes() const;
    // The area boxes accept only an area of the current picture.
    void ApplyBoxRanges();
    void WriteControls();
    void ApplyEnableRules();
    // The summary lines and the console preview.
    void RefreshSummary();
    // A control changed: read it, re-apply the rules, rebuild the summary.
    void OnControlChanged();
    // Shows what the path box decides: the type list and, when unused, the name box.
    void ShowPathFollowers();
    void OnTypeChanged(int type);
    bool MayReplaceOutputs(const ExportDialogValues& chosen);
    void OnBrowse();
    // Transfer and validation; true when the job may run. A refusal asks
    // whether to take validation's adjustments into the controls.
    bool Validate();

    ExportDialogValues values_;
    ExportJobPtr job_;
    std::string documentPath_;
    PackedDib picture_ = nullptr;
    ExportPictureInfo pictureInfo_;
    bool exchanging_ = false;
    std::uint32_t refusedBoxes_ = 0;  // bit 1 << ExportNumberBox per refused box in use
};

}  // namespace vorlin
