#include "app/qt/view_bar.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/command_ids.h"
#include "app/zoom_text.h"

namespace vorlin {

ViewBar::ViewBar(QWidget* parent) : QToolBar("View options", parent) {
    setObjectName("ViewBar");
    setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea);
    zoomBox_ = new QComboBox(this);
    zoomBox_->setObjectName(QString::number(ID_VIEW_ZOOM_COMBO));
    zoomBox_->setEditable(true);
    zoomBox_->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would turn a typed "1" into "16x" before Enter reads it.
    zoomBox_->setCompleter(nullptr);
    zoomBox_->setMinimumContentsLength(7);
    zoomBox_->setToolTip("Zoom");
    for (int f : kZoomFactors) zoomBox_->addItem(QString::asprintf("%2dx", f), f);
    zoomBox_->setCurrentIndex(0);
    addWidget(zoomBox_);
    connect(zoomBox_, &QComboBox::activated, this,
            [this](int index) { emit zoomRequested(zoomBox_->itemData(index).toDouble()); });
    connect(zoomBox_->lineEdit(), &QLineEdit::returnPressed, this, &ViewBar::OnEnter);
}

void ViewBar::OnEnter() {
    const double factor = ParseZoom(zoomBox_->lineEdit()->text().toStdString());
    zoomBox_->lineEdit()->setText(QString::fromStdString(FormatZoom(factor)));
    emit zoomRequested(factor);
}

void ViewBar::ShowZoom(double factor) {
    zoomBox_->lineEdit()->setText(QString::fromStdString(FormatZoom(factor)));
}

void ViewBar::SelectFirstZoom() {
    zoomBox_->setCurrentIndex(0);
}

}  // namespace vorlin
