#include "app/qt/command_table.h"

#include "app/command_ids.h"

namespace vorlin {

namespace {

constexpr CommandSpec kSpecs[] = {
    {ID_FILE_NEW, "&New", "Ctrl+N", "Create a new picture", false},
    {ID_FILE_OPEN, "&Open...", "Ctrl+O", "Open a picture", false},
    {ID_FILE_SAVE, "&Save", "Ctrl+S", "Save the picture", false},
    {ID_FILE_SAVE_AS, "Save &As...", "Ctrl+Shift+S", "Save the picture under a new name", false},
    {ID_FILE_REVERT, "&Revert", "", "Reload the picture from its file", false},
    {ID_FILE_IMPORT, "&Import ...", "", "Import colours from a palette or picture", false},
    {ID_FILE_EXPORT, "&Export ...", "", "Export the picture, its palette or GBA data", false},
    {ID_FILE_IMPORT_GBA, "Import &GBA data...", "",
     "Turn GBA tiles, maps and palettes into a new picture", false},
    {ID_APP_EXIT, "E&xit", "Ctrl+Q", "Quit the application", false},
    {ID_EDIT_UNDO, "&Undo", "Ctrl+Z", "Undo the last change", false},
    {ID_EDIT_REDO, "&Redo", "Ctrl+Y", "Redo the last undone change", false},
    {ID_EDIT_CUT, "Cu&t", "Ctrl+X", "Cut the selection to the clipboard", false},
    {ID_EDIT_COPY, "&Copy", "Ctrl+C", "Copy the selection to the clipboard", false},
    {ID_EDIT_PASTE, "&Paste", "Ctrl+V", "Paste the clipboard as a selection", false},
    {ID_PASTE_BY_PALETTE, "By palette", "", "Pastes palette indices, regardless of color", true},
    {ID_PASTE_BY_COLOR, "By color", "", "Matches colors to current palette", true},
    {ID_PASTE_BY_SOURCE, "By source", "", "Pastes palette and indices", true},
    {ID_VIEW_TOOLBAR, "&Toolbar", "", "Show or hide the tool bar", true},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "", "Show or hide the status bar", true},
    {ID_VIEW_PALETTEBAR, "Pa&lette Bar", "", "Show or hide the palette bar", true},
    {ID_VIEW_VIEWBAR, "&View Bar", "", "Show or hide the view options bar", true},
    {ID_VIEW_PAINTBAR, "P&aint Bar", "", "Show or hide the tools bar", true},
    {ID_VIEW_SKETCH, "&Sketch", "Ctrl+K", "Show sketch window", true},
    // Ctrl+= serves keyboards whose plus needs Shift.
    {ID_VIEW_ZOOM_UP, "Zoom &up", "Ctrl++; Ctrl+=; Alt+=", "Zoom in", false},
    {ID_VIEW_ZOOM_DOWN, "Zoom &down", "Ctrl+-; Alt+-", "Zoom out", false},
    {ID_VIEW_ZOOM_FIT, "&Fit", "Ctrl+0", "Zoom so that the whole picture fits the view", false},
    {ID_VIEW_PAN, "&Pan", "Alt+P", "Pan with the middle mouse button", true},
    {ID_VIEW_TEXEL_GRID, "Te&xel grid", "", "Show the pixel grid at high zoom", true},
    {ID_VIEW_TILE_GRID, "Ti&le grid", "", "Show the tile grid", true},
    {ID_VIEW_TILE_SNAP, "Tile &snap", "", "Snap the pointer to tile corners", true},
    {ID_VIEW_CONSOLE_CHECK, "&Console check", "", "Mark the tiles that break the console's rules under the export settings", true},
    {ID_VIEW_GRID_SETTINGS, "&Grid Settings ...", "Ctrl+G", "Grid switches and tile size", false},
    {ID_IMAGE_SIZE, "&Size ...", "Ctrl+I", "Change the picture size", false},
    {ID_IMAGE_REARRANGE, "&Rearrange ...", "", "Rearrange the picture in tiles", false},
    {ID_IMAGE_REDUCE_TILES, "Reduce &tiles ...", "", "Reduce the picture to unique tiles", false},
    {ID_IMAGE_FLIP_H, "&Horizontal flip", "Ctrl+Shift+H", "Flip selection horizontally", false},
    {ID_IMAGE_FLIP_V, "&Vertical flip", "Ctrl+Shift+V", "Flip selection vertically", false},
    {ID_IMAGE_ROTATE_LEFT, "Rotate &left", "Ctrl+L", "Rotate 90\u00b0 counter-clockwise", false},
    {ID_IMAGE_ROTATE_RIGHT, "Rotate r&ight", "Ctrl+R", "Rotate 90\u00b0 clockwise", false},
    {ID_PAL_CLEAR, "&Clear", "", "Clear the whole palette", false},
    {ID_PAL_SWAP, "S&wap ...", "", "Swap blocks of palette entries", false},
    {ID_PAL_SORT, "&Sort ...", "", "Sort a range of palette entries", false},
    {ID_PAL_GRADIENT, "&Gradient ...", "", "Make a gradient between two entries", false},
    {ID_PAL_COPY, "C&opy ...", "", "Copy palette entries, optionally turning their hue", false},
    {ID_PAL_ADJUST, "&Adjust ...", "", "Adjust the tone curve of a range", false},
    {ID_PAL_ARRANGE_BANKS, "Arrange in &banks ...", "",
     "Arrange the palette in 16-colour banks so that each tile uses one bank", false},
    {ID_PAL_QUICK_SWAP, "Quick S&wap", "Alt+S", "Swap the Left and Right colours", false},
    {ID_PAL_QUICK_GRADIENT, "Quick &Gradient", "Alt+G", "Gradient from Left to Right", false},
    {ID_PAL_QUICK_COPY, "Quick &Copy", "Alt+C", "Copy the Left colour to Right", false},
    {ID_PAL_QUICK_INVERT, "Quick &Invert", "Alt+I", "Invert from Left to Right", false},
    // Tool prompts, tips and icons come from the tool table when the tools bar is built.
    {ID_TOOL_SELECT, "&Select", "", "", true},
    {ID_TOOL_PIPETTE, "&Pipette", "", "", true},
    {ID_TOOL_ZOOM, "&Zoom", "", "", true},
    {ID_TOOL_ERASER, "&Eraser", "", "", true},
    {ID_TOOL_PENCIL, "Pe&ncil", "", "", true},
    {ID_TOOL_LINE, "&Line", "", "", true},
    {ID_TOOL_RECT, "&Rectangle", "", "", true},
    {ID_TOOL_ELLIPSE, "Elli&pse", "", "", true},
    {ID_TOOL_BRUSH, "&Brush", "", "", true},
    {ID_TOOL_FILL, "&Fill", "", "", true},
    {ID_TOOL_TEXT, "&Text", "", "", true},
    {ID_TOOLS_OPTIONS, "&Options ...", "", "Palette file, bits per shade and file folders", false},
    {ID_HELP_CONTENTS, "&Contents", "F1", "Show the user manual", false},
    {ID_HELP_INDEX, "&Index", "", "Show the contents of the user manual", false},
    {ID_APP_ABOUT, "&About Vorlin ...", "", "Program version", false},
};

}  // namespace

std::span<const CommandSpec> CommandSpecs() {
    return kSpecs;
}

const CommandSpec* FindCommandSpec(int id) {
    for (const CommandSpec& cmd : kSpecs)
        if (cmd.id == id) return &cmd;
    return nullptr;
}

}  // namespace vorlin
