// Paints what the viewport describes with a QPainter: image pixels through the real palette
// (an Indexed8 image over the index bytes, no smoothing), grid lines and frames.
#pragma once

#include <QImage>
#include <QPainter>

#include "app/image_viewport.h"

namespace vorlin {

class CIndexImage;

// An Indexed8 image sharing the picture's bytes, with the real palette as colour table.
// Valid while the picture is neither resized nor replaced.
QImage IndexedView(const CIndexImage& image);

class IndexedPainter : public ViewPainter {
  public:
    IndexedPainter(QPainter& painter, const QImage& image) : painter_(painter), image_(image) {}

    void DrawImage(const IRect& source, const IRect& target) override;
    void FillRect(const IRect& target, ScreenColour colour) override;
    void DrawFrame(const IRect& target) override;

  private:
    QPainter& painter_;
    const QImage& image_;
};

}  // namespace vorlin
