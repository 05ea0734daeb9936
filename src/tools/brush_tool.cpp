#include "tools/brush_tool.h"

#include <array>
#include <cstdlib>

#include "tools/tool_document.h"
#include "tools/tool_geometry.h"
#include "tools/tool_ids.h"

namespace vorlin {
namespace {

constexpr int kEraserNibs[] = {4, 6, 8, 16};
constexpr int kBrushNibs[] = {2, 4, 2, 4, 2, 4};
enum BrushShape { kSquare, kSlash, kBackslash };

BrushShape ShapeOf(unsigned brushOption) {
    return static_cast<BrushShape>(brushOption / 2);
}

}  // namespace

CBrushTool::CBrushTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId)
    : CTool(stroke, id, optionCount, cursorId) {
    SetNibFromOption();
}

void CBrushTool::SetNibFromOption() {
    const unsigned option = Option();
    if (Id() == ID_TOOL_ERASER)
        nib_ = kEraserNibs[option < std::size(kEraserNibs) ? option : 0];
    else
        nib_ = kBrushNibs[option < std::size(kBrushNibs) ? option : 0];
    const std::size_t rowBytes = (static_cast<std::size_t>(nib_) + 7) / 8;
    mask_.assign(rowBytes * static_cast<std::size_t>(nib_), 0);
}

unsigned CBrushTool::SetOption(unsigned index) {
    const unsigned previous = CTool::SetOption(index);
    SetNibFromOption();
    return previous;
}

IRect CBrushTool::Footprint(IPoint p) const {
    return RectOfSize(p.x - nib_ / 2, p.y - nib_ / 2, nib_, nib_);
}

void CBrushTool::OnPress(ToolHost& view, std::uint32_t flags, int x, int y) {
    previous_ = stroke_.current;
    CTool::OnPress(view, flags, x, y);
}

void CBrushTool::OnMove(ToolHost& view, std::uint32_t /*flags*/, int x, int y) {
    Step(view, x, y);
}

void CBrushTool::OnDrag(ToolHost& view, std::uint32_t /*flags*/, int x, int y) {
    Step(view, x, y);
}

// Hovering moves the nib outline; dragging paints.
void CBrushTool::Step(ToolHost& view, int x, int y) {
    if (SamePoint(stroke_.current, IPoint{x, y})) return;
    previous_ = stroke_.current;
    stroke_.current = IPoint{x, y};
    if (stroke_.Active()) {
        Perform(view);
        return;
    }
    InvalidateImageRect(view, Footprint(previous_));
    InvalidateImageRect(view, Footprint(stroke_.current));
}

void CBrushTool::ComputeShapeRect() {
    IRect swept = RectSpanning(previous_, stroke_.current);
    const int half = nib_ / 2;
    swept = IRect{swept.left - half, swept.top - half, swept.right + half, swept.bottom + half};
    stroke_.shapeRect = swept;
    stroke_.dirtyRect = RectUnion(stroke_.dirtyRect, swept);
}

void CBrushTool::DrawOverlay(ToolHost& view, OverlayPainter& painter) {
    IRect visible = view.VisibleImageRect();
    ++visible.right;
    ++visible.bottom;
    const IRect nib = Footprint(stroke_.current);
    if (RectIntersection(nib, visible).IsEmpty()) return;
    painter.DottedFrame(nib, 255, 208, 32, false);
}

// Fills the footprint, then the band that sweeps one of its diagonals back to the previous
// position, so a fast stroke has no gaps between footprints.
void CBrushTool::PaintSquare(ToolHost& view, std::uint8_t colour) {
    const IndexView picture = PictureView(view.Document());
    const IRect f = Footprint(stroke_.current);
    FillRect(picture, f, colour);
    const int dx = stroke_.current.x - previous_.x;
    const int dy = stroke_.current.y - previous_.y;
    if (std::abs(dx) < 2 && std::abs(dy) < 2) return;
    const int l = f.left, t = f.top, r = f.right - 1, b = f.bottom - 1;
    std::array<IPoint, 4> band;
    if (dx * dy < 0)
        band = {IPoint{l, t}, IPoint{r, b}, IPoint{r - dx, b - dy}, IPoint{l - dx, t - dy}};
    else
        band = {IPoint{r, t}, IPoint{l, b}, IPoint{l - dx, b - dy}, IPoint{r - dx, t - dy}};
    FillPolygon(picture, band, colour);
}

void CBrushTool::PaintSlanted(ToolHost& view, std::uint8_t colour, bool slash) {
    const IRect f = Footprint(stroke_.current);
    const int dx = stroke_.current.x - previous_.x;
    const int dy = stroke_.current.y - previous_.y;
    const int l = f.left, t = f.top, r = f.right - 1, b = f.bottom - 1;
    std::array<IPoint, 4> band;
    if (slash)
        band = {IPoint{l, b}, IPoint{r, t}, IPoint{r - dx, t - dy}, IPoint{l - dx, b - dy}};
    else
        band = {IPoint{r - dx, b - dy}, IPoint{l - dx, t - dy}, IPoint{l, t}, IPoint{r, b}};
    FillPolygon(PictureView(view.Document()), band, colour);
}

// Marks the footprint pixels to replace in the nib mask, then writes the background
// colour through it. keepFore: everything but the fore colour goes; else only the fore colour.
void CBrushTool::EraseMatching(ToolHost& view, bool keepFore) {
    const IndexView picture = PictureView(view.Document());
    const int fore = view.Slots().GetSlotIndex(kSlotLeft);
    const auto background = static_cast<std::uint8_t>(view.Slots().GetSlotIndex(kSlotRight));
    const IRect f = Footprint(stroke_.current);
    const std::size_t rowBytes = (static_cast<std::size_t>(nib_) + 7) / 8;
    std::fill(mask_.begin(), mask_.end(), 0);
    for (int y = 0; y < nib_; ++y) {
        for (int x = 0; x < nib_; ++x) {
            if (!picture.Contains(f.left + x, f.top + y)) continue;
            const bool isFore = picture.Row(f.top + y)[f.left + x] == fore;
            if (isFore != keepFore)
                mask_[rowBytes * static_cast<std::size_t>(y) + static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80u >> (x % 8));
        }
    }
    WriteMask(picture, f.left, f.top, BitMaskView{mask_.data(), nib_, nib_, rowBytes}, background);
}

void CBrushTool::Perform(ToolHost& view) {
    if (Id() == ID_TOOL_ERASER) {
        if (stroke_.buttons & kPointerMiddle)
            EraseMatching(view, true);
        else if (stroke_.buttons & kPointerRight)
            EraseMatching(view, false);
        else
            PaintSquare(view, static_cast<std::uint8_t>(view.Slots().GetSlotIndex(kSlotRight)));
    } else if (Id() == ID_TOOL_BRUSH) {
        const auto colour = static_cast<std::uint8_t>(ButtonColour(view));
        const BrushShape shape = ShapeOf(Option());
        if (shape == kSquare)
            PaintSquare(view, colour);
        else
            PaintSlanted(view, colour, shape == kSlash);
    } else {
        return;
    }
    ComputeShapeRect();
    InvalidateImageRect(view, stroke_.shapeRect);
}

}  // namespace vorlin
