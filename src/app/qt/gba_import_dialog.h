// File > Import GBA data: the files, depth, layout, sizes and offsets of the
// data, with a live preview of the picture the import makes.
#pragma once

#include <QDialog>

#include "app/gba_import.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimer;

namespace vorlin {

class GbaImportDialog : public QDialog {
    Q_OBJECT
  public:
    explicit GbaImportDialog(const GbaImportValues& initial, QWidget* parent = nullptr);

    // The fields as they were when the dialog closed.
    const GbaImportValues& Values() const { return values_; }
    // Reads the fields and imports at once (the fields also do it shortly after each change).
    void Refresh();
    void accept() override;

    QLineEdit *tilesEdit, *mapEdit, *metaMapEdit, *paletteEdit;
    QComboBox *bppBox, *layoutBox;
    QSpinBox *mapWidthBox, *mapHeightBox, *tileOffsetBox, *palStartBox;
    QSpinBox *metaWidthBox, *metaHeightBox, *bitmapWidthBox, *bitmapHeightBox, *columnsBox;
    QCheckBox *metaBanksBox, *bitmapBox, *partialBox, *quantizeBox;
    QLabel* previewLabel;
    QLabel* messageLabel;
    QDialogButtonBox* buttons;

  private:
    QLineEdit* FileRow(QFormLayout* form, const QString& label, const std::string& path);
    QSpinBox* SpinBox(int minimum, int maximum, int value);
    void ReadFields();
    void ShowResult(const ImportResult& result);

    GbaImportValues values_;
    QTimer* refreshTimer_;
};

}  // namespace vorlin
