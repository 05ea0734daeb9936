// The help window: the bundled user manual, with its contents (the sections) beside it.
#pragma once

#include <QDialog>

class QListWidget;
class QTextBrowser;

namespace vorlin {

class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return browser_; }
    QListWidget* Contents() const { return contents_; }
    // The manual from its top, the keyboard in the contents list (Help > Index).
    void ShowContents();

  private:
    void FillContents();
    void GoToSection(int row);

    QListWidget* contents_;
    QTextBrowser* browser_;
};

}  // namespace vorlin
