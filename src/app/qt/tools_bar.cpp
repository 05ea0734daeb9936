#include "app/qt/tools_bar.h"

#include <QAction>
#include <QListWidget>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

#include "app/command_ids.h"
#include "app/qt/main_frame.h"
#include "app/qt/tool_art.h"
#include "app/qt/vorlin_view.h"
#include "app/tool_texts.h"
#include "tools/tool_box.h"
#include "tools/tool_catalog.h"

namespace vorlin {

namespace {

constexpr int kMargin = 2;
constexpr int kIconSide = 16;

// The widest option of any tool decides the list's width, the longest list its height.
QSize OptionListSize(const QListWidget& list) {
    const QFontMetrics metrics = list.fontMetrics();
    int widest = 0;
    std::size_t rows = 0;
    for (const ToolInfo& info : kToolTable) {
        const std::vector<std::string> entries = SplitOptions(info.options);
        rows = std::max(rows, entries.size());
        for (const std::string& entry : entries)
            widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(entry)));
    }
    const int frame = 2 * list.frameWidth();
    const int rowHeight = metrics.height() + 4;
    return {std::max(2 * ToolsBar::kCell, widest + 12 + frame),
            static_cast<int>(rows) * rowHeight + frame};
}

void DecorateToolAction(QAction& action, const ToolInfo& info) {
    const ToolTexts texts = TextsOf(info);
    action.setIcon(ToolIcon(info.id));
    action.setToolTip(QString::fromStdString(texts.tip));
    action.setStatusTip(QString::fromStdString(texts.prompt));
    // Shown in the menu's key column only: the view handles the letter itself, so typing
    // into a text field never switches tools.
    if (texts.key != 0 && !action.text().contains('\t'))
        action.setText(action.text() + '\t' + QChar(texts.key));
}

}  // namespace

ToolsBar::ToolsBar(CMainFrame& frame, CVorlinView& view)
    : QDockWidget("Tls", &frame), frame_(frame), view_(view) {
    // The object name keys the bar's place in the saved layout.
    setObjectName("ToolsBar");
    setAllowedAreas(Qt::LeftDockWidgetArea);
    auto* panel = new QWidget(this);
    AddButtons(frame, panel);

    options_ = new QListWidget(panel);
    options_->setObjectName(QString::number(ID_TOOL_OPTIONS));
    options_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int listTop = ButtonPosition(static_cast<int>(kToolTable.size()) - 1).y() + kCell + 8;
    const QSize listSize = OptionListSize(*options_);
    options_->setGeometry(kMargin, listTop, listSize.width(), listSize.height());
    panel->setFixedSize(std::max(ButtonPosition(1).x() + kCell, listSize.width()) + 2 * kMargin,
                        listTop + listSize.height() + kMargin);
    setWidget(panel);

    ProgramTools().ApplyBarDefaults();
    FillOptions();
    connect(options_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) view_.ChooseToolOption(static_cast<unsigned>(row));
    });
    // A click picks an option and hands the keyboard back to the picture.
    connect(options_, &QListWidget::itemClicked, &view, [&view] { view.setFocus(); });
    connect(&view, &CVorlinView::toolChanged, this, &ToolsBar::FillOptions);
    connect(&view, &CVorlinView::toolOptionShown, this, &ToolsBar::ShowOption);
    connect(&view, &CVorlinView::toolChanged, &frame, &CMainFrame::UpdateCommands);
    // When a hovered item's tip goes away, the current tool's prompt comes back.
    connect(frame.statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty()) ShowPrompt();
    });
}

void ToolsBar::AddButtons(CMainFrame& frame, QWidget* panel) {
    for (int n = 0; n < static_cast<int>(kToolTable.size()); ++n) {
        const ToolInfo& info = kToolTable[n];
        QAction* action = frame.Action(info.id);
        if (action == nullptr) continue;
        DecorateToolAction(*action, info);
        auto* button = new QToolButton(panel);
        button->setDefaultAction(action);
        button->setObjectName(QString::number(info.id));
        button->setIconSize(QSize(kIconSide, kIconSide));
        button->setGeometry(QRect(ButtonPosition(n), QSize(kCell, kCell)));
        buttons_.insert(info.id, button);
    }
}

void ToolsBar::FillOptions() {
    const QSignalBlocker quiet(options_);
    options_->clear();
    const CTool& tool = view_.CurrentTool();
    for (const std::string& entry : OptionEntries(&tool))
        options_->addItem(QString::fromStdString(entry));
    if (options_->count() > 0) options_->setCurrentRow(static_cast<int>(tool.Option()));
    ShowPrompt();
}

void ToolsBar::ShowPrompt() {
    const ToolInfo* info = FindToolInfo(view_.CurrentTool().Id());
    const std::string prompt = info ? TextsOf(*info).prompt : std::string();
    // Never an empty message: clearing is what calls this again.
    if (!prompt.empty()) frame_.statusBar()->showMessage(QString::fromStdString(prompt));
}

void ToolsBar::ShowOption(unsigned index) {
    if (static_cast<int>(index) >= options_->count()) return;
    const QSignalBlocker quiet(options_);
    options_->setCurrentRow(static_cast<int>(index));
}

bool ToolsBar::OnCommand(int id) {
    if (id != ID_VIEW_PAINTBAR) return false;
    setVisible(isHidden());
    return true;
}

bool ToolsBar::OnUpdateCommand(int id, CommandState& state) {
    if (id != ID_VIEW_PAINTBAR) return false;
    state.checked = !isHidden();
    return true;
}

ToolsBar* AddToolsBar(CMainFrame& frame) {
    auto* bar = new ToolsBar(frame, frame.View());
    frame.addDockWidget(Qt::LeftDockWidgetArea, bar);
    frame.AddCommandTarget(bar);
    return bar;
}

}  // namespace vorlin
