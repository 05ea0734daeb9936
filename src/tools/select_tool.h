// Select: marks a rectangle and turns it into a floating selection that is always part of
// the picture (opaque, or with the background colour transparent), can be moved, flipped,
// rotated, copied, cut, deleted, and is where pasted images arrive.
#pragma once

#include <vector>

#include "core/raster.h"
#include "tools/tool.h"

namespace vorlin {

class CSelectTool : public CTool {
  public:
    enum SelectMode : unsigned { kOpaque = 0, kTransparent = 1 };
    enum class RenderMode { Erase, Draw };
    // How a paletted clipboard picture's pixels become indices of the picture. A picture in
    // direct colour is always matched by colour.
    enum class PasteMode {
        ByPalette,  // the indices as they are
        ByColor,    // each colour's nearest entry of the current palette
        BySource,   // the indices, and the used entries take the clipboard picture's colours
    };

    CSelectTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId);

    bool SetToolCursor(ToolHost& view) override;
    void OnPress(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void OnRelease(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void OnDrag(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void DrawOverlay(ToolHost& view, OverlayPainter& painter) override;
    void Finish(ToolHost& view) override;
    void Perform(ToolHost& view) override;
    unsigned SetOption(unsigned index) override;

    bool HasSelection() const { return !selRect_.IsEmpty(); }
    const IRect& SelectionRect() const { return selRect_; }
    const IndexSurface& Content() const { return content_; }

    // New floating selection from `rect` of `source`, placed at (x, y) in the picture.
    bool Lift(ToolHost& view, ConstIndexView source, const IRect& rect, int x, int y);
    void Render(ToolHost& view, RenderMode mode);
    bool Flip(ToolHost& view, bool horizontal);
    bool Rotate(ToolHost& view, bool clockwise);

    // The view's commands.
    bool FlipSelection(ToolHost& view, bool horizontal);
    bool RotateSelection(ToolHost& view, bool clockwise);
    bool CopyToClipboard(ToolHost& view, bool cut);
    bool DeleteSelection(ToolHost& view);
    bool PasteSequence(ToolHost& view);
    bool PasteFromClipboard(ToolHost& view, IPoint origin);
    void SetPasteMode(PasteMode mode) { pasteMode_ = mode; }
    PasteMode GetPasteMode() const { return pasteMode_; }

  private:
    bool Transparent() const { return Option() == kTransparent; }
    bool BuildMasks(int transparentIndex);
    void DiscardMasks();
    void DiscardSelection();
    void RepaintFrame(ToolHost& view, const IRect& rect);
    void ReleaseFromMarquee(ToolHost& view);
    bool ReplaceContent(ToolHost& view, const IndexSurface& replacement, int x, int y);

    IRect selRect_;
    IndexSurface content_;
    IndexSurface under_;
    std::vector<std::uint8_t> mask_;  // one bit per pixel: set where content is transparent
    std::size_t maskStride_ = 0;
    IndexSurface maskedContent_;  // content with the transparent pixels at index 0
    bool hasMasks_ = false;
    // The view the selection lives in; option changes re-render through it.
    ToolHost* owner_ = nullptr;
    PasteMode pasteMode_ = PasteMode::ByColor;
};

// Paste is offered when the clipboard holds a bitmap or the program's marker format.
bool CanPaste(const ClipboardPort& clipboard);

}  // namespace vorlin
