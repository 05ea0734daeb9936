// "Tile Image": tile width and height for rearranging the picture.
#pragma once

#include "app/qt/form_dialog.h"

namespace vorlin {

class IntField;

class TileImageDialog : public FormDialog {
    Q_OBJECT
  public:
    // Sizes below 1 never reach the rearrangement; the upper bound is the largest picture side.
    static constexpr int kMaxTile = 65536;

    TileImageDialog(int tileWidth, int tileHeight, QWidget* parent = nullptr);
    int TileWidth() const { return tileWidth_; }
    int TileHeight() const { return tileHeight_; }

    IntField* widthField;
    IntField* heightField;

  protected:
    bool Exchange() override;

  private:
    int tileWidth_;
    int tileHeight_;
};

}  // namespace vorlin
