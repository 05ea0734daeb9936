#include "app/qt/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>

// Resources compiled into a static library register only when asked; the macro needs the
// global namespace.
static void RegisterManualResource() {
    Q_INIT_RESOURCE(vorlin_gui);
}

namespace vorlin {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    RegisterManualResource();
    setWindowTitle("Vorlin Help");
    resize(820, 560);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    contents_ = new QListWidget(this);
    contents_->setObjectName("contents");
    contents_->setMaximumWidth(240);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    // The manual's pictures are named beside it, as in the source tree and the installed copy.
    browser_->setSearchPaths({":/"});
    QFile manual(":/manual.md");
    if (manual.open(QIODevice::ReadOnly))
        browser_->setMarkdown(QString::fromUtf8(manual.readAll()));
    layout->addWidget(contents_);
    layout->addWidget(browser_, 1);
    FillContents();
    connect(contents_, &QListWidget::currentRowChanged, this, &HelpWindow::GoToSection);
}

// One entry per section and subsection heading, indented by level; each remembers its block.
void HelpWindow::FillContents() {
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2 || level > 3) continue;
        auto* item = new QListWidgetItem(QString(2 * (level - 2), ' ') + block.text(), contents_);
        item->setData(Qt::UserRole, block.position());
    }
}

void HelpWindow::GoToSection(int row) {
    const QListWidgetItem* item = contents_->item(row);
    if (!item) return;
    QTextCursor cursor(browser_->document());
    cursor.setPosition(item->data(Qt::UserRole).toInt());
    browser_->setTextCursor(cursor);
    // The heading at the top of the page rather than wherever it first comes into view.
    browser_->verticalScrollBar()->setValue(browser_->verticalScrollBar()->maximum());
    browser_->ensureCursorVisible();
}

void HelpWindow::ShowContents() {
    contents_->setCurrentRow(-1);
    browser_->verticalScrollBar()->setValue(0);
    contents_->setFocus();
}

}  // namespace vorlin
