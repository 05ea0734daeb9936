// The tools' identifiers: the tools bar's button ids, which are also the
// commands that pick the tools (the application's command ids include them).
#pragma once

namespace vorlin {

enum ToolId : int {
    ID_TOOL_OPTIONS = 1024,
    ID_TOOL_SELECT = 1025,
    ID_TOOL_PIPETTE = 1026,
    ID_TOOL_ZOOM = 1027,
    ID_TOOL_ERASER = 1028,
    ID_TOOL_PENCIL = 1029,
    ID_TOOL_LINE = 1030,
    ID_TOOL_RECT = 1031,
    ID_TOOL_ELLIPSE = 1032,
    ID_TOOL_BRUSH = 1033,
    ID_TOOL_FILL = 1034,
    ID_TOOL_TEXT = 1035,
    ID_TOOL_FIRST = ID_TOOL_SELECT,
    ID_TOOL_LAST = ID_TOOL_TEXT,
};

}  // namespace vorlin
