// What the tools need from the window side, as small interfaces the desktop view,
// the palette bar and the system clipboard implement (and tests fake).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/index_surface.h"

namespace vorlin {

class CVorlinDoc;
class TextEditorPort;
class TextRasterizer;

// The palette bar's three button colours.
class ButtonSlots {
  public:
    virtual ~ButtonSlots() = default;
    // Slot 1 Left, 2 Mid, 3 Right: the palette index it holds.
    virtual int GetSlotIndex(int slot) const = 0;
    // Gives the slot a new index and makes it the active slot.
    virtual void Select(int slot, int index) = 0;
};

enum class ClipFormat {
    Dib,      // a packed device-independent bitmap
    Private,  // the program's own marker format; only its presence matters
};

// The system clipboard, opened for the length of one command.
class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual void Empty() = 0;
    virtual bool Has(ClipFormat format) const = 0;
    virtual void Put(ClipFormat format, std::vector<std::uint8_t> bytes) = 0;
    // False when the clipboard holds nothing in that format.
    virtual bool Get(ClipFormat format, std::vector<std::uint8_t>& bytes) = 0;
};

// Feedback drawn over the painted view, never into the picture.
class OverlayPainter {
  public:
    virtual ~OverlayPainter() = default;
    // A dotted one-pixel frame around the screen position of an image rectangle.
    // With invert it must stay visible on any picture: light dashes over a dark line.
    virtual void DottedFrame(const IRect& imageRect, std::uint8_t red, std::uint8_t green,
                             std::uint8_t blue, bool invert) = 0;
};

// The main view as the tools see it. Positions and rectangles are in image pixels.
class ToolHost {
  public:
    virtual ~ToolHost() = default;

    virtual CVorlinDoc& Document() = 0;
    virtual ButtonSlots& Slots() = 0;
    virtual ClipboardPort& Clipboard() = 0;
    virtual TextEditorPort& TextEditor() = 0;
    virtual TextRasterizer& Fonts() = 0;

    // The image rectangle shown in the view.
    virtual IRect VisibleImageRect() const = 0;
    // Repaints an image rectangle in every view (a region update).
    virtual void RepaintImageRect(const IRect& rect) = 0;
    virtual void RepaintAll() = 0;

    virtual void CapturePointer() = 0;
    virtual void ReleasePointer() = 0;
    virtual bool HasPointerCapture() const = 0;
    // Shows the cursor resource; false when it cannot be loaded.
    virtual bool ShowCursor(int cursorId) = 0;

    virtual double Zoom() const = 0;
    virtual void SetZoom(double factor) = 0;
    // The image position at the view's top-left corner.
    virtual IPoint ScrollOrigin() const = 0;
    // Scrolls to the origin, clamped by the view to its valid range.
    virtual void ScrollTo(IPoint origin) = 0;

    // Switches tools; -1 is the previous tool.
    virtual void SelectTool(int id) = 0;
    // Makes the tools bar's option list show this entry of the current tool.
    virtual void ShowToolOption(unsigned index) = 0;
    // Tells the person why a command could not be done: a warning box with
    // `caption` (empty: the program's own caption) and an OK button.
    virtual void Warn(std::string_view text, std::string_view caption = {}) = 0;
};

}  // namespace vorlin
