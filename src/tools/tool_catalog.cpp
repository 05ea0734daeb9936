#include "tools/tool_catalog.h"

#include "tools/tool_ids.h"

namespace vorlin {

const std::array<ToolInfo, 11> kToolTable = {{
    {ID_TOOL_SELECT, "sel", "opaque\ntrans", 1, 210,
     "Select a rectangle, then drag to move ; +CTRL: drop and drag\nSelect (S)"},
    {ID_TOOL_PIPETTE, "pipet", "", 0, 214,
     "Pick this texel's color as a button color\nPipette (P)"},
    {ID_TOOL_ZOOM, "zoom", " 1x\n 2x\n 4x\n 6x\n 8x", 3, 212, "Zoom and center on point\nZoom (Z)"},
    {ID_TOOL_ERASER, "eraser", "4\n6\n8\n16", 2, 215,
     "Erase to bg-color; RMB erases fore color only; MMB erases are except fore color\n"
     "Eraser (E)"},
    {ID_TOOL_PENCIL, "pencil", "", 0, 211, "Colors a texel\nPencil (O)"},
    {ID_TOOL_LINE, "line", "solid\ndash\ndot", 0, 217,
     "Draws a line; +CTRL: width == height; +SHIFT: horzontal/vertical\nLine (L)"},
    {ID_TOOL_RECT, "rect", "solid\nborder\nfilled", 0, 218,
     "Draws a rectangle ; +CTRL: width == height; + SHIFT: start is center\nRectangle (R)"},
    {ID_TOOL_ELLIPSE, "ellipse", "solid\nborder\nfilled", 0, 219,
     "Draws an ellipse ; +CTRL: width == height; + SHIFT: start is center\nEllipse (C)"},
    {ID_TOOL_BRUSH, "brush", "sq2\nsq4\n /2\n /4\n \\2\n \\4", 0, 216,
     "Use a variable width and shaped brush\nBrush (B)"},
    {ID_TOOL_FILL, "fill", "", 0, 213,
     "Fills an area with the button color; +CTRL: fills area bounder by the button color\n"
     "Fill (F)"},
    {ID_TOOL_TEXT, "text", "", 0, 220,
     "Draws text; Press RMB or close editing window to finish\nText (T)"},
}};

const ToolInfo* FindToolInfo(int id) {
    for (const ToolInfo& info : kToolTable)
        if (info.id == id) return &info;
    return nullptr;
}

std::vector<std::string> SplitOptions(std::string_view options) {
    std::vector<std::string> entries;
    while (!options.empty()) {
        const std::size_t end = options.find('\n');
        entries.emplace_back(options.substr(0, end));
        if (end == std::string_view::npos) break;
        options.remove_prefix(end + 1);
    }
    return entries;
}

}  // namespace vorlin
