#include "app/qt/console_check_overlay.h"

#include <QPainter>
#include <algorithm>

#include "app/image_viewport.h"
#include "export/console_check.h"

namespace vorlin {

namespace {

QRect TileOnScreen(const ImageViewport& viewport, const CheckRules& rules, int column, int row) {
    const int x = rules.left + column * 8, y = rules.top + row * 8;
    const IRect r = viewport.ImageRectToClient({x, y, x + 8, y + 8});
    return {r.left, r.top, r.Width(), r.Height()};
}

}  // namespace

ConsoleCheckOverlay::Geometry ConsoleCheckOverlay::GeometryOf(const ImageViewport& viewport,
                                                              const ConsoleCheck& check) {
    const CheckRules& rules = check.Rules();
    const IRect visible = viewport.VisibleRect();
    Geometry g;
    g.originX = viewport.Origin().x;
    g.originY = viewport.Origin().y;
    g.clientWidth = viewport.ClientSize().width;
    g.clientHeight = viewport.ClientSize().height;
    g.zoom256 = viewport.Zoom256();
    g.tileWidth = viewport.TileWidth();
    g.tileHeight = viewport.TileHeight();
    g.texelGrid = viewport.TexelGrid();
    g.tileGrid = viewport.TileGrid();
    g.left = rules.left;
    g.top = rules.top;
    g.across = rules.across;
    g.down = rules.down;
    g.c0 = std::max(0, (visible.left - rules.left) / 8);
    g.r0 = std::max(0, (visible.top - rules.top) / 8);
    g.c1 = std::max(g.c0, std::min(rules.across, (visible.right - rules.left + 7) / 8 + 1));
    g.r1 = std::max(g.r0, std::min(rules.down, (visible.bottom - rules.top + 7) / 8 + 1));
    return g;
}

void ConsoleCheckOverlay::Paint(QPainter& painter, const QRect& exposed,
                                const ImageViewport& viewport, const ConsoleCheck& check) {
    // Zoomed in, a tile's screen rectangle reaches one pixel into its neighbour's
    // (the grid line they share), which the layer's per-tile erasing would cut.
    if (viewport.IsHighZoom()) {
        Release();
        PaintDirect(painter, exposed, viewport, check);
        return;
    }
    UpdateLayer(viewport, check);
    painter.drawImage(exposed, layer_, exposed);
}

void ConsoleCheckOverlay::Release() {
    layer_ = QImage();
    drawn_.clear();
    drawnFor_ = {};
}

void ConsoleCheckOverlay::PaintDirect(QPainter& painter, const QRect& exposed,
                                      const ImageViewport& viewport, const ConsoleCheck& check) {
    const Geometry g = GeometryOf(viewport, check);
    MarkPieces pieces;
    for (int row = g.r0; row < g.r1; ++row)
        for (int column = g.c0; column < g.c1; ++column) {
            const std::uint8_t m = check.MarksAt(column, row);
            if (!m) continue;
            const QRect tile = TileOnScreen(viewport, check.Rules(), column, row);
            if (tile.intersects(exposed)) pieces.Add(tile, m);
        }
    pieces.Paint(painter, hatches_);
}

// Erases and redraws the tiles whose marks differ from what the layer shows; below
// the high zoom tiles never share a screen pixel, so erasing one leaves the others.
void ConsoleCheckOverlay::UpdateLayer(const ImageViewport& viewport, const ConsoleCheck& check) {
    const Geometry g = GeometryOf(viewport, check);
    if (!(g == drawnFor_) || layer_.isNull()) {
        const QSize size(std::max(1, g.clientWidth), std::max(1, g.clientHeight));
        if (layer_.size() != size) layer_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        layer_.fill(Qt::transparent);
        drawnFor_ = g;
        drawn_.assign(static_cast<std::size_t>(g.c1 - g.c0) * (g.r1 - g.r0), 0);
    }
    std::vector<QRect> erased;
    MarkPieces pieces;
    std::size_t i = 0;
    for (int row = g.r0; row < g.r1; ++row)
        for (int column = g.c0; column < g.c1; ++column, ++i) {
            const std::uint8_t m = check.MarksAt(column, row);
            if (m == drawn_[i]) continue;
            const QRect tile = TileOnScreen(viewport, check.Rules(), column, row);
            if (drawn_[i]) erased.push_back(tile);
            if (m) pieces.Add(tile, m);
            drawn_[i] = m;
        }
    if (erased.empty() && pieces.Empty()) return;
    QPainter layer(&layer_);
    if (!erased.empty()) {
        layer.setCompositionMode(QPainter::CompositionMode_Clear);
        layer.setPen(Qt::NoPen);
        layer.setBrush(Qt::black);
        layer.drawRects(erased.data(), static_cast<int>(erased.size()));
        layer.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    pieces.Paint(layer, hatches_);
}

}  // namespace vorlin
