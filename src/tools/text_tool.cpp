#include "tools/text_tool.h"

#include "tools/tool_document.h"
#include "tools/tool_geometry.h"
#include "tools/tool_messages.h"
#include "tools/tool_ids.h"

namespace vorlin {

inline constexpr int kTextBoxSide = 32;

CTextTool::CTextTool(ToolStroke& stroke, int id, int cursorId) : CTool(stroke, id, 0, cursorId) {}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

void CTextTool::OnPress(ToolHost& view, std::uint32_t flags, int /*x*/, int /*y*/) {
    if (stroke_.Active()) return;
    if (active_) {
        if (flags & kPointerRight) Finish(view);
        return;
    }
    CVorlinDoc& doc = view.Document();
    if (!RectHolds(PictureBounds(doc), stroke_.current)) return;
    // No stroke is opened: the release that follows finds nothing to do.
    textColour_ = view.Slots().GetSlotIndex(ButtonSlot(flags));
    BackupPicture(doc);
    TextEditorPort& editor = view.TextEditor();
    if (!editor.Exists() && !editor.Create()) {
        view.Warn(kMsgTextWindow);
        return;
    }
    textRect_ = RectOfSize(stroke_.current.x, stroke_.current.y, kTextBoxSide, kTextBoxSide);
    editor.Show();
    active_ = true;
    Perform(view);
}

void CTextTool::DrawText(ToolHost& view, const FontDescription& font, const FontMetrics& metrics) {
    const IndexView picture = PictureView(view.Document());
    const std::string text = view.TextEditor().Text();
    const int top = textRect_.top - metrics.ascent;
    int lineTop = top;
    for (std::string_view line : SplitTextLines(text)) {
        GlyphMask mask;
        if (view.Fonts().RenderLine(font, line, mask) && mask.width > 0 && mask.height > 0 &&
            mask.bits.size() >= mask.stride * static_cast<std::size_t>(mask.height)) {
            WriteMask(picture, textRect_.left, lineTop,
                      BitMaskView{mask.bits.data(), mask.width, mask.height, mask.stride},
                      static_cast<std::uint8_t>(textColour_));
        }
        lineTop += metrics.cellHeight;
    }
}

// Renders from the backup, so each edit replaces the previous rendering; the text may run
// past its 32-pixel box, so everything from the text's top to the picture's end is dirty.
void CTextTool::Perform(ToolHost& view) {
    if (Id() != ID_TOOL_TEXT || !view.TextEditor().Exists()) return;
    CVorlinDoc& doc = view.Document();
    RestoreWholePicture(doc);
    const FontDescription font = view.TextEditor().Font();
    FontMetrics metrics;
    if (!view.Fonts().Measure(font, metrics)) metrics = FontMetrics{};
    DrawText(view, font, metrics);
    const IRect bounds = PictureBounds(doc);
    stroke_.dirtyRect =
        IRect{textRect_.left, textRect_.top - metrics.ascent, bounds.right, bounds.bottom};
    view.RepaintAll();
}

void CTextTool::Finish(ToolHost& view) {
    if (!active_) return;
    // Cleared first: hiding the editor notifies again and must not commit twice.
    active_ = false;
    CommitStroke(view.Document(), stroke_);
    stroke_.dirtyRect = IRect{};
    CTool::Finish(view);
    view.TextEditor().Hide();
}

void CTextTool::OnEditorChanged(ToolHost& view) {
    if (!active_) return;
    if (view.TextEditor().IsVisible())
        Perform(view);
    else
        Finish(view);
}

}  // namespace vorlin
