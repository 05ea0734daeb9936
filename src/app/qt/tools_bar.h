// The tools bar "Tls" (bar 258): the eleven tool buttons on a two-column grid and the option
// list (1024) of the current tool. Docks on the left only; View > Windows > Paint Bar shows
// and hides it.
#pragma once

#include <QDockWidget>
#include <QMap>

#include "app/command_router.h"

class QListWidget;
class QToolButton;

namespace vorlin {

class CMainFrame;
class CVorlinView;

class ToolsBar : public QDockWidget, public CommandTarget {
    Q_OBJECT
  public:
    // Button n of the grid (counting from 0): x = 2 or 26, y = 8 + 24 * (n div 2).
    static constexpr int kCell = 24;
    static QPoint ButtonPosition(int n) { return {n % 2 == 0 ? 2 : 26, 8 + kCell * (n / 2)}; }

    ToolsBar(CMainFrame& frame, CVorlinView& view);

    QListWidget* OptionList() const { return options_; }
    QToolButton* Button(int toolId) const { return buttons_.value(toolId, nullptr); }

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

  private:
    void AddButtons(CMainFrame& frame, QWidget* panel);
    void FillOptions();
    void ShowOption(unsigned index);
    void ShowPrompt();

    CMainFrame& frame_;
    CVorlinView& view_;
    QListWidget* options_;
    QMap<int, QToolButton*> buttons_;
};

// Creates the tools bar, docks it on the left of the frame and lets it answer its toggle.
ToolsBar* AddToolsBar(CMainFrame& frame);

}  // namespace vorlin
