// The palette bar as a dockable window of the main frame: titled "Palette bar", docked on
// the left or right edge, shown and hidden by View > Windows > Palette Bar.
#pragma once

#include <QDockWidget>

#include "app/command_router.h"

class QMainWindow;
class QScrollArea;

namespace vorlin {

class CPaletteBar;
class PaletteBarDocumentLink;
class PaletteBarModel;

inline constexpr const char* kPaletteBarTitle = "Palette bar";

class PaletteBarDock : public QDockWidget, public CommandTarget {
    Q_OBJECT
  public:
    // Docks itself on the frame's left edge; the saved bar layout may move it afterwards.
    PaletteBarDock(QMainWindow& frame, PaletteBarModel& model, PaletteBarDocumentLink& link);

    CPaletteBar& Bar() const { return *bar_; }
    // The bar's scale (1 or 2); the dock follows its size.
    void SetScale(int scale);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

  private:
    CPaletteBar* bar_;
    QScrollArea* scroller_;
};

}  // namespace vorlin
