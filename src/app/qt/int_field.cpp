#include "app/qt/int_field.h"

#include <QMessageBox>

#include "app/ui_services.h"

namespace vorlin {

IntField::IntField(int minimum, int maximum, QWidget* parent)
    : QLineEdit(parent), minimum_(minimum), maximum_(maximum) {
    setMaxLength(12);
}

void IntField::SetValue(int value) {
    setText(QString::number(value));
}

bool IntField::Read(int* value) {
    bool ok = false;
    const qlonglong v = text().trimmed().toLongLong(&ok);
    if (ok && v >= minimum_ && v <= maximum_) {
        *value = static_cast<int>(v);
        return true;
    }
    const QString message =
        ok ? QString(kRangeMessage).arg(minimum_).arg(maximum_) : QString(kIntegerMessage);
    UiServicesInstance().Inform(message.toStdString(), UiIcon::Warning);
    setFocus();
    selectAll();
    return false;
}

bool ReadFields(std::initializer_list<std::pair<IntField*, int*>> fields) {
    for (const auto& [field, value] : fields)
        if (!field->Read(value)) return false;
    return true;
}

}  // namespace vorlin
