// The view's commands on the floating selection: flips, rotations, clipboard, delete.
#include <new>

#include "document/vorlin_doc.h"
#include "tools/clipboard_dib.h"
#include "tools/select_tool.h"
#include "tools/tool_document.h"
#include "tools/tool_messages.h"
#include "tools/tool_ids.h"

namespace vorlin {

bool CSelectTool::FlipSelection(ToolHost& view, bool horizontal) {
    if (!HasSelection()) {
        BackupPicture(view.Document());
        return false;
    }
    if (!Flip(view, horizontal)) return false;
    MarkModified(view.Document());
    view.RepaintAll();
    return true;
}

bool CSelectTool::RotateSelection(ToolHost& view, bool clockwise) {
    if (!HasSelection() || !Rotate(view, clockwise)) return false;
    MarkModified(view.Document());
    view.RepaintAll();
    return true;
}

bool CSelectTool::CopyToClipboard(ToolHost& view, bool cut) {
    if (!HasSelection()) return false;
    if (content_.width <= 0 || content_.height <= 0) {
        view.Warn(kMsgNoBitmapData);
        return false;
    }
    std::vector<std::uint8_t> block;
    try {
        block = PackClipboardDib(content_, PicturePalette(view.Document()));
    } catch (const std::bad_alloc&) {
        block.clear();  // the clipboard is then left empty
    }
    if (cut) DeleteSelection(view);
    ClipboardPort& clipboard = view.Clipboard();
    if (!clipboard.Open()) {
        view.Warn(kMsgClipboardOpen);
        return false;
    }
    clipboard.Empty();
    if (!block.empty()) clipboard.Put(ClipFormat::Dib, std::move(block));
    clipboard.Close();
    return true;
}

bool CSelectTool::DeleteSelection(ToolHost& view) {
    if (!HasSelection()) return false;
    CVorlinDoc& doc = view.Document();
    BackupPicture(doc);
    CommitStroke(doc, stroke_);
    Render(view, RenderMode::Erase);
    InvalidateImageRect(view, selRect_);
    Finish(view);
    return true;
}

bool CSelectTool::PasteSequence(ToolHost& view) {
    view.SelectTool(ID_TOOL_SELECT);
    CVorlinDoc& doc = view.Document();
    BackupPicture(doc);
    if (!PasteFromClipboard(view, view.ScrollOrigin())) {
        view.Warn(kMsgPasteFailed, kCaptionPasteFailed);
        return false;
    }
    MarkModified(doc);
    view.RepaintAll();
    return true;
}

bool CSelectTool::PasteFromClipboard(ToolHost& view, IPoint origin) {
    ClipboardPort& clipboard = view.Clipboard();
    if (!clipboard.Open()) return false;
    CVorlinDoc& doc = view.Document();
    std::vector<std::uint8_t> bytes;
    std::unique_ptr<IndexSurface> pasted;
    const ClipIndices indices =
        pasteMode_ == PasteMode::ByColor ? ClipIndices::Nearest : ClipIndices::Keep;
    if (clipboard.Get(ClipFormat::Dib, bytes))
        pasted = UnpackClipboardDib(bytes.data(), bytes.size(), PicturePalette(doc), indices);
    // By source changes the palette too, so the whole picture before the paste is the one
    // undo step; direct-colour pictures have no colours to bring and paste by colour.
    std::vector<RgbQuad> colours;
    if (pasted && pasteMode_ == PasteMode::BySource)
        colours = ClipboardColourTable(bytes.data(), bytes.size());
    const bool wholeRecorded = !colours.empty() && RecordWholePicture(doc);
    if (wholeRecorded) AdoptColours(doc, *pasted, colours);
    // Unlike a marquee, a pasted selection keeps the picture beneath it.
    if (!pasted || !Lift(view, ViewOf(*pasted), IRect{0, 0, pasted->width, pasted->height},
                         origin.x, origin.y)) {
        if (wholeRecorded) doc.Undo();
        clipboard.Close();
        return false;
    }
    if (Transparent()) {
        Render(view, RenderMode::Erase);
        Render(view, RenderMode::Draw);
    }
    stroke_.dirtyRect = selRect_;
    if (!wholeRecorded) CommitStroke(doc, stroke_);
    clipboard.Close();
    return true;
}

}  // namespace vorlin
