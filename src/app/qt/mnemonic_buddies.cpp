#include "app/qt/mnemonic_buddies.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QWidget>

namespace vorlin {

namespace {

// "&first" has one, "a && b" has none.
bool HasMnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return true;
        ++i;
    }
    return false;
}

QWidget* FirstFocusable(QLayoutItem* item) {
    if (!item) return nullptr;
    if (QWidget* w = item->widget()) return w->focusPolicy() != Qt::NoFocus ? w : nullptr;
    if (QLayout* layout = item->layout()) {
        for (int i = 0; i < layout->count(); ++i)
            if (QWidget* w = FirstFocusable(layout->itemAt(i))) return w;
    }
    return nullptr;
}

QLayoutItem* FieldItem(QLayout* layout, QLabel* label) {
    const int index = layout->indexOf(label);
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        int row = -1;
        QFormLayout::ItemRole role;
        form->getItemPosition(index, &row, &role);
        return role == QFormLayout::LabelRole ? form->itemAt(row, QFormLayout::FieldRole) : nullptr;
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        return grid->itemAtPosition(row, column + columnSpan);
    }
    return layout->itemAt(index + 1);
}

// The layout that holds `label` directly, searched from `layout` down.
QLayout* HoldingLayout(QLayout* layout, QLabel* label) {
    if (!layout) return nullptr;
    if (layout->indexOf(label) >= 0) return layout;
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* found = HoldingLayout(layout->itemAt(i)->layout(), label)) return found;
    return nullptr;
}

}  // namespace

void AssignBuddies(QWidget* root) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->buddy() || !HasMnemonic(label->text())) continue;
        QWidget* parent = label->parentWidget();
        QLayout* layout = parent ? HoldingLayout(parent->layout(), label) : nullptr;
        if (!layout) continue;
        if (QWidget* field = FirstFocusable(FieldItem(layout, label))) label->setBuddy(field);
    }
}

}  // namespace vorlin
