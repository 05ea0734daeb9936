// Line, Rectangle and Ellipse: rubber-band shapes redrawn from the backup at every step.
// CTRL makes width equal height; SHIFT makes lines horizontal or vertical and makes the
// start the centre of rectangles and ellipses. CTRL wins when both are held.
#pragma once

#include "tools/tool.h"

namespace vorlin {

class CShapeTool : public CTool {
  public:
    CShapeTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId);
    void OnDrag(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void Perform(ToolHost& view) override;
    void ComputeShapeRect() override;

  private:
    IRect CentredRect() const;
    IPoint EndPoint() const;
    void DrawLineShape(ToolHost& view, std::uint8_t colour);
    void DrawBoxShape(ToolHost& view, std::uint8_t colour);

    IPoint end_;  // where a line ends once the modifiers are applied
};

}  // namespace vorlin
