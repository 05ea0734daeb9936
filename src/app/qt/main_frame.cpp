#include "app/qt/main_frame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "app/command_ids.h"
#include "app/console_check_link.h"
#include "app/save_prompt.h"
#include "app/ui_services.h"
#include "app/view_settings.h"
#include "app/window_placement.h"
#include "platform/profile.h"
#include "app/qt/bank_menu_target.h"
#include "app/qt/gba_import_target.h"
#include "app/qt/command_table.h"
#include "app/qt/doc_commands.h"
#include "app/qt/gba_export_dialog.h"
#include "app/qt/options_dialog.h"
#include "app/qt/palette_bar_dock.h"
#include "app/qt/palette_dialog_commands.h"
#include "app/qt/palette_menu_target.h"
#include "app/qt/tools_bar.h"
#include "app/qt/view_bar.h"
#include "app/qt/vorlin_view.h"

namespace vorlin {

namespace {

constexpr const char* kKeyState = "State";
constexpr const char* kKeyGeometry = "Geometry";

}  // namespace

CMainFrame::CMainFrame(CVorlinDoc& doc, QWidget* parent)
    : QMainWindow(parent), doc_(doc), files_(doc) {
    files_.SetPaletteSelection(&barSelection_);
    files_.SetGbaExporter(&gbaExporter_);
    LoadPaletteBarSettings(paletteBar_, AppProfile());
    paletteLink_ = std::make_unique<PaletteBarDocumentLink>(doc_, paletteBar_);
    setWindowTitle("Vorlin");
    setAcceptDrops(true);
    resize(1000, 720);
    view_ = new CVorlinView(doc_, buttonSlots_, this);
    setCentralWidget(view_);
    docCommands_ = std::make_unique<DocCommands>(doc_, files_, *view_, this);
    router_.AddTarget(view_);
    paletteCommands_ = std::make_unique<PaletteMenuTarget>(doc_, paletteBar_);
    router_.AddTarget(docCommands_.get());
    router_.AddTarget(paletteCommands_.get());
    bankCommands_ = std::make_unique<BankMenuTarget>(doc_, this);
    router_.AddTarget(bankCommands_.get());
    importCommands_ = std::make_unique<GbaImportTarget>(doc_, this);
    router_.AddTarget(importCommands_.get());
    router_.AddTarget(this);
    CreateActions();
    CreateStatusBar();
    CreateConsoleCheck();
    CreateBars();
    CreatePaletteBar();
    CreateMenus();
    RestoreBarState();
    doc_.AddView(this);
    connect(view_, &CVorlinView::statusChanged, this, &CMainFrame::RefreshStatusPanes);
    // A stroke records its undo step on release, after the views were last told.
    connect(view_, &CVorlinView::toolActed, this, &CMainFrame::UpdateCommands);
    connect(view_, &CVorlinView::zoomChanged, viewBar_, &ViewBar::ShowZoom);
    connect(viewBar_, &ViewBar::zoomRequested, this, [this](double f) {
        view_->SetZoom(f);
        view_->setFocus();
    });
    UpdateCommands();
    view_->setFocus();
}

CMainFrame::~CMainFrame() {
    check_->SaveSettings(AppProfile());
    view_->SetConsoleCheck(nullptr);
    doc_.RemoveView(this);
}

void CMainFrame::CreateActions() {
    for (const CommandSpec& cmd : CommandSpecs()) {
        auto* action = new QAction(QString::fromUtf8(cmd.text), this);
        action->setData(cmd.id);
        action->setCheckable(cmd.checkable);
        if (*cmd.shortcut) action->setShortcuts(QKeySequence::listFromString(cmd.shortcut));
        if (*cmd.prompt) action->setStatusTip(QString::fromUtf8(cmd.prompt));
        // Routing decides; the action's own check state follows the update handlers.
        connect(action, &QAction::triggered, this, [this, id = cmd.id] { RunCommand(id); });
        actions_.insert(cmd.id, action);
    }
    const auto icon = [this](int id, QStyle::StandardPixmap pixmap) {
        actions_[id]->setIcon(style()->standardIcon(pixmap));
    };
    icon(ID_FILE_NEW, QStyle::SP_FileIcon);
    icon(ID_FILE_OPEN, QStyle::SP_DialogOpenButton);
    icon(ID_FILE_SAVE, QStyle::SP_DialogSaveButton);
    icon(ID_EDIT_UNDO, QStyle::SP_ArrowBack);
    icon(ID_EDIT_REDO, QStyle::SP_ArrowForward);
    icon(ID_APP_ABOUT, QStyle::SP_MessageBoxInformation);
    icon(ID_HELP_CONTENTS, QStyle::SP_MessageBoxQuestion);
}

QMenu* CMainFrame::AddMenu(const QString& title, std::initializer_list<int> ids) {
    QMenu* menu = menuBar()->addMenu(title);
    for (int id : ids) {
        if (id == 0)
            menu->addSeparator();
        else
            menu->addAction(actions_[id]);
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    return menu;
}

void CMainFrame::CreateMenus() {
    QMenu* file = AddMenu("&File", {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                                    ID_FILE_REVERT, 0, ID_FILE_IMPORT, ID_FILE_IMPORT_GBA,
                                    ID_FILE_EXPORT, 0});
    recentMenu_ = file->addMenu("Recent &Files");
    file->addSeparator();
    file->addAction(actions_[ID_APP_EXIT]);
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::RebuildRecentMenu);

    QMenu* edit =
        AddMenu("&Edit", {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE});
    QMenu* pasteMode = edit->addMenu("Paste &mode");
    for (int id : {ID_PASTE_BY_PALETTE, ID_PASTE_BY_COLOR, ID_PASTE_BY_SOURCE})
        pasteMode->addAction(actions_[id]);
    connect(pasteMode, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);

    QMenu* view = AddMenu("&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR});
    QMenu* windows = view->addMenu("&Windows");
    for (int id : {ID_VIEW_PALETTEBAR, ID_VIEW_VIEWBAR, ID_VIEW_PAINTBAR, ID_VIEW_SKETCH})
        windows->addAction(actions_[id]);
    connect(windows, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    view->addSeparator();
    for (int id : {ID_VIEW_ZOOM_UP, ID_VIEW_ZOOM_DOWN, ID_VIEW_ZOOM_FIT, ID_VIEW_PAN})
        view->addAction(actions_[id]);
    view->addSeparator();
    for (int id : {ID_VIEW_TEXEL_GRID, ID_VIEW_TILE_GRID, ID_VIEW_TILE_SNAP, ID_VIEW_GRID_SETTINGS})
        view->addAction(actions_[id]);
    view->addSeparator();
    view->addAction(actions_[ID_VIEW_CONSOLE_CHECK]);

    AddMenu("I&mage", {ID_IMAGE_SIZE, ID_IMAGE_REARRANGE, ID_IMAGE_REDUCE_TILES, 0, ID_IMAGE_FLIP_H,
                       ID_IMAGE_FLIP_V, ID_IMAGE_ROTATE_LEFT, ID_IMAGE_ROTATE_RIGHT});
    AddMenu("Pa&lette",
            {ID_PAL_CLEAR, ID_PAL_SWAP, ID_PAL_SORT, ID_PAL_GRADIENT, ID_PAL_COPY, ID_PAL_ADJUST, 0,
             ID_PAL_QUICK_SWAP, ID_PAL_QUICK_GRADIENT, ID_PAL_QUICK_COPY, ID_PAL_QUICK_INVERT, 0,
             ID_PAL_ARRANGE_BANKS});
    AddMenu("&Tools", {ID_TOOL_SELECT, ID_TOOL_PIPETTE, ID_TOOL_ZOOM, ID_TOOL_ERASER,
                       ID_TOOL_PENCIL, ID_TOOL_LINE, ID_TOOL_RECT, ID_TOOL_ELLIPSE, ID_TOOL_BRUSH,
                       ID_TOOL_FILL, ID_TOOL_TEXT, 0, ID_TOOLS_OPTIONS});
    AddMenu("&Help", {ID_HELP_CONTENTS, ID_HELP_INDEX, 0, ID_APP_ABOUT});
}

void CMainFrame::CreateBars() {
    toolBar_ = addToolBar("Toolbar");
    toolBar_->setObjectName("MainToolBar");
    for (int id : std::initializer_list<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0,
                                             ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_HELP_CONTENTS}) {
        if (id == 0)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_[id]);
    }
    viewBar_ = new ViewBar(this);
    viewBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    viewBar_->addSeparator();
    for (int id : {ID_VIEW_TEXEL_GRID, ID_VIEW_TILE_GRID, ID_VIEW_CONSOLE_CHECK, ID_VIEW_PAN})
        viewBar_->addAction(actions_[id]);
    addToolBar(Qt::TopToolBarArea, viewBar_);
    toolsBar_ = AddToolsBar(*this);
}

void CMainFrame::CreatePaletteBar() {
    paletteDock_ = std::make_unique<PaletteBarDock>(*this, paletteBar_, *paletteLink_);
    paletteDialogs_ = std::make_unique<PaletteDialogCommands>(doc_, paletteBar_, this);
    router_.AddTarget(paletteDock_.get());
    ApplyBarScale();
    router_.AddTarget(paletteDialogs_.get());
}

void CMainFrame::CreateStatusBar() {
    const int avg = statusBar()->fontMetrics().averageCharWidth();
    // Panes after the message pane: "pos" (14 widths), "size" (14), "clrid" (6).
    for (auto [id, chars] : {std::pair{ID_INDICATOR_POS, 14}, std::pair{ID_INDICATOR_SIZE, 14},
                             std::pair{ID_INDICATOR_CLRID, 6}}) {
        auto* pane = new QLabel(statusBar());
        pane->setObjectName(QString::number(id));
        pane->setMinimumWidth(avg * chars);
        pane->setAlignment(Qt::AlignCenter);
        statusBar()->addPermanentWidget(pane);
        panes_.insert(id, pane);
    }
    statusBar()->showMessage("Ready");
}

void CMainFrame::RefreshStatusPanes() {
    panes_[ID_INDICATOR_POS]->setText(view_->PositionText());
    panes_[ID_INDICATOR_SIZE]->setText(view_->SizeText());
    panes_[ID_INDICATOR_CLRID]->setText(view_->IndexText());
    ShowConsoleCheckPrompt();
}

void CMainFrame::CreateConsoleCheck() {
    check_ = std::make_unique<ConsoleCheckLink>(doc_);
    // The export dialog keeps this document's settings for the run.
    check_->SetSettingsSource([this] {
        const GbaExportDialog* dialog = gbaExporter_.Dialog();
        return dialog ? dialog->Values() : ExportDialogValues{};
    });
    gbaExporter_.SetClosedHandler([this] { check_->SettingsChanged(); });
    checkPane_ = new QLabel(statusBar());
    checkPane_->setObjectName("consolecheck");
    checkPane_->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(checkPane_);
    check_->SetChangedHandler([this](const IRect* changed) { ConsoleCheckChanged(changed); });
    view_->SetConsoleCheck(check_.get());
    router_.AddTarget(check_.get());
    check_->LoadSettings(AppProfile());
    ConsoleCheckChanged(nullptr);
}

void CMainFrame::ConsoleCheckChanged(const IRect* changed) {
    if (changed)
        view_->OnUpdate(HINT_REGION, changed);
    else
        view_->viewport()->update();
    checkPane_->setVisible(check_->Enabled());
    checkPane_->setText(QString::fromStdString(check_->PaneText()));
    checkPane_->setStyleSheet(check_->LimitPassed() ? "color: #d00000;" : "");
    ShowConsoleCheckPrompt();
}

// Over a marked tile the message pane says what is wrong with it.
void CMainFrame::ShowConsoleCheckPrompt() {
    IPoint at;
    const std::string problems =
        check_->Active() && view_->PointerPixel(at) ? check_->ProblemsAt(at.x, at.y) : "";
    if (!problems.empty()) {
        statusBar()->showMessage(QString::fromStdString(problems));
        checkPrompt_ = true;
    } else if (checkPrompt_) {
        statusBar()->showMessage("Ready");
        checkPrompt_ = false;
    }
}

bool CMainFrame::RunCommand(int id) {
    const bool handled = router_.Execute(id);
    UpdateCommands();
    RefreshTitle();
    return handled;
}

void CMainFrame::UpdateCommands() {
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        const CommandState state = router_.Query(it.key());
        it.value()->setEnabled(state.enabled);
        if (it.value()->isCheckable()) it.value()->setChecked(state.checked);
    }
}

void CMainFrame::OnUpdate(int, const void*) {
    RefreshTitle();
    UpdateCommands();
}

void CMainFrame::OnModifiedChanged(bool) {
    RefreshTitle();
}

// An asterisk while the picture has unsaved changes.
void CMainFrame::RefreshTitle() {
    setWindowTitle(QString::fromStdString(doc_.GetTitle()) + (doc_.IsModified() ? " *" : ""));
}

void CMainFrame::RebuildRecentMenu() {
    recentMenu_->clear();
    const auto& entries = doc_.RecentFiles().Entries();
    recentMenu_->setEnabled(!entries.empty());
    int n = 1;
    for (const std::string& path : entries) {
        QAction* a =
            recentMenu_->addAction(QString("&%1 %2").arg(n++).arg(QString::fromStdString(path)));
        connect(a, &QAction::triggered, this, [this, path] { OpenDocument(path); });
    }
}

bool CMainFrame::OpenDocument(const std::string& path) {
    const bool opened = docCommands_->OpenDocument(path);
    UpdateCommands();
    RefreshTitle();
    return opened;
}

QToolBar* CMainFrame::BarFor(int id) const {
    switch (id) {
        case ID_VIEW_TOOLBAR:
            return toolBar_;
        case ID_VIEW_VIEWBAR:
            return viewBar_;
        default:
            return nullptr;
    }
}

bool CMainFrame::OnCommand(int id) {
    if (QToolBar* bar = BarFor(id)) {
        bar->setVisible(!bar->isVisible());
        return true;
    }
    switch (id) {
        case ID_VIEW_STATUS_BAR:
            statusBar()->setVisible(!statusBar()->isVisible());
            return true;
        case ID_TOOLS_OPTIONS:
            ShowOptions();
            return true;
        case ID_APP_EXIT:
            close();
            return true;
        default:
            return false;
    }
}

bool CMainFrame::OnUpdateCommand(int id, CommandState& state) {
    if (QToolBar* bar = BarFor(id)) {
        state.checked = !bar->isHidden();
        return true;
    }
    switch (id) {
        case ID_VIEW_STATUS_BAR:
            state.checked = !statusBar()->isHidden();
            return true;
        case ID_TOOLS_OPTIONS:
        case ID_APP_EXIT:
            return true;
        default:
            return false;
    }
}

void CMainFrame::ApplyBarScale() {
    paletteDock_->SetScale(AppProfile().GetInt(kSectionMain, kKeyPalLarge, 0) != 0 ? 2 : 1);
}

void CMainFrame::ShowOptions() {
    OptionsDialog dialog(AppProfile(), paletteBar_.BitsPerChannel(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    paletteBar_.SetBitsPerChannel(dialog.BitsPerShade());
    ApplyBarScale();
}

void CMainFrame::SaveBarState() {
    Profile& profile = AppProfile();
    profile.WriteString(kBarSettingsSection, kKeyState, saveState().toBase64().toStdString());
    profile.WriteString(kBarSettingsSection, kKeyGeometry, saveGeometry().toBase64().toStdString());
}

void CMainFrame::RestoreBarState() {
    const Profile& profile = AppProfile();
    // Qt checks the blobs itself and ignores damaged ones.
    const auto blob = [&](const char* key) {
        return QByteArray::fromBase64(
            QByteArray::fromStdString(profile.GetString(kBarSettingsSection, key, "")));
    };
    const QByteArray geometry = blob(kKeyGeometry);
    if (!geometry.isEmpty()) restoreGeometry(geometry);
    const QByteArray state = blob(kKeyState);
    if (!state.isEmpty()) restoreState(state);
    KeepOnScreen();
}

// A placement saved on another screen or at another scale can be larger than this screen,
// which left the bars' lower parts out of reach.
void CMainFrame::KeepOnScreen() {
    const QScreen* shown = screen();
    if (!shown) return;
    const QRect room = shown->availableGeometry();
    const QRect frame = frameGeometry();
    const IRect fits =
        ClampWindowToScreen({frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1},
                            {room.left(), room.top(), room.right() + 1, room.bottom() + 1});
    // The frame's border and title are outside geometry(); keep them in the room too.
    const QMargins border(geometry().left() - frame.left(), geometry().top() - frame.top(),
                          frame.right() - geometry().right(), frame.bottom() - geometry().bottom());
    const QRect inside = QRect(fits.left, fits.top, fits.Width(), fits.Height()) - border;
    if (inside != geometry()) setGeometry(inside);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SaveModified(doc_, UiServicesInstance())) {
        event->ignore();
        return;
    }
    SavePaletteBarSettings(paletteBar_, AppProfile());
    SaveBarState();
    doc_.OnCloseDocument(AppProfile());
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    OpenDocument(urls.first().toLocalFile().toStdString());
}

}  // namespace vorlin
