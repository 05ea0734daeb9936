// The console check's marks over the magnified picture: every broken tile
// outlined in black and magenta and hatched by the rule it breaks, so the
// marks show on any palette and never touch a pixel.
#pragma once

class QPainter;

namespace vorlin {

class ConsoleCheck;
class ImageViewport;

// Paints the marks of the tiles inside the viewport's visible part.
void PaintConsoleCheck(QPainter& painter, const ImageViewport& viewport, const ConsoleCheck& check);

}  // namespace vorlin
