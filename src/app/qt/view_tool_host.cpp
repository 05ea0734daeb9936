#include "app/qt/view_tool_host.h"

#include <QPainter>
#include <QScrollBar>

#include "app/qt/text_wnd.h"
#include "app/qt/tool_art.h"
#include "tools/tool_box.h"
#include "app/command_ids.h"
#include "app/ui_services.h"
#include "app/qt/vorlin_view.h"

namespace vorlin {

ViewToolHost::ViewToolHost(CVorlinView& view, ButtonSlots& buttons)
    : view_(view), slots_(buttons) {}

ViewToolHost::~ViewToolHost() = default;

CVorlinDoc& ViewToolHost::Document() {
    return view_.Document();
}

TextEditorPort& ViewToolHost::TextEditor() {
    if (!textWnd_) {
        textWnd_ = new CTextWnd(&view_);
        textWnd_->SetChangedHandler([this] { ProgramTools().Text().OnEditorChanged(*this); });
    }
    return *textWnd_;
}

IRect ViewToolHost::VisibleImageRect() const {
    return view_.Viewport().VisibleRect();
}

void ViewToolHost::RepaintImageRect(const IRect& rect) {
    view_.Document().UpdateAllViews(HINT_REGION, &rect);
}

void ViewToolHost::RepaintAll() {
    view_.viewport()->update();
}

void ViewToolHost::CapturePointer() {
    captured_ = true;
    view_.viewport()->grabMouse();
}

void ViewToolHost::ReleasePointer() {
    if (!captured_) return;
    captured_ = false;
    view_.viewport()->releaseMouse();
}

bool ViewToolHost::ShowCursor(int cursorId) {
    // Built once per cursor and screen density; the pointer moves far more often.
    const qreal ratio = view_.devicePixelRatioF();
    const auto key = std::make_pair(cursorId, ratio);
    auto it = cursors_.find(key);
    if (it == cursors_.end()) {
        QCursor cursor;
        if (!MakeToolCursor(cursorId, ratio, cursor)) return false;
        it = cursors_.emplace(key, cursor).first;
    }
    view_.viewport()->setCursor(it->second);
    return true;
}

double ViewToolHost::Zoom() const {
    return view_.Viewport().Zoom();
}

void ViewToolHost::SetZoom(double factor) {
    view_.SetZoom(factor);
}

IPoint ViewToolHost::ScrollOrigin() const {
    return view_.Viewport().Origin();
}

void ViewToolHost::ScrollTo(IPoint origin) {
    view_.horizontalScrollBar()->setValue(origin.x);
    view_.verticalScrollBar()->setValue(origin.y);
}

void ViewToolHost::SelectTool(int id) {
    view_.SelectTool(id);
}

void ViewToolHost::Warn(std::string_view text, std::string_view caption) {
    UiServicesInstance().Message(text, caption.empty() ? kAppCaption : caption, UiButtons::Ok,
                                 UiIcon::Warning);
}

void ViewToolHost::ShowToolOption(unsigned index) {
    emit view_.toolOptionShown(index);
}

void ViewOverlayPainter::DottedFrame(const IRect& imageRect, std::uint8_t red, std::uint8_t green,
                                     std::uint8_t blue, bool invert) {
    const IRect r = viewport_.ImageRectToClient(imageRect);
    if (r.IsEmpty()) return;
    const QRect frame(r.left, r.top, r.Width() - 1, r.Height() - 1);
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    // Inverting alone vanishes on pictures of middle tones: the frame is dark under light
    // dashes, so one of the two always stands out.
    if (invert) {
        painter_.setPen(QPen(Qt::black, 1));
        painter_.drawRect(frame);
    }
    QPen dashes(QColor(red, green, blue), 1);
    dashes.setDashPattern({3, 3});
    painter_.setPen(dashes);
    painter_.drawRect(frame);
    painter_.restore();
}

}  // namespace vorlin
