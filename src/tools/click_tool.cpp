#include "tools/click_tool.h"

#include <iterator>

#include "tools/tool_document.h"
#include "tools/tool_geometry.h"
#include "tools/tool_ids.h"

namespace vorlin {
namespace {

// The first listed factor not below the whole part of the zoom; the last one beyond the list.
unsigned ZoomOptionFor(double zoom) {
    const unsigned last = static_cast<unsigned>(std::size(kZoomFactors)) - 1;
    if (!(zoom <= kZoomFactors[last])) return last;
    const int whole = zoom > 0 ? static_cast<int>(zoom) : 0;
    unsigned i = 0;
    while (kZoomFactors[i] < whole) ++i;
    return i;
}

}  // namespace

CClickTool::CClickTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId)
    : CTool(stroke, id, optionCount, cursorId) {}

void CClickTool::OnPress(ToolHost& view, std::uint32_t flags, int x, int y) {
    CTool::OnPress(view, flags, x, y);
    Finish(view);
}

void CClickTool::Perform(ToolHost& view) {
    if (!RectHolds(PictureBounds(view.Document()), stroke_.current)) {
        stroke_.buttons = 0;
        return;
    }
    switch (Id()) {
        case ID_TOOL_FILL:
            FillArea(view);
            break;
        case ID_TOOL_PIPETTE:
            PickColour(view);
            break;
        case ID_TOOL_ZOOM:
            ZoomAround(view);
            break;
        default:
            break;
    }
}

// Without CTRL the same-coloured area is filled; with CTRL the area bounded by the colour.
// The whole picture is recorded, even when nothing changed.
void CClickTool::FillArea(ToolHost& view) {
    CVorlinDoc& doc = view.Document();
    const auto colour = static_cast<std::uint8_t>(ButtonColour(view));
    if (stroke_.buttons & kPointerCtrl)
        FloodFillBorder(PictureView(doc), stroke_.current, colour, colour);
    else
        FloodFillSurface(PictureView(doc), stroke_.current, colour);
    stroke_.dirtyRect = PictureBounds(doc);
    MarkModified(doc);
    view.RepaintAll();
}

void CClickTool::PickColour(ToolHost& view) {
    const IndexView picture = PictureView(view.Document());
    const int index = GetPixel(picture, stroke_.current.x, stroke_.current.y);
    view.Slots().Select(ButtonSlot(stroke_.buttons), index);
    stroke_.buttons = 0;
    stroke_.dirtyRect = IRect{};
    view.SelectTool(-1);
}

// Zooms to the chosen factor centred on the click; the option then points at the factor
// the view had, so the next click goes back.
void CClickTool::ZoomAround(ToolHost& view) {
    const unsigned back = ZoomOptionFor(view.Zoom());
    view.SetZoom(kZoomFactors[Option()]);
    const IRect visible = view.VisibleImageRect();
    view.ScrollTo(
        IPoint{stroke_.anchor.x - visible.Width() / 2, stroke_.anchor.y - visible.Height() / 2});
    SetOption(back);
    view.ShowToolOption(back);
    stroke_.buttons = 0;
    stroke_.dirtyRect = IRect{};
}

}  // namespace vorlin
