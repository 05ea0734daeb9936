// Brush and Eraser: a square nib (or a slanted one for the brush) swept along the pointer.
// The eraser paints the background colour with the left button, replaces only the fore
// colour with the right button and everything but the fore colour with the middle one.
#pragma once

#include <vector>

#include "tools/tool.h"

namespace vorlin {

class CBrushTool : public CTool {
  public:
    CBrushTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId);
    void OnPress(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void OnMove(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void OnDrag(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void DrawOverlay(ToolHost& view, OverlayPainter& painter) override;
    void Perform(ToolHost& view) override;
    unsigned SetOption(unsigned index) override;
    void ComputeShapeRect() override;

    int NibSize() const { return nib_; }

  private:
    void Step(ToolHost& view, int x, int y);
    IRect Footprint(IPoint p) const;
    void SetNibFromOption();
    void PaintSquare(ToolHost& view, std::uint8_t colour);
    void PaintSlanted(ToolHost& view, std::uint8_t colour, bool slash);
    void EraseMatching(ToolHost& view, bool keepFore);

    int nib_ = 0;  // width and height of the footprint
    IPoint previous_;
    std::vector<std::uint8_t> mask_;  // one bit per footprint pixel, rows of whole bytes
};

}  // namespace vorlin
