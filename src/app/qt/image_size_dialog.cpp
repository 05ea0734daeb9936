#include "app/qt/image_size_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>
#include <climits>

#include "document/image_operations.h"
#include "app/qt/int_field.h"

namespace vorlin {

ImageSizeDialog::ImageSizeDialog(int width, int height, QWidget* parent)
    : FormDialog("Image Size", parent) {
    values_ = {width, height, false};
    widthField = new IntField(1, kMaxSide, this);
    heightField = new IntField(1, kMaxSide, this);
    widthField->SetValue(width);
    heightField->SetValue(height);
    stretchBox = new QCheckBox("Stretch", this);
    powerOfTwoButton = new QPushButton("2^n", this);
    powerOfTwoButton->setToolTip("to next 2^n");
    powerOfTwoButton->setStatusTip("Rounds sizes to next power of 2");
    connect(powerOfTwoButton, &QPushButton::clicked, this, &ImageSizeDialog::RoundToPowersOfTwo);

    Form()->addRow("&Width", widthField);
    Form()->addRow("&Height", heightField);
    auto* row = new QHBoxLayout;
    row->addWidget(stretchBox);
    row->addStretch();
    row->addWidget(powerOfTwoButton);
    Form()->addRow(row);
}

void ImageSizeDialog::RoundToPowersOfTwo() {
    for (IntField* field : {widthField, heightField}) {
        // Text that is no number counts as 0, as the signed read of the box does.
        const qlonglong n = field->text().trimmed().toLongLong();
        const int clamped = static_cast<int>(std::clamp<qlonglong>(n, INT_MIN, INT_MAX));
        field->setText(QString::number(RoundUpPowerOfTwo(clamped)));
    }
}

bool ImageSizeDialog::Exchange() {
    ImageSizeValues v;
    if (!ReadFields({{widthField, &v.width}, {heightField, &v.height}})) return false;
    v.stretch = stretchBox->isChecked();
    values_ = v;
    return true;
}

}  // namespace vorlin
