#include "tools/select_tool.h"

#include <algorithm>
#include <new>

#include "tools/clipboard_dib.h"
#include "tools/tool_document.h"
#include "tools/tool_geometry.h"
#include "tools/tool_messages.h"
#include "tools/tool_ids.h"

namespace vorlin {
namespace {

bool MakeSurface(IndexSurface& out, int w, int h) {
    try {
        out = IndexSurface(w, h);
        return true;
    } catch (const std::bad_alloc&) {
        out = IndexSurface{};
        return false;
    }
}

void WarnMemory(ToolHost& view) {
    view.Warn(kMsgSelectionMemory);
}

// Mirrored copy: columns for horizontal, rows for vertical.
bool Mirrored(const IndexSurface& src, bool horizontal, IndexSurface& out) {
    if (!MakeSurface(out, src.width, src.height)) return false;
    for (int y = 0; y < src.height; ++y) {
        const std::uint8_t* from = src.Row(horizontal ? y : src.height - 1 - y);
        std::uint8_t* to = out.Row(y);
        if (horizontal)
            std::reverse_copy(from, from + src.width, to);
        else
            std::copy(from, from + src.width, to);
    }
    return true;
}

// A quarter turn: the result is h wide and w high.
bool Turned(const IndexSurface& src, bool clockwise, IndexSurface& out) {
    const int w = src.width, h = src.height;
    if (!MakeSurface(out, h, w)) return false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t v = src.Row(y)[x];
            if (clockwise)
                out.Row(x)[h - 1 - y] = v;
            else
                out.Row(w - 1 - x)[y] = v;
        }
    }
    return true;
}

}  // namespace

CSelectTool::CSelectTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId)
    : CTool(stroke, id, optionCount, cursorId) {}

bool CanPaste(const ClipboardPort& clipboard) {
    return clipboard.Has(ClipFormat::Dib) || clipboard.Has(ClipFormat::Private);
}

// --- selection images ---

void CSelectTool::DiscardMasks() {
    mask_.clear();
    maskStride_ = 0;
    maskedContent_ = IndexSurface{};
    hasMasks_ = false;
}

void CSelectTool::DiscardSelection() {
    content_ = IndexSurface{};
    under_ = IndexSurface{};
    DiscardMasks();
    selRect_ = IRect{};
}

bool CSelectTool::BuildMasks(int transparentIndex) {
    if (!HasSelection() || content_.width == 0) return true;
    DiscardMasks();
    const int w = content_.width, h = content_.height;
    try {
        maskStride_ = (static_cast<std::size_t>(w) + 7) / 8;
        mask_.assign(maskStride_ * static_cast<std::size_t>(h), 0);
    } catch (const std::bad_alloc&) {
        DiscardMasks();
        return false;
    }
    if (!MakeSurface(maskedContent_, w, h)) {
        DiscardMasks();
        return false;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t v = content_.Row(y)[x];
            const bool clear = v == transparentIndex;
            if (clear)
                mask_[maskStride_ * static_cast<std::size_t>(y) +
                      static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80u >> (x % 8));
            maskedContent_.Row(y)[x] = clear ? 0 : v;
        }
    }
    hasMasks_ = true;
    return true;
}

void CSelectTool::Render(ToolHost& view, RenderMode mode) {
    if (!HasSelection()) return;
    const IndexView picture = PictureView(view.Document());
    const int x = selRect_.left, y = selRect_.top, w = selRect_.Width(), h = selRect_.Height();
    if (mode == RenderMode::Erase) {
        BlockCopy(picture, x, y, w, h, ViewOf(under_), 0, 0);
        return;
    }
    BlockCopy(ViewOf(under_), 0, 0, w, h, picture, x, y);
    if (Transparent() && hasMasks_) {
        // Transparent pixels keep the picture, the others take the content.
        BlockCopy(picture, x, y, w, h, BitMaskView{mask_.data(), w, h, maskStride_}, 0, 0,
                  RasterOp::And);
        BlockCopy(picture, x, y, w, h, ViewOf(maskedContent_), 0, 0, RasterOp::Xor);
    } else {
        BlockCopy(picture, x, y, w, h, ViewOf(content_), 0, 0);
    }
}

bool CSelectTool::Lift(ToolHost& view, ConstIndexView source, const IRect& rect, int x, int y) {
    if (rect.IsEmpty() || !source.IsValid()) return false;
    const IndexView picture = PictureView(view.Document());
    if (!picture.IsValid()) return false;
    const int w = rect.Width(), h = rect.Height();
    DiscardSelection();
    owner_ = &view;
    selRect_ = RectOfSize(x, y, w, h);
    if (!MakeSurface(under_, w, h) || !MakeSurface(content_, w, h)) {
        WarnMemory(view);
        DiscardSelection();
        return false;
    }
    BlockCopy(ViewOf(under_), 0, 0, w, h, picture, x, y);
    BlockCopy(ViewOf(content_), 0, 0, w, h, source, rect.left, rect.top);
    BlockCopy(picture, x, y, w, h, ViewOf(content_), 0, 0);
    if (Transparent() && !BuildMasks(view.Slots().GetSlotIndex(kSlotRight))) {
        WarnMemory(view);
        DiscardSelection();
        return false;
    }
    return true;
}

// Takes the selection out and lifts `replacement` in its place, re-rendered for transparency.
bool CSelectTool::ReplaceContent(ToolHost& view, const IndexSurface& replacement, int x, int y) {
    Render(view, RenderMode::Erase);
    DiscardSelection();
    if (!Lift(view, ViewOf(replacement), IRect{0, 0, replacement.width, replacement.height}, x, y))
        return false;
    if (Transparent()) {
        Render(view, RenderMode::Erase);
        Render(view, RenderMode::Draw);
    }
    return true;
}

bool CSelectTool::Flip(ToolHost& view, bool horizontal) {
    if (!HasSelection()) return false;
    IndexSurface mirrored;
    if (!Mirrored(content_, horizontal, mirrored)) {
        WarnMemory(view);
        return false;
    }
    return ReplaceContent(view, mirrored, selRect_.left, selRect_.top);
}

bool CSelectTool::Rotate(ToolHost& view, bool clockwise) {
    if (!HasSelection()) return false;
    IndexSurface turned;
    if (!Turned(content_, clockwise, turned)) {
        WarnMemory(view);
        return false;
    }
    // The centre stays where it was (divisions truncate toward zero).
    const int w = content_.width, h = content_.height;
    const IRect target = RectOfSize(selRect_.left + (w - h) / 2, selRect_.top + (h - w) / 2, h, w);
    // The turned selection covers pixels no earlier step recorded, so the turn is a step of
    // its own; afterwards Delete records where the selection lies now.
    RecordPictureRegion(view.Document(), RectUnion(selRect_, target));
    if (!ReplaceContent(view, turned, target.left, target.top)) return false;
    stroke_.dirtyRect = selRect_;
    return true;
}

// --- pointer events ---

bool CSelectTool::SetToolCursor(ToolHost& view) {
    if (RectHolds(selRect_, stroke_.current)) return false;
    return CTool::SetToolCursor(view);
}

void CSelectTool::RepaintFrame(ToolHost& view, const IRect& rect) {
    if (rect.IsEmpty()) return;
    InvalidateImageRect(view, IRect{rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1});
}

void CSelectTool::OnPress(ToolHost& view, std::uint32_t flags, int /*x*/, int /*y*/) {
    if ((flags & kPointerButtons) != kPointerLeft) {
        Finish(view);
        return;
    }
    if (stroke_.Active()) return;
    view.CapturePointer();
    stroke_.buttons = flags;
    stroke_.anchor = stroke_.current;
    if (!RectHolds(selRect_, stroke_.current)) {
        // A new marquee; an old selection stays behind as ordinary pixels.
        BackupPicture(view.Document());
        CTool::ComputeShapeRect();
        RepaintFrame(view, selRect_);
        DiscardSelection();
        Perform(view);
    } else if (flags & kPointerCtrl) {
        // Drop and drag: the selection becomes what lies under it, so a copy stays behind.
        Render(view, RenderMode::Draw);
    }
}

void CSelectTool::OnDrag(ToolHost& view, std::uint32_t /*flags*/, int x, int y) {
    if (SamePoint(stroke_.current, IPoint{x, y})) return;
    if (HasSelection()) {
        Render(view, RenderMode::Erase);
        InvalidateImageRect(view, selRect_);
        selRect_ = RectOffset(selRect_, x - stroke_.current.x, y - stroke_.current.y);
        stroke_.current = IPoint{x, y};
    } else {
        RestorePicture(view.Document(), stroke_.shapeRect);
        stroke_.current = IPoint{x, y};
        CTool::ComputeShapeRect();
    }
    Perform(view);
}

void CSelectTool::Perform(ToolHost& view) {
    if (Id() != ID_TOOL_SELECT) return;
    if (HasSelection()) {
        Render(view, RenderMode::Draw);
        MarkModified(view.Document());
        InvalidateImageRect(view, selRect_);
    } else {
        // The marquee inverts pixels, so drawing it again removes it.
        InvertDottedFrame(PictureView(view.Document()), stroke_.shapeRect);
        InvalidateImageRect(view, stroke_.shapeRect);
    }
}

void CSelectTool::ReleaseFromMarquee(ToolHost& view) {
    Perform(view);
    CVorlinDoc& doc = view.Document();
    stroke_.dirtyRect = RectIntersection(stroke_.shapeRect, PictureBounds(doc));
    const IRect r = stroke_.dirtyRect;
    if (!r.IsEmpty() && Lift(view, PictureView(doc), r, r.left, r.top)) {
        // Moving the new selection away uncovers the background colour.
        const auto background = static_cast<std::uint8_t>(view.Slots().GetSlotIndex(kSlotRight));
        std::fill(under_.bits.begin(), under_.bits.end(), background);
    }
    CTool::Finish(view);
}

void CSelectTool::OnRelease(ToolHost& view, std::uint32_t /*flags*/, int /*x*/, int /*y*/) {
    // A release without a stroke (after a dropped selection or a double click) changes nothing.
    if (stroke_.buttons == 0) return;
    if (!HasSelection()) {
        ReleaseFromMarquee(view);
        return;
    }
    if (view.HasPointerCapture()) view.ReleasePointer();
    stroke_.buttons = 0;
    stroke_.anchor = stroke_.current;
    stroke_.shapeRect = IRect{};
    stroke_.dirtyRect = selRect_;
    CommitStroke(view.Document(), stroke_);
}

void CSelectTool::Finish(ToolHost& view) {
    if (HasSelection()) {
        RepaintFrame(view, selRect_);
        DiscardSelection();
    } else if (stroke_.Active()) {
        // A marquee still being dragged lives in the picture; take it out.
        RestorePicture(view.Document(), stroke_.shapeRect);
    }
    if (view.HasPointerCapture()) view.ReleasePointer();
    if (stroke_.buttons != 0) ResetStroke();
}

void CSelectTool::DrawOverlay(ToolHost& /*view*/, OverlayPainter& painter) {
    const IRect& frame = HasSelection() ? selRect_ : stroke_.shapeRect;
    if (!frame.IsEmpty()) painter.DottedFrame(frame, 32, 208, 255, true);
}

// Switching between opaque and transparent re-renders a floating selection at once.
unsigned CSelectTool::SetOption(unsigned index) {
    const unsigned previous = CTool::SetOption(index);
    if (!HasSelection() || owner_ == nullptr || previous == Option()) return previous;
    ToolHost& view = *owner_;
    if (Transparent())
        BuildMasks(view.Slots().GetSlotIndex(kSlotRight));
    else
        DiscardMasks();
    Render(view, RenderMode::Erase);
    Render(view, RenderMode::Draw);
    MarkModified(view.Document());
    view.RepaintImageRect(selRect_);
    return previous;
}

}  // namespace vorlin
