// "Also export": further picture files exported together with the open picture,
// sharing its palette and tileset, each with its own map.
#pragma once

#include <QGroupBox>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace vorlin {

class AlsoExportList : public QGroupBox {
    Q_OBJECT
  public:
    explicit AlsoExportList(QWidget* parent = nullptr);

    std::vector<std::string> Paths() const;
    void SetPaths(const std::vector<std::string>& paths);

    QListWidget* list;
    QPushButton* addButton;
    QPushButton* removeButton;

  signals:
    void Changed();

  private:
    void OnAdd();
    void OnRemove();
};

}  // namespace vorlin
