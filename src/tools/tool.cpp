#include "tools/tool.h"

#include "tools/tool_document.h"
#include "tools/tool_geometry.h"

namespace vorlin {

CTool::CTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId)
    : stroke_(stroke), id_(id), optionCount_(optionCount), cursorId_(cursorId) {}

bool CTool::SetToolCursor(ToolHost& view) {
    if (cursorId_ == 0) return false;
    return view.ShowCursor(cursorId_);
}

void CTool::OnPress(ToolHost& view, std::uint32_t flags, int /*x*/, int /*y*/) {
    if (stroke_.Active()) return;
    // Modifiers count only as they were at the press.
    stroke_.buttons = flags;
    BackupPicture(view.Document());
    stroke_.anchor = stroke_.current;
    ComputeShapeRect();
    stroke_.dirtyRect = stroke_.shapeRect;
    view.CapturePointer();
    Perform(view);
}

void CTool::OnRelease(ToolHost& view, std::uint32_t /*flags*/, int /*x*/, int /*y*/) {
    if (stroke_.buttons != 0) Finish(view);
}

void CTool::OnMove(ToolHost& view, std::uint32_t flags, int x, int y) {
    if (stroke_.Active())
        OnDrag(view, flags, x, y);
    else
        stroke_.current = IPoint{x, y};
}

void CTool::OnDrag(ToolHost& view, std::uint32_t /*flags*/, int x, int y) {
    if (SamePoint(stroke_.current, IPoint{x, y})) return;
    stroke_.current = IPoint{x, y};
    Perform(view);
}

void CTool::DrawOverlay(ToolHost& /*view*/, OverlayPainter& /*painter*/) {}

void CTool::Finish(ToolHost& view) {
    if (view.HasPointerCapture()) view.ReleasePointer();
    if (stroke_.buttons == 0) return;
    CommitStroke(view.Document(), stroke_);
    ResetStroke();
}

unsigned CTool::SetOption(unsigned index) {
    if (optionCount_ == 0) return 0;
    const unsigned previous = option_;
    option_ = index < optionCount_ ? index : optionCount_ - 1;
    return previous;
}

void CTool::ComputeShapeRect() {
    stroke_.shapeRect = RectSpanning(stroke_.anchor, stroke_.current);
}

bool CTool::InvalidateImageRect(ToolHost& view, const IRect& rect) {
    IRect visible = view.VisibleImageRect();
    ++visible.right;
    ++visible.bottom;
    const IRect shown = RectIntersection(rect, visible);
    if (shown.IsEmpty()) return false;
    view.RepaintImageRect(shown);
    return true;
}

int CTool::ButtonColour(ToolHost& view) const {
    return view.Slots().GetSlotIndex(ButtonSlot(stroke_.buttons));
}

void CTool::ResetStroke() {
    stroke_.anchor = stroke_.current;
    stroke_.buttons = 0;
    stroke_.shapeRect = IRect{};
    stroke_.dirtyRect = IRect{};
}

bool CommitStroke(CVorlinDoc& doc, const ToolStroke& stroke) {
    const IRect changed = RectIntersection(stroke.dirtyRect, PictureBounds(doc));
    if (changed.IsEmpty()) return false;
    MarkModified(doc);
    return RecordBackupRegion(doc, changed);
}

}  // namespace vorlin
