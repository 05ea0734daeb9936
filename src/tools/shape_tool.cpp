#include "tools/shape_tool.h"

#include <cstdlib>

#include "tools/tool_document.h"
#include "tools/tool_geometry.h"
#include "tools/tool_ids.h"

namespace vorlin {
namespace {

enum LineOption : unsigned { kLineSolid, kLineDash, kLineDot };
enum BoxOption : unsigned { kBoxSolid, kBoxBorder, kBoxFilled };

PenStyle PenFor(unsigned option) {
    if (option == kLineDash) return PenStyle::Dash;
    if (option == kLineDot) return PenStyle::Dot;
    return PenStyle::Solid;
}

// One axis of a centred box: 2|d| + 1 pixels towards a negative offset, 2d + 2 otherwise.
void CentredSpan(int start, int pointer, int& low, int& high) {
    const int d = pointer - start;
    if (d < 0) {
        low = pointer;
        high = start - d + 1;
    } else {
        low = start - d - 1;
        high = pointer + 1;
    }
}

}  // namespace

CShapeTool::CShapeTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId)
    : CTool(stroke, id, optionCount, cursorId) {}

void CShapeTool::OnDrag(ToolHost& view, std::uint32_t /*flags*/, int x, int y) {
    if (SamePoint(stroke_.current, IPoint{x, y})) return;
    stroke_.current = IPoint{x, y};
    RestorePicture(view.Document(), stroke_.shapeRect);
    ComputeShapeRect();
    Perform(view);
}

IPoint CShapeTool::EndPoint() const {
    const IPoint a = stroke_.anchor;
    const IPoint c = stroke_.current;
    const int dx = c.x - a.x;
    const int dy = c.y - a.y;
    if (stroke_.buttons & kPointerCtrl) {
        const int m = std::max(std::abs(dx), std::abs(dy));
        return IPoint{a.x + (dx < 0 ? -m : m), a.y + (dy < 0 ? -m : m)};
    }
    if ((stroke_.buttons & kPointerShift) && Id() == ID_TOOL_LINE)
        return std::abs(dx) < std::abs(dy) ? IPoint{a.x, c.y} : IPoint{c.x, a.y};
    return c;
}

IRect CShapeTool::CentredRect() const {
    IRect r;
    CentredSpan(stroke_.anchor.x, stroke_.current.x, r.left, r.right);
    CentredSpan(stroke_.anchor.y, stroke_.current.y, r.top, r.bottom);
    return r;
}

void CShapeTool::ComputeShapeRect() {
    end_ = EndPoint();
    const bool centred = !(stroke_.buttons & kPointerCtrl) && (stroke_.buttons & kPointerShift) &&
                         Id() != ID_TOOL_LINE;
    stroke_.shapeRect = centred ? CentredRect() : RectSpanning(stroke_.anchor, end_);
    // Earlier shapes were erased from the backup, so the stroke's changes lie in this one.
    stroke_.dirtyRect = stroke_.shapeRect;
}

void CShapeTool::DrawLineShape(ToolHost& view, std::uint8_t colour) {
    DrawLine(PictureView(view.Document()), stroke_.anchor, end_, colour, PenFor(Option()),
             LineEnd::Include);
}

void CShapeTool::DrawBoxShape(ToolHost& view, std::uint8_t colour) {
    const IndexView picture = PictureView(view.Document());
    const IRect box = stroke_.shapeRect;
    if (box.Width() == 1 && box.Height() == 1) {
        SetPixel(picture, stroke_.anchor.x, stroke_.anchor.y, colour);
        return;
    }
    const bool ellipse = Id() == ID_TOOL_ELLIPSE;
    const unsigned option = Option();
    const auto background = static_cast<std::uint8_t>(view.Slots().GetSlotIndex(kSlotRight));
    if (option == kBoxBorder) {
        if (ellipse)
            DrawEllipse(picture, box, colour);
        else
            FrameRect(picture, box, colour);
        return;
    }
    const std::uint8_t interior = option == kBoxFilled ? background : colour;
    if (ellipse) {
        FillEllipse(picture, box, colour, interior);
    } else {
        FillRect(picture, box, interior);
        FrameRect(picture, box, colour);
    }
}

void CShapeTool::Perform(ToolHost& view) {
    const int id = Id();
    if (id != ID_TOOL_LINE && id != ID_TOOL_RECT && id != ID_TOOL_ELLIPSE) return;
    const auto colour = static_cast<std::uint8_t>(ButtonColour(view));
    if (id == ID_TOOL_LINE)
        DrawLineShape(view, colour);
    else
        DrawBoxShape(view, colour);
    InvalidateImageRect(view, stroke_.shapeRect);
}

}  // namespace vorlin
