// "Image Size": new width and height (1 ... 65536), stretch, and the 2^n rounding button.
#pragma once

#include "app/qt/form_dialog.h"

class QCheckBox;
class QPushButton;

namespace vorlin {

class IntField;

struct ImageSizeValues {
    int width = 1;
    int height = 1;
    bool stretch = false;
};

class ImageSizeDialog : public FormDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxSide = 65536;

    ImageSizeDialog(int width, int height, QWidget* parent = nullptr);
    const ImageSizeValues& Values() const { return values_; }

    IntField* widthField;
    IntField* heightField;
    QCheckBox* stretchBox;
    QPushButton* powerOfTwoButton;

  protected:
    bool Exchange() override;

  private:
    void RoundToPowersOfTwo();

    ImageSizeValues values_;
};

}  // namespace vorlin
