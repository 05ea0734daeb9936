// The help window: the bundled user manual.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace vorlin {

class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

}  // namespace vorlin
