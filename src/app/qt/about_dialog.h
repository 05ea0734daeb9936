// "About Vorlin": program version and build date.
#pragma once

#include <QDialog>

class QLabel;

namespace vorlin {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* versionLabel;
    QLabel* buildLabel;
};

}  // namespace vorlin
