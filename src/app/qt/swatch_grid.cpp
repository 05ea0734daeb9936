#include "app/qt/swatch_grid.h"

#include <QPainter>

namespace vorlin {

SwatchGrid::SwatchGrid(QWidget* parent) : QWidget(parent) {}

void SwatchGrid::SetColours(QVector<QColor> colours) {
    colours_ = std::move(colours);
    updateGeometry();
    update();
}

QSize SwatchGrid::sizeHint() const {
    const int rows = std::max<int>(1, (colours_.size() + kPerRow - 1) / kPerRow);
    return {kPerRow * kCell + 1, rows * kCell + 1};
}

void SwatchGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    for (int i = 0; i < colours_.size(); ++i) {
        const int x = (i % kPerRow) * kCell, y = (i / kPerRow) * kCell;
        p.fillRect(x + 1, y + 1, kCell - 1, kCell - 1, colours_[i]);
    }
}

}  // namespace vorlin
