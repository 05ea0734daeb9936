// The console check's marks over the magnified picture (their look is in
// console_check_marks.h). Zoomed in, few tiles are on screen and their marks are
// drawn directly. Zoomed out, thousands are: their marks are kept in a layer the
// size of the view, redrawn only for the tiles whose marks changed, and blended
// in with one call, so the repaint costs about the same however many tiles are
// marked.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "app/qt/console_check_marks.h"

class QPainter;
class QRect;

namespace vorlin {

class ConsoleCheck;
class ImageViewport;

class ConsoleCheckOverlay {
  public:
    // Paints the marks over `exposed` (view coordinates).
    void Paint(QPainter& painter, const QRect& exposed, const ImageViewport& viewport,
               const ConsoleCheck& check);
    // Frees the layer while the check is off.
    void Release();

  private:
    // Everything that places the marks on screen: a layer drawn under another
    // geometry is drawn again from scratch.
    struct Geometry {
        int originX = 0, originY = 0, clientWidth = 0, clientHeight = 0, zoom256 = 0;
        int tileWidth = 0, tileHeight = 0;
        bool texelGrid = false, tileGrid = false;
        int left = 0, top = 0, across = 0, down = 0;  // the checked area
        int c0 = 0, r0 = 0, c1 = 0, r1 = 0;           // its tiles on screen
        bool operator==(const Geometry&) const = default;
    };

    static Geometry GeometryOf(const ImageViewport& viewport, const ConsoleCheck& check);
    void PaintDirect(QPainter& painter, const QRect& exposed, const ImageViewport& viewport,
                     const ConsoleCheck& check);
    void UpdateLayer(const ImageViewport& viewport, const ConsoleCheck& check);

    MarkHatches hatches_;
    QImage layer_;
    Geometry drawnFor_;
    std::vector<std::uint8_t> drawn_;  // the marks the layer shows, per tile on screen
};

}  // namespace vorlin
