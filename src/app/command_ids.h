#pragma once

#include "tools/tool_ids.h"

// Every command, control-bar and status-pane identifier of the application. The numbers are the
// documented ones (menus, accelerators, update handlers, tests and stored bar layouts refer to
// them), so they must never be renumbered.

namespace vorlin {

enum CommandId : int {
    // Status-bar panes (the message pane has no identifier).
    ID_INDICATOR_POS = 200,    // "pos": image position under the pointer
    ID_INDICATOR_CLRID = 201,  // "clrid": palette index under the pointer
    ID_INDICATOR_SIZE = 202,   // "size": size of the shape being drawn

    // Control bars and windows toggled from View > Windows.
    ID_VIEW_VIEWBAR = 256,     // "View options" bar
    ID_VIEW_PALETTEBAR = 257,  // "Palette bar"
    ID_VIEW_PAINTBAR = 258,    // tools bar "Tls"
    ID_VIEW_SKETCH = 260,      // sketch window, Ctrl+K
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    // Tools bar: option list and the eleven tool buttons, in bar order.

    // Palette bar controls whose notifications reach the document.
    ID_PALBAR_SIXTEEN = 2060,  // "16" button: toggle sixteen-colour mode
    ID_PALBAR_BANKS = 2063,    // bank strip, notification 1: bank picked
    ID_PALBAR_SWATCH = 2064,   // swatch area, notification 0x300: colour edited

    // File menu.
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FILE1 = 57616,  // four recent-file entries: 57616 ... 57619
    ID_FILE_MRU_FILE4 = 57619,
    ID_FILE_REVERT = 33005,
    ID_FILE_IMPORT = 33321,
    ID_FILE_EXPORT = 33322,
    ID_FILE_IMPORT_GBA = 33323,
    ID_APP_EXIT = 57665,

    // Edit menu.
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_PASTE_BY_PALETTE = 33120,
    ID_PASTE_BY_COLOR = 33121,
    ID_PASTE_BY_SOURCE = 33122,

    // View menu and "View options" bar.
    ID_VIEW_ZOOM_COMBO = 33221,
    ID_VIEW_ZOOM_UP = 33222,
    ID_VIEW_ZOOM_DOWN = 33223,
    ID_VIEW_PAN = 33224,
    ID_VIEW_ZOOM_FIT = 33225,  // the largest zoom step showing the whole picture (Ctrl+0)
    ID_VIEW_GRID_SETTINGS = 33231,
    ID_VIEW_TEXEL_GRID = 33232,
    ID_VIEW_TILE_GRID = 33233,
    ID_VIEW_TILE_SNAP = 33234,
    ID_VIEW_CONSOLE_CHECK = 33235,

    // Image menu.
    ID_IMAGE_SIZE = 33301,
    ID_IMAGE_REARRANGE = 33302,
    ID_IMAGE_REDUCE_TILES = 33303,
    ID_IMAGE_FLIP_H = 33311,
    ID_IMAGE_FLIP_V = 33312,
    ID_IMAGE_ROTATE_LEFT = 33313,
    ID_IMAGE_ROTATE_RIGHT = 33314,

    // Palette menu.
    ID_PAL_CLEAR = 33401,
    ID_PAL_SWAP = 33402,
    ID_PAL_SORT = 33403,
    ID_PAL_GRADIENT = 33404,
    ID_PAL_COPY = 33405,
    ID_PAL_ADJUST = 33406,
    ID_PAL_QUICK_SWAP = 33412,
    ID_PAL_QUICK_GRADIENT = 33414,
    ID_PAL_QUICK_COPY = 33415,
    ID_PAL_QUICK_INVERT = 33416,
    ID_PAL_ARRANGE_BANKS = 33430,

    // Tools menu.
    ID_TOOLS_OPTIONS = 33202,

    // Help menu.
    ID_APP_ABOUT = 57664,
    ID_HELP_INDEX = 57666,
    ID_HELP_CONTENTS = 57670,

    // Sketch window context menu: the zoom is the identifier minus ID_SKETCH_ZOOM_BASE.
    ID_SKETCH_ZOOM_BASE = 32791,
    ID_SKETCH_ZOOM1 = 32792,
    ID_SKETCH_ZOOM2 = 32793,

    // Text window tool bar.
    ID_TEXT_FONT = 34001,
    ID_TEXT_SIZE = 34002,
    ID_TEXT_BOLD = 34003,
    ID_TEXT_ITALIC = 34004,
    ID_TEXT_UNDERLINE = 34005,
};

}  // namespace vorlin
