#include "app/qt/form_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "app/qt/mnemonic_buddies.h"

namespace vorlin {

FormDialog::FormDialog(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    body_ = new QVBoxLayout;
    form_ = new QFormLayout;
    body_->addLayout(form_);
    outer->addLayout(body_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FormDialog::reject);
    outer->addWidget(buttons);
}

void FormDialog::showEvent(QShowEvent* event) {
    AssignBuddies(this);
    QDialog::showEvent(event);
}

void FormDialog::accept() {
    if (Exchange()) QDialog::accept();
}

}  // namespace vorlin
