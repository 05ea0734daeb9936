#include "app/qt/palette_bar_dock.h"

#include <QMainWindow>

#include "app/command_ids.h"
#include "app/palette_bar_link.h"
#include "app/qt/palette_bar.h"

namespace vorlin {

PaletteBarDock::PaletteBarDock(QMainWindow& frame, PaletteBarModel& model,
                               PaletteBarDocumentLink& link)
    : QDockWidget(kPaletteBarTitle, &frame), bar_(new CPaletteBar(model, this)) {
    // The saved bar layout finds the bar again by this name.
    setObjectName(QString::number(ID_VIEW_PALETTEBAR));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setWidget(bar_);
    connect(bar_, &CPaletteBar::sixteenClicked, this, [&link] { link.OnSixteenClicked(); });
    frame.addDockWidget(Qt::LeftDockWidgetArea, this);
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
