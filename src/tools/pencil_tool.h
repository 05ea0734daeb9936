// Pencil: joins consecutive pointer positions with one-pixel lines in the button colour.
#pragma once

#include "tools/tool.h"

namespace vorlin {

class CPencilTool : public CTool {
  public:
    CPencilTool(ToolStroke& stroke, int id, int cursorId);
    void OnPress(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void OnDrag(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void Perform(ToolHost& view) override;

  private:
    IPoint previous_;
};

}  // namespace vorlin
