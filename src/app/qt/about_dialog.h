// "About Vorlin": program version and build date.
#pragma once

#include <QDialog>

class QLabel;

namespace vorlin {

inline constexpr const char* kVersionString = "v1.7.6";
inline constexpr const char* kBuildDate = "2006-08-27";

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* versionLabel;
    QLabel* buildLabel;
};

}  // namespace vorlin
