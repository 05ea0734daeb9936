#include "app/qt/palette_tool_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/palette_dialogs.h"
#include "app/qt/mnemonic_buddies.h"
#include "app/ui_services.h"

namespace vorlin {
namespace {

QPushButton* MakeButton(const QString& text, int id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    // Return belongs to the dialog's OK action, not to whichever button has the focus.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

PaletteToolDialog::PaletteToolDialog(PaletteDialogModel& model,
                                     const std::vector<FieldLabel>& fields, QWidget* parent)
    : QDialog(parent), model_(model), form_(new QFormLayout) {
    setWindowTitle(model.Caption());
    setModal(false);
    apply_ = MakeButton(model.ApplyLabel(), IDC_PAL_APPLY, this);
    fromBar_ = MakeButton("I", IDC_PAL_FROM_BAR, this);
    fromBar_->setToolTip("Take the palette bar's Left, Mid and Right selections");
    fromBar_->setFixedWidth(fromBar_->fontMetrics().horizontalAdvance("II") + 12);
    exit_ = MakeButton("Exit", IDC_PAL_EXIT, this);
    for (const FieldLabel& field : fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(field.id));
        edit->setMaxLength(12);
        edits_.insert(field.id, edit);
        if (form_->rowCount() == 0) {
            auto* row = new QHBoxLayout;
            row->addWidget(edit);
            row->addWidget(fromBar_);
            form_->addRow(field.label, row);
        } else {
            form_->addRow(field.label, edit);
        }
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply_);
    buttons->addWidget(exit_);
    auto* body = new QVBoxLayout(this);
    body->addLayout(form_);
    body->addLayout(buttons);
    connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
    connect(fromBar_, &QPushButton::clicked, this, &PaletteToolDialog::TakeFromBar);
    connect(exit_, &QPushButton::clicked, this, &PaletteToolDialog::reject);
    // The first row's field is a layout (edit and "I"), which a form gives no buddy.
    AssignBuddies(this);
}

void PaletteToolDialog::ShowDialog() {
    model_.Show();
    WriteFields();
    show();
    raise();
    activateWindow();
}

void PaletteToolDialog::reject() {
    // Hiding keeps what was typed for the next showing.
    ReadFields();
    model_.Hide();
    QDialog::reject();
}

void PaletteToolDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (Apply()) reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PaletteToolDialog::ReadFields() {
    for (auto it = edits_.begin(); it != edits_.end(); ++it)
        model_.SetFieldText(it.key(), it.value()->text().toStdString());
    ReadExtras();
}

void PaletteToolDialog::WriteFields() {
    for (auto it = edits_.begin(); it != edits_.end(); ++it)
        if (const DialogIntField* field = model_.Field(it.key()))
            it.value()->setText(QString::fromStdString(field->text));
    WriteExtras();
}

bool PaletteToolDialog::Apply() {
    ReadFields();
    const std::string refusal = model_.Apply();
    if (refusal.empty()) {
        // The operation may have corrected fields (exchanged ends, a clipped count).
        WriteFields();
        return true;
    }
    UiServicesInstance().Inform(refusal, UiIcon::Warning);
    for (const DialogIntField& field : model_.Fields()) {
        QLineEdit* edit = FieldEdit(field.id);
        if (edit && !field.Validate().empty()) {
            edit->setFocus();
            edit->selectAll();
            break;
        }
    }
    return false;
}

void PaletteToolDialog::TakeFromBar() {
    ReadFields();
    model_.GetFromBar();
    WriteFields();
}

}  // namespace vorlin
