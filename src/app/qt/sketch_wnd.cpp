#include "app/qt/sketch_wnd.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <algorithm>

#include "document/index_image.h"
#include "app/command_ids.h"
#include "platform/profile.h"
#include "app/qt/indexed_painter.h"

namespace vorlin {

namespace {
constexpr const char* kSection = "sketch";
}

CSketchWnd::CSketchWnd(QWidget* owner) : QWidget(owner, Qt::Tool) {
    setWindowTitle("Sketch");
    setGeometry(32, 32, 256 - 32, 256 - 32);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CSketchWnd::SetSketchImage(const CIndexImage* image) {
    if (!image) return false;
    image_ = image;
    update();
    return true;
}

void CSketchWnd::Show(bool visible) {
    visible_ = visible;
    setVisible(visible);
}

bool CSketchWnd::FollowOrigin(int x, int y) {
    if (!image_) return false;
    const int cw = width(), ch = height();
    const int w = image_->Width(), h = image_->Height();
    int ox = x - kFollowMargin;
    if (zoom_ * w < cw + ox) ox = zoom_ * w - cw;
    int oy = y - kFollowMargin;
    if (zoom_ * h < ch + oy) oy = zoom_ * h - ch;
    origin_ = {std::max(ox, 0), std::max(oy, 0)};
    return true;
}

bool CSketchWnd::Refresh() {
    if (!image_ || !visible_) return false;
    update();
    return true;
}

void CSketchWnd::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, 2);
    update();
}

void CSketchWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor workspace = palette().color(QPalette::Dark);
    if (!image_) {
        p.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    p.fillRect(rect(), workspace);
    const QImage view = IndexedView(*image_);
    const int cw = width(), ch = height();
    // Source block of the client's size at the sketch origin, enlarged zoom times.
    const QRect source = QRect(origin_, QSize(cw, ch)).intersected(view.rect());
    if (source.isEmpty()) return;
    const QRect target((source.x() - origin_.x()) * zoom_, (source.y() - origin_.y()) * zoom_,
                       source.width() * zoom_, source.height() * zoom_);
    p.drawImage(target, view, source);
}

void CSketchWnd::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu("Sketch", this);
    for (int id : {ID_SKETCH_ZOOM1, ID_SKETCH_ZOOM2}) {
        QAction* a = menu.addAction(QString("Zoom %1x").arg(id - ID_SKETCH_ZOOM_BASE));
        a->setCheckable(true);
        a->setChecked(zoom_ == id - ID_SKETCH_ZOOM_BASE);
        a->setData(id);
    }
    if (QAction* chosen = menu.exec(event->globalPos()))
        SetZoom(chosen->data().toInt() - ID_SKETCH_ZOOM_BASE);
}

void CSketchWnd::closeEvent(QCloseEvent* event) {
    // The close box only hides; the window lives as long as the main view.
    event->ignore();
    Show(false);
}

void CSketchWnd::LoadSettings(const Profile& profile) {
    zoom_ = profile.GetInt(kSection, "zoom", 1) == 2 ? 2 : 1;
    const int left = profile.GetInt(kSection, "left", 16);
    const int top = profile.GetInt(kSection, "top", 16);
    const int right = profile.GetInt(kSection, "right", 176);
    const int bottom = profile.GetInt(kSection, "bottom", 144);
    // A damaged rectangle falls back to the default placement.
    if (right > left && bottom > top && right - left <= 16384 && bottom - top <= 16384)
        setGeometry(left, top, right - left, bottom - top);
    else
        setGeometry(16, 16, 160, 128);
    Show(profile.GetInt(kSection, "visible", 0) != 0);
}

void CSketchWnd::SaveSettings(Profile& profile) const {
    const QRect r = geometry();
    profile.WriteInt(kSection, "visible", visible_ ? 1 : 0);
    profile.WriteInt(kSection, "zoom", zoom_);
    profile.WriteInt(kSection, "left", r.left());
    profile.WriteInt(kSection, "top", r.top());
    profile.WriteInt(kSection, "right", r.left() + r.width());
    profile.WriteInt(kSection, "bottom", r.top() + r.height());
}

}  // namespace vorlin
