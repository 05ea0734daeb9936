#include "ui/qt/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vorlin {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Vorlin Help");
    resize(640, 560);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    QFile manual(":/manual.md");
    if (manual.open(QIODevice::ReadOnly))
        browser_->setMarkdown(QString::fromUtf8(manual.readAll()));
    layout->addWidget(browser_);
}

}  // namespace vorlin
