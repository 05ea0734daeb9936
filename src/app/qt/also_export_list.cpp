#include "app/qt/also_export_list.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui_services.h"

namespace vorlin {

namespace {

constexpr char kAddCaption[] = "Also Export";
constexpr char kPictureFilter[] = "Pictures (*.bmp;*.pcx;*.png;*.tga)|*.bmp;*.pcx;*.png;*.tga|";

}  // namespace

AlsoExportList::AlsoExportList(QWidget* parent) : QGroupBox("Also export", parent) {
    auto* layout = new QVBoxLayout(this);
    list = new QListWidget(this);
    list->setMaximumHeight(72);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    addButton = new QPushButton("Add...", this);
    removeButton = new QPushButton("Remove", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton);
    buttons->addWidget(removeButton);
    buttons->addStretch();
    layout->addWidget(list);
    layout->addLayout(buttons);
    connect(addButton, &QPushButton::clicked, this, &AlsoExportList::OnAdd);
    connect(removeButton, &QPushButton::clicked, this, &AlsoExportList::OnRemove);
}

std::vector<std::string> AlsoExportList::Paths() const {
    std::vector<std::string> paths;
    for (int i = 0; i < list->count(); ++i) paths.push_back(list->item(i)->text().toStdString());
    return paths;
}

void AlsoExportList::SetPaths(const std::vector<std::string>& paths) {
    list->clear();
    for (const std::string& path : paths) list->addItem(QString::fromStdString(path));
}

void AlsoExportList::OnAdd() {
    FileDialogRequest request;
    request.caption = kAddCaption;
    request.filter = kPictureFilter;
    if (!UiServicesInstance().ChooseFile(request)) return;
    list->addItem(QString::fromStdString(request.path));
    emit Changed();
}

void AlsoExportList::OnRemove() {
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    if (chosen.isEmpty()) return;
    for (QListWidgetItem* item : chosen) delete item;
    emit Changed();
}

}  // namespace vorlin
