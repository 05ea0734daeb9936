// Text as whole pixels: Qt fonts rendered into a one-bit mask with antialiasing off.
#pragma once

#include <QFont>

#include "tools/text_ports.h"

namespace vorlin {

class QtTextRasterizer : public TextRasterizer {
  public:
    bool Measure(const FontDescription& font, FontMetrics& metrics) override;
    bool RenderLine(const FontDescription& font, std::string_view line, GlyphMask& mask) override;

    static QFont ToQFont(const FontDescription& font);
};

}  // namespace vorlin
