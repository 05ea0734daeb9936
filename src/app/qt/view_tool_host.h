// The main view as the tools see it: document, palette-bar slots, clipboard, text editor,
// fonts, repaints, pointer capture, cursors, zoom and scrolling in image pixels.
#pragma once

#include <QCursor>
#include <map>
#include <memory>
#include <utility>

#include "tools/tool_host.h"
#include "app/image_viewport.h"
#include "app/qt/qt_clipboard_port.h"
#include "app/qt/qt_text_rasterizer.h"

class QPainter;

namespace vorlin {

class CTextWnd;
class CVorlinView;

class ViewToolHost : public ToolHost {
  public:
    ViewToolHost(CVorlinView& view, ButtonSlots& buttons);
    ~ViewToolHost() override;

    CVorlinDoc& Document() override;
    ButtonSlots& Slots() override { return slots_; }
    ClipboardPort& Clipboard() override { return clipboard_; }
    TextEditorPort& TextEditor() override;
    TextRasterizer& Fonts() override { return fonts_; }

    IRect VisibleImageRect() const override;
    void RepaintImageRect(const IRect& rect) override;
    void RepaintAll() override;

    void CapturePointer() override;
    void ReleasePointer() override;
    bool HasPointerCapture() const override { return captured_; }
    bool ShowCursor(int cursorId) override;

    double Zoom() const override;
    void SetZoom(double factor) override;
    IPoint ScrollOrigin() const override;
    void ScrollTo(IPoint origin) override;

    void SelectTool(int id) override;
    void ShowToolOption(unsigned index) override;
    void Warn(std::string_view text, std::string_view caption) override;

    CTextWnd* TextWindow() const { return textWnd_; }

  private:
    CVorlinView& view_;
    ButtonSlots& slots_;
    QtClipboardPort clipboard_;
    QtTextRasterizer fonts_;
    CTextWnd* textWnd_ = nullptr;  // made on first use, owned by the view
    bool captured_ = false;
    std::map<std::pair<int, qreal>, QCursor> cursors_;
};

// Dotted frames of the tools over the painted view.
class ViewOverlayPainter : public OverlayPainter {
  public:
    ViewOverlayPainter(QPainter& painter, const ImageViewport& viewport)
        : painter_(painter), viewport_(viewport) {}
    void DottedFrame(const IRect& imageRect, std::uint8_t red, std::uint8_t green,
                     std::uint8_t blue, bool invert) override;

  private:
    QPainter& painter_;
    const ImageViewport& viewport_;
};

}  // namespace vorlin
