#include "app/qt/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

// Resources compiled into a static library register only when asked; the macro needs the
// global namespace.
static void RegisterManualResource() {
    Q_INIT_RESOURCE(vorlin_gui);
}

namespace vorlin {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    RegisterManualResource();
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
