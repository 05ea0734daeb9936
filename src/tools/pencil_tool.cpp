#include "tools/pencil_tool.h"

#include "tools/tool_document.h"
#include "tools/tool_geometry.h"
#include "tools/tool_ids.h"

namespace vorlin {

CPencilTool::CPencilTool(ToolStroke& stroke, int id, int cursorId)
    : CTool(stroke, id, 0, cursorId) {}

void CPencilTool::OnPress(ToolHost& view, std::uint32_t flags, int x, int y) {
    previous_ = stroke_.current;
    CTool::OnPress(view, flags, x, y);
}

void CPencilTool::OnDrag(ToolHost& view, std::uint32_t /*flags*/, int x, int y) {
    if (SamePoint(stroke_.current, IPoint{x, y})) return;
    previous_ = stroke_.current;
    stroke_.current = IPoint{x, y};
    Perform(view);
}

void CPencilTool::Perform(ToolHost& view) {
    if (Id() != ID_TOOL_PENCIL) return;
    const auto colour = static_cast<std::uint8_t>(ButtonColour(view));
    DrawLine(PictureView(view.Document()), previous_, stroke_.current, colour);
    const IRect segment = RectSpanning(previous_, stroke_.current);
    stroke_.dirtyRect = RectUnion(stroke_.dirtyRect, segment);
    InvalidateImageRect(view, segment);
}

}  // namespace vorlin
