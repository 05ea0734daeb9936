// The base of the eleven editing tools. The view forwards pointer events in image
// coordinates; a stroke syncs the backup at the press, draws into the picture and
// commits one undo record of everything it changed when it finishes.
#pragma once

#include <cstdint>

#include "tools/tool_host.h"
#include "tools/tool_stroke.h"

namespace vorlin {

class CTool {
  public:
    CTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId);
    virtual ~CTool() = default;
    CTool(const CTool&) = delete;
    CTool& operator=(const CTool&) = delete;

    virtual bool SetToolCursor(ToolHost& view);
    virtual void OnPress(ToolHost& view, std::uint32_t flags, int x, int y);
    virtual void OnRelease(ToolHost& view, std::uint32_t flags, int x, int y);
    virtual void OnMove(ToolHost& view, std::uint32_t flags, int x, int y);
    virtual void OnDrag(ToolHost& view, std::uint32_t flags, int x, int y);
    virtual void DrawOverlay(ToolHost& view, OverlayPainter& painter);
    virtual void Finish(ToolHost& view);
    virtual void Perform(ToolHost& view) = 0;
    // Clamps to the option count and returns the previous option; 0 for tools without options.
    virtual unsigned SetOption(unsigned index);
    virtual void ComputeShapeRect();
    // Repaints the part of `rect` that is on screen; false when none of it is.
    virtual bool InvalidateImageRect(ToolHost& view, const IRect& rect);

    int Id() const { return id_; }
    unsigned Option() const { return option_; }
    unsigned OptionCount() const { return optionCount_; }
    int CursorId() const { return cursorId_; }
    const ToolStroke& Stroke() const { return stroke_; }

  protected:
    // The palette index of the slot the stroke's buttons choose.
    int ButtonColour(ToolHost& view) const;
    // Ends the stroke without committing: the state a finished stroke leaves.
    void ResetStroke();

    ToolStroke& stroke_;

  private:
    int id_;
    unsigned option_ = 0;
    unsigned optionCount_;
    int cursorId_;
};

// Records the stroke's changes as one undo record taken from the backup. Nothing is
// recorded and false returned when the dirty rectangle misses the picture.
bool CommitStroke(CVorlinDoc& doc, const ToolStroke& stroke);

}  // namespace vorlin
