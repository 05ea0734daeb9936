#include "tools/text_font.h"

namespace vorlin {

FontDescription InitialFontDescription(std::string_view face, int dotsPerInch) {
    FontDescription font;
    SetFontSize(font, kDefaultTextSize, dotsPerInch);
    SetFontFace(font, face);
    return font;
}

void SetFontFace(FontDescription& font, std::string_view face) {
    font.face = std::string(face.substr(0, kMaxFaceLength));
}

void SetFontSize(FontDescription& font, int points, int dotsPerInch) {
    font.height = FontHeightForSize(points, dotsPerInch);
}

void ToggleBold(FontDescription& font) {
    font.weight = font.weight == kWeightBold ? kWeightNormal : kWeightBold;
}

void ToggleItalic(FontDescription& font) {
    font.italic = !font.italic;
}

void ToggleUnderline(FontDescription& font) {
    font.underline = !font.underline;
}

}  // namespace vorlin
