// The console check's marks over the magnified picture: every broken tile
// framed in magenta (and black, with a square hatched by the rule it breaks,
// when zoomed in far enough to see it), so the
// marks show on any palette and never touch a pixel.
#pragma once

class QPainter;

namespace vorlin {

class ConsoleCheck;
class ImageViewport;

// Paints the marks of the tiles inside the viewport's visible part.
void PaintConsoleCheck(QPainter& painter, const ImageViewport& viewport, const ConsoleCheck& check);

}  // namespace vorlin
