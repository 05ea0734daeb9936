// The text tool's window side: the floating text editor and the font rasteriser.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlin {

struct FontDescription {
    int height = 0;  // cell height in pixels
    int weight = 400;
    bool italic = false;
    bool underline = false;
    std::string face;
};

// One rendered line: one bit per pixel, most significant bit leftmost, rows of `stride`
// bytes; the top row is the top of the font cell.
struct GlyphMask {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    std::vector<std::uint8_t> bits;
};

struct FontMetrics {
    int ascent = 0;      // from the cell top to the baseline
    int cellHeight = 0;  // distance between consecutive lines
};

// Turns text into whole pixels, without smoothing.
class TextRasterizer {
  public:
    virtual ~TextRasterizer() = default;
    virtual bool Measure(const FontDescription& font, FontMetrics& metrics) = 0;
    // False when nothing could be drawn (an empty line may give an empty mask and true).
    virtual bool RenderLine(const FontDescription& font, std::string_view line,
                            GlyphMask& mask) = 0;
};

// The floating text editor, created on first use and afterwards only shown and hidden.
// After every change (text, font, closing) it calls CTextTool::OnEditorChanged.
class TextEditorPort {
  public:
    virtual ~TextEditorPort() = default;
    virtual bool Exists() const = 0;
    virtual bool Create() = 0;
    // Shows the window with the text cleared and the focus in the edit field.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
    virtual std::string Text() const = 0;
    virtual FontDescription Font() const = 0;
};

}  // namespace vorlin
