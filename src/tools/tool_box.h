// The eleven tool objects with their shared stroke, in tools-bar order, and the switch
// between them that the main view owns.
#pragma once

#include <string>
#include <vector>

#include "tools/brush_tool.h"
#include "tools/click_tool.h"
#include "tools/pencil_tool.h"
#include "tools/select_tool.h"
#include "tools/shape_tool.h"
#include "tools/text_tool.h"

namespace vorlin {

class ToolBox {
  public:
    ToolBox();
    ToolBox(const ToolBox&) = delete;
    ToolBox& operator=(const ToolBox&) = delete;

    // First tool with the identifier, in registry order; null when none has it.
    CTool* Find(int id) const;
    const std::vector<CTool*>& Registry() const { return registry_; }
    ToolStroke& Stroke() { return stroke_; }
    CSelectTool& Select() { return select_; }
    CTextTool& Text() { return text_; }

    // The options chosen when the tools bar is built: Select "trans", Zoom " 6x", Eraser "8".
    void ApplyBarDefaults();

  private:
    ToolStroke stroke_;
    CSelectTool select_;
    CClickTool pipette_;
    CClickTool zoom_;
    CBrushTool eraser_;
    CPencilTool pencil_;
    CShapeTool line_;
    CShapeTool rect_;
    CShapeTool ellipse_;
    CBrushTool brush_;
    CClickTool fill_;
    CTextTool text_;
    std::vector<CTool*> registry_;
};

// The program's tools, alive from first use until exit.
ToolBox& ProgramTools();
CTool* FindTool(int id);

// The tools bar's option list for a tool (empty for none or a tool without options).
std::vector<std::string> OptionEntries(const CTool* tool);

// Current and previous tool of a view; both start as the Pencil.
class ToolSwitch {
  public:
    explicit ToolSwitch(ToolBox& box);

    // Finishes the current tool's stroke, then makes `id` (-1: the previous tool) current.
    // False when no tool has the identifier; the current tool then stays. On success the
    // view is repainted; the caller refills the option list from OptionEntries(&Current()).
    bool Select(ToolHost& view, int id);
    // The tools bar's option list changed its selection.
    void ChooseOption(ToolHost& view, unsigned index);

    CTool& Current() const { return *current_; }
    int CurrentId() const { return currentId_; }
    int PreviousId() const { return previousId_; }
    // Command-update state of a tool button.
    bool IsEnabled(int id) const { return box_.Find(id) != nullptr; }
    bool IsPressed(int id) const { return id == currentId_; }

  private:
    ToolBox& box_;
    int currentId_;
    int previousId_;
    CTool* current_;
};

}  // namespace vorlin
