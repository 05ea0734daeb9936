#include "app/qt/indexed_painter.h"

#include "document/index_image.h"

namespace vorlin {

QImage IndexedView(const CIndexImage& image) {
    QImage view(image.Bits(), image.Width(), image.Height(), image.Stride(),
                QImage::Format_Indexed8);
    QList<QRgb> table(kPaletteSize);
    const RgbQuad* pal = image.Palette();
    for (int i = 0; i < kPaletteSize; ++i)
        table[i] = qRgb(pal[i].rgbRed, pal[i].rgbGreen, pal[i].rgbBlue);
    view.setColorTable(table);
    return view;
}

void IndexedPainter::DrawImage(const IRect& source, const IRect& target) {
    // Clip the source to the picture and shrink the target in proportion, so tiles that
    // hang over the right or bottom edge are not stretched.
    const int sw = source.Width(), sh = source.Height();
    if (sw <= 0 || sh <= 0) return;
    const int right = std::min(source.right, image_.width());
    const int bottom = std::min(source.bottom, image_.height());
    if (right <= source.left || bottom <= source.top) return;
    const int tw = target.Width() * (right - source.left) / sw;
    const int th = target.Height() * (bottom - source.top) / sh;
    painter_.drawImage(QRect(target.left, target.top, tw, th), image_,
                       QRect(source.left, source.top, right - source.left, bottom - source.top));
}

void IndexedPainter::FillRect(const IRect& target, ScreenColour colour) {
    painter_.fillRect(QRect(target.left, target.top, target.Width(), target.Height()),
                      QColor(colour.red, colour.green, colour.blue));
}

void IndexedPainter::DrawFrame(const IRect& target) {
    painter_.drawRect(QRect(target.left, target.top, target.Width() - 1, target.Height() - 1));
}

}  // namespace vorlin
