#include "tools/tool_box.h"

#include "tools/tool_catalog.h"
#include "tools/tool_ids.h"

namespace vorlin {
namespace {

unsigned OptionCountOf(int id) {
    const ToolInfo* info = FindToolInfo(id);
    return info ? static_cast<unsigned>(SplitOptions(info->options).size()) : 0;
}

int CursorOf(int id) {
    const ToolInfo* info = FindToolInfo(id);
    return info ? info->cursorId : 0;
}

}  // namespace

ToolBox::ToolBox()
    : select_(stroke_, ID_TOOL_SELECT, OptionCountOf(ID_TOOL_SELECT), CursorOf(ID_TOOL_SELECT)),
      pipette_(stroke_, ID_TOOL_PIPETTE, OptionCountOf(ID_TOOL_PIPETTE), CursorOf(ID_TOOL_PIPETTE)),
      zoom_(stroke_, ID_TOOL_ZOOM, OptionCountOf(ID_TOOL_ZOOM), CursorOf(ID_TOOL_ZOOM)),
      eraser_(stroke_, ID_TOOL_ERASER, OptionCountOf(ID_TOOL_ERASER), CursorOf(ID_TOOL_ERASER)),
      pencil_(stroke_, ID_TOOL_PENCIL, CursorOf(ID_TOOL_PENCIL)),
      line_(stroke_, ID_TOOL_LINE, OptionCountOf(ID_TOOL_LINE), CursorOf(ID_TOOL_LINE)),
      rect_(stroke_, ID_TOOL_RECT, OptionCountOf(ID_TOOL_RECT), CursorOf(ID_TOOL_RECT)),
      ellipse_(stroke_, ID_TOOL_ELLIPSE, OptionCountOf(ID_TOOL_ELLIPSE), CursorOf(ID_TOOL_ELLIPSE)),
      brush_(stroke_, ID_TOOL_BRUSH, OptionCountOf(ID_TOOL_BRUSH), CursorOf(ID_TOOL_BRUSH)),
      fill_(stroke_, ID_TOOL_FILL, OptionCountOf(ID_TOOL_FILL), CursorOf(ID_TOOL_FILL)),
      text_(stroke_, ID_TOOL_TEXT, CursorOf(ID_TOOL_TEXT)),
      registry_{&select_, &pipette_, &zoom_,  &eraser_, &pencil_, &line_,
                &rect_,   &ellipse_, &brush_, &fill_,   &text_} {}

CTool* ToolBox::Find(int id) const {
    for (CTool* tool : registry_)
        if (tool->Id() == id) return tool;
    return nullptr;
}

void ToolBox::ApplyBarDefaults() {
    for (const ToolInfo& info : kToolTable)
        if (CTool* tool = Find(info.id); tool && info.barDefault != 0)
            tool->SetOption(info.barDefault);
}

ToolBox& ProgramTools() {
    static ToolBox tools;
    return tools;
}

CTool* FindTool(int id) {
    return ProgramTools().Find(id);
}

std::vector<std::string> OptionEntries(const CTool* tool) {
    const ToolInfo* info = tool ? FindToolInfo(tool->Id()) : nullptr;
    return info ? SplitOptions(info->options) : std::vector<std::string>{};
}

ToolSwitch::ToolSwitch(ToolBox& box)
    : box_(box),
      currentId_(ID_TOOL_PENCIL),
      previousId_(ID_TOOL_PENCIL),
      current_(box.Find(ID_TOOL_PENCIL)) {}

bool ToolSwitch::Select(ToolHost& view, int id) {
    if (id == -1) id = previousId_;
    current_->Finish(view);
    CTool* tool = box_.Find(id);
    if (tool == nullptr) return false;
    previousId_ = currentId_;
    currentId_ = id;
    current_ = tool;
    view.RepaintAll();
    return true;
}

void ToolSwitch::ChooseOption(ToolHost& view, unsigned index) {
    if (index == current_->Option()) return;
    view.RepaintAll();
    current_->SetOption(index);
}

}  // namespace vorlin
