#include "app/qt/palette_bar_dock.h"

#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "app/command_ids.h"
#include "app/palette_bar_link.h"
#include "app/qt/palette_bar.h"

namespace vorlin {

namespace {

// Keeps the whole bar while the screen has room for it, and lets the dock shrink and scroll on
// a short screen (a laptop at 150 % has about 500 pixels): the bar's fixed size pushed the
// window past the screen's bottom edge there.
class BarScroller : public QScrollArea {
  public:
    // Menu, tool bars, status bar, title and the tools bar above the palette bar.
    static constexpr int kRoomForTheRest = 250;
    static constexpr int kLeastHeight = 48;

    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const QSize bar = widget() ? widget()->sizeHint() : QSize();
        return bar + QSize(verticalScrollBar()->sizeHint().width(), 0);
    }
    QSize minimumSizeHint() const override {
        int height = sizeHint().height();
        if (const QScreen* shown = screen())
            height = std::min(height, std::max(kLeastHeight, shown->availableGeometry().height() -
                                                                 kRoomForTheRest));
        return {sizeHint().width(), height};
    }
};

}  // namespace

PaletteBarDock::PaletteBarDock(QMainWindow& frame, PaletteBarModel& model,
                               PaletteBarDocumentLink& link)
    : QDockWidget(kPaletteBarTitle, &frame),
      bar_(new CPaletteBar(model)),
      scroller_(new BarScroller(this)) {
    // The saved bar layout finds the bar again by this name.
    setObjectName(QString::number(ID_VIEW_PALETTEBAR));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller_->setWidget(bar_);
    setWidget(scroller_);
    connect(bar_, &CPaletteBar::sixteenClicked, this, [&link] { link.OnSixteenClicked(); });
    frame.addDockWidget(Qt::LeftDockWidgetArea, this);
}

void PaletteBarDock::SetScale(int scale) {
    bar_->SetScale(scale);
    scroller_->updateGeometry();
}

bool PaletteBarDock::OnCommand(int id) {
    if (id != ID_VIEW_PALETTEBAR) return false;
    setVisible(isHidden());
    return true;
}

bool PaletteBarDock::OnUpdateCommand(int id, CommandState& state) {
    if (id != ID_VIEW_PALETTEBAR) return false;
    state.checked = !isHidden();
    return true;
}

}  // namespace vorlin
