#include "app/qt/tile_image_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/qt/int_field.h"

namespace vorlin {

TileImageDialog::TileImageDialog(int tileWidth, int tileHeight, QWidget* parent)
    : FormDialog("Tile Image", parent), tileWidth_(tileWidth), tileHeight_(tileHeight) {
    auto* note = new QLabel(
        "Rearranges image in tiles of WxH pixels. Current width must be a multiple of W or "
        "vice verca.",
        this);
    note->setWordWrap(true);
    Body()->insertWidget(0, note);
    widthField = new IntField(1, kMaxTile, this);
    heightField = new IntField(1, kMaxTile, this);
    widthField->SetValue(tileWidth);
    heightField->SetValue(tileHeight);
    Form()->addRow("Tile &width", widthField);
    Form()->addRow("Tile &height", heightField);
}

bool TileImageDialog::Exchange() {
    int w = 0, h = 0;
    if (!ReadFields({{widthField, &w}, {heightField, &h}})) return false;
    tileWidth_ = w;
    tileHeight_ = h;
    return true;
}

}  // namespace vorlin
