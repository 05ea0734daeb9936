#include "app/qt/qt_text_rasterizer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace vorlin {

namespace {
// Far beyond any text a picture can hold; keeps a runaway line from allocating too much.
constexpr int kMaxMaskSide = 65536;
constexpr int kMaxFontHeight = 4096;
}  // namespace

QFont QtTextRasterizer::ToQFont(const FontDescription& font) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(std::clamp(font.height, 1, kMaxFontHeight));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight / 10 * 10, 100, 900)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

bool QtTextRasterizer::Measure(const FontDescription& font, FontMetrics& metrics) {
    const QFontMetrics fm(ToQFont(font));
    metrics.ascent = fm.ascent();
    metrics.cellHeight = fm.height();
    return metrics.cellHeight > 0;
}

bool QtTextRasterizer::RenderLine(const FontDescription& font, std::string_view line,
                                  GlyphMask& mask) {
    const QFont f = ToQFont(font);
    const QFontMetrics fm(f);
    const QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    const int width = std::min(fm.horizontalAdvance(text), kMaxMaskSide);
    const int height = std::min(fm.height(), kMaxMaskSide);
    mask = GlyphMask{};
    if (width <= 0 || height <= 0) return true;
    QImage image(width, height, QImage::Format_Mono);
    if (image.isNull()) return false;
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    image.fill(0);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(f);
        p.setPen(QColor(255, 255, 255));
        p.drawText(0, fm.ascent(), text);
    }
    mask.width = width;
    mask.height = height;
    mask.stride = static_cast<std::size_t>((width + 7) / 8);
    mask.bits.assign(mask.stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y)
        std::copy_n(image.constScanLine(y), mask.stride, mask.bits.data() + mask.stride * y);
    return true;
}

}  // namespace vorlin
