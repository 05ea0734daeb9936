// Fill, Pipette and Zoom: each click is a whole stroke, ignored outside the picture.
#pragma once

#include "tools/tool.h"

namespace vorlin {

class CClickTool : public CTool {
  public:
    CClickTool(ToolStroke& stroke, int id, unsigned optionCount, int cursorId);
    void OnPress(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void Perform(ToolHost& view) override;

  private:
    void FillArea(ToolHost& view);
    void PickColour(ToolHost& view);
    void ZoomAround(ToolHost& view);
};

// The factors of the Zoom tool's option list.
inline constexpr int kZoomFactors[] = {1, 2, 4, 6, 8};

}  // namespace vorlin
