#include "app/qt/tool_art.h"

#include <QPixmap>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace vorlin {

namespace {

constexpr int kMaxScale = 3;

QImage ScaledBy(const QImage& image, int factor) {
    // Nearest-neighbour only: every art pixel becomes a whole square of screen pixels.
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// "x,y" from the PNG's "HotSpot" text; the image centre when it is absent or outside.
QPoint HotSpotOf(const QImage& image) {
    const QStringList parts = image.text("HotSpot").split(',');
    bool okX = false, okY = false;
    const int x = parts.size() == 2 ? parts[0].trimmed().toInt(&okX) : 0;
    const int y = parts.size() == 2 ? parts[1].trimmed().toInt(&okY) : 0;
    if (okX && okY && image.rect().contains(x, y)) return {x, y};
    return image.rect().center();
}

}  // namespace

QIcon ToolIcon(int toolId) {
    const QImage art(QString(":/tools/icon_%1.png").arg(toolId));
    if (art.isNull()) return {};
    QIcon icon;
    for (int factor = 1; factor <= kMaxScale; ++factor)
        icon.addPixmap(QPixmap::fromImage(ScaledBy(art, factor)));
    return icon;
}

CursorArt LoadCursorArt(int cursorId) {
    CursorArt art;
    art.image = QImage(QString(":/tools/cursor_%1.png").arg(cursorId));
    if (!art.image.isNull()) art.hotSpot = HotSpotOf(art.image);
    return art;
}

bool MakeToolCursor(int cursorId, qreal devicePixelRatio, QCursor& cursor) {
    const CursorArt art = LoadCursorArt(cursorId);
    if (art.image.isNull()) return false;
    const int factor = std::clamp(static_cast<int>(std::lround(devicePixelRatio)), 1, kMaxScale);
    QPixmap pixmap = QPixmap::fromImage(ScaledBy(art.image, factor));
    pixmap.setDevicePixelRatio(factor);
    // The hot spot is given in device-independent pixels, as the art is drawn.
    cursor = QCursor(pixmap, art.hotSpot.x(), art.hotSpot.y());
    return true;
}

}  // namespace vorlin
