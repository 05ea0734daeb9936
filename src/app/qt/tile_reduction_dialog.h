// "Tile reduction": palette-bank and flip matching, meta-tile size (1 ... 1024 each).
#pragma once

#include "app/qt/form_dialog.h"

class QCheckBox;

namespace vorlin {

class IntField;

struct TileReductionValues {
    bool pal = false;
    bool flip = false;
    int metaWidth = 1;
    int metaHeight = 1;
};

class TileReductionDialog : public FormDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxMeta = 1024;

    explicit TileReductionDialog(const TileReductionValues& initial, QWidget* parent = nullptr);
    const TileReductionValues& Values() const { return values_; }

    QCheckBox* palBox;
    QCheckBox* flipBox;
    IntField* metaWidthField;
    IntField* metaHeightField;

  protected:
    bool Exchange() override;

  private:
    TileReductionValues values_;
};

}  // namespace vorlin
