// "Grid Settings": texel and tile grid switches and the tile size (4 ... 256).
#pragma once

#include "app/qt/form_dialog.h"

class QCheckBox;

namespace vorlin {

class IntField;

struct GridSettings {
    bool texelGrid = true;
    bool tileGrid = true;
    int tileWidth = 8;
    int tileHeight = 8;
};

class GridSettingsDialog : public FormDialog {
    Q_OBJECT
  public:
    static constexpr int kMinTile = 4;
    static constexpr int kMaxTile = 256;

    explicit GridSettingsDialog(const GridSettings& initial, QWidget* parent = nullptr);
    const GridSettings& Values() const { return values_; }

    QCheckBox* texelBox;
    QCheckBox* tileBox;
    IntField* widthField;
    IntField* heightField;

  protected:
    bool Exchange() override;

  private:
    GridSettings values_;
};

}  // namespace vorlin
