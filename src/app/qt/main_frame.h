// The main frame: menus, tool bar, "View options" bar, status bar panes, bar toggles, the
// Options dialog, dropped files and the saved bar layout.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <functional>
#include <memory>

#include "document/vorlin_doc.h"
#include "app/qt/qt_gba_exporter.h"
#include "app/file_commands.h"
#include "app/palette_bar_link.h"
#include "app/palette_bar_model.h"
#include "app/palette_bar_slots.h"
#include "app/command_router.h"
#include "app/palette_bar_selection.h"

class QAction;
class QLabel;
class QMenu;

namespace vorlin {

class ConsoleCheckLink;
class CVorlinView;
class DocCommands;
class PaletteBarDock;
class PaletteDialogCommands;
class PaletteMenuTarget;
class ToolsBar;
class BankMenuTarget;
class GbaImportTarget;
class ViewBar;

inline constexpr const char* kBarSettingsSection = "Bar Settings";

class CMainFrame : public QMainWindow, public CommandTarget, public ViewObserver {
    Q_OBJECT
  public:
    explicit CMainFrame(CVorlinDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Targets after the view, the document and the frame (the application).
    void AddCommandTarget(CommandTarget* target) { router_.AddTarget(target); }
    // Opens a file named on the command line, dropped or picked from the recent list.
    bool OpenDocument(const std::string& path);
    FileCommands& Files() { return files_; }

    bool RunCommand(int id);
    void UpdateCommands();
    QAction* Action(int id) const { return actions_.value(id, nullptr); }

    CVorlinView& View() { return *view_; }
    DocCommands& Commands() { return *docCommands_; }
    ViewBar& ViewOptionsBar() { return *viewBar_; }
    ToolsBar& ToolsPanel() { return *toolsBar_; }
    PaletteBarDock& PaletteBarWindow() { return *paletteDock_; }
    PaletteDialogCommands& PaletteDialogs() { return *paletteDialogs_; }
    QLabel* Pane(int id) const { return panes_.value(id, nullptr); }
    int BitsPerShade() const { return paletteBar_.BitsPerChannel(); }
    PaletteBarModel& PaletteBar() { return paletteBar_; }
    ConsoleCheckLink& ConsoleCheck() { return *check_; }
    QLabel* ConsoleCheckPane() const { return checkPane_; }

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;
    void OnUpdate(int hint, const void* object) override;
    void OnModifiedChanged(bool modified) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateBars();
    void CreateStatusBar();
    // The palette bar and the palette dialogs, with their commands.
    void CreatePaletteBar();
    void RefreshStatusPanes();
    // The console check: its pane, its marks and its hover prompt.
    void CreateConsoleCheck();
    void ConsoleCheckChanged(const IRect* changed);
    void ShowConsoleCheckPrompt();
    void RefreshTitle();
    void RebuildRecentMenu();
    void ShowOptions();
    // The palette bar's size from Options.
    void ApplyBarScale();
    void SaveBarState();
    void RestoreBarState();
    void KeepOnScreen();
    QMenu* AddMenu(const QString& title, std::initializer_list<int> ids);
    QToolBar* BarFor(int id) const;

    CVorlinDoc& doc_;
    // The palette bar's state; its widget plugs in on top of it.
    PaletteBarModel paletteBar_;
    PaletteBarButtonSlots buttonSlots_{paletteBar_};
    PaletteBarSelection barSelection_{paletteBar_};
    FileCommands files_;
    // Exports to GBA names; its dialog keeps its settings while the window lives.
    QtGbaExporter gbaExporter_{this};
    std::unique_ptr<PaletteBarDocumentLink> paletteLink_;
    CVorlinView* view_;
    std::unique_ptr<ConsoleCheckLink> check_;
    QLabel* checkPane_ = nullptr;
    bool checkPrompt_ = false;  // the message pane shows the check's hover prompt
    std::unique_ptr<DocCommands> docCommands_;
    std::unique_ptr<PaletteMenuTarget> paletteCommands_;
    std::unique_ptr<BankMenuTarget> bankCommands_;
    std::unique_ptr<GbaImportTarget> importCommands_;
    // Destroyed before the models they show.
    std::unique_ptr<PaletteBarDock> paletteDock_;
    std::unique_ptr<PaletteDialogCommands> paletteDialogs_;
    CommandRouter router_;
    QMap<int, QAction*> actions_;
    QMap<int, QLabel*> panes_;
    QToolBar* toolBar_ = nullptr;
    ViewBar* viewBar_ = nullptr;
    ToolsBar* toolsBar_ = nullptr;
    QMenu* recentMenu_ = nullptr;
};

}  // namespace vorlin
