#include "app/qt/qt_ui_services.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>

#include "app/qt/export_options_dialog.h"
#include "app/qt/palette_export_dialog.h"
#include "app/qt/palette_import_dialog.h"

namespace vorlin {

namespace {

QString ToQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QMessageBox::StandardButtons ToButtons(UiButtons buttons) {
    switch (buttons) {
        case UiButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case UiButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case UiButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case UiButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToIcon(UiIcon icon) {
    switch (icon) {
        case UiIcon::Information:
            return QMessageBox::Information;
        case UiIcon::Warning:
            return QMessageBox::Warning;
        case UiIcon::Error:
            return QMessageBox::Critical;
        case UiIcon::Question:
            return QMessageBox::Question;
        case UiIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

UiAnswer ToAnswer(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return UiAnswer::Yes;
        case QMessageBox::No:
            return UiAnswer::No;
        case QMessageBox::Ok:
            return UiAnswer::Ok;
        default:
            return UiAnswer::Cancel;
    }
}

}  // namespace

UiAnswer QtUiServices::Message(std::string_view text, std::string_view caption, UiButtons buttons,
                               UiIcon icon) {
    QMessageBox box(ToIcon(icon), ToQString(caption), ToQString(text), ToButtons(buttons), parent_);
    return ToAnswer(box.exec());
}

void QtUiServices::ShowStatus(std::string_view text) {
    if (auto* window = qobject_cast<QMainWindow*>(parent_))
        window->statusBar()->showMessage(ToQString(text));
}

QStringList ToNameFilters(const std::string& filter) {
    const QStringList parts = ToQString(filter).split('|');
    static const QRegularExpression trailingGroup(R"(\s*\([^()]*\)\s*$)");
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(trailingGroup);
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns) p = p.trimmed().remove(' ');
        out << QString("%1 (%2)").arg(description.trimmed(), patterns.join(' '));
    }
    return out;
}

bool QtUiServices::ChooseFile(FileDialogRequest& request) {
    QFileDialog dialog(parent_, ToQString(request.caption), ToQString(request.initialDir));
    const QStringList filters = ToNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (request.open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        dialog.selectFile(ToQString(request.initialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    request.path = dialog.selectedFiles().first().toStdString();
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0) request.filterIndex = static_cast<int>(chosen) + 1;
    return true;
}

namespace {
// Runs a dialog built from a request and copies its values back on OK.
template <typename Dialog, typename Request>
bool AskWith(Dialog& dialog, Request& request) {
    if (dialog.exec() != QDialog::Accepted) return false;
    request = dialog.Values();
    return true;
}
}  // namespace

bool QtUiServices::AskExportOptions(ExportOptionsRequest& request) {
    ExportOptionsDialog dialog(request, parent_);
    return AskWith(dialog, request);
}

bool QtUiServices::AskPaletteImport(PaletteImportRequest& request) {
    PaletteImportDialog dialog(request, parent_);
    return AskWith(dialog, request);
}

bool QtUiServices::AskPaletteExport(PaletteExportRequest& request) {
    PaletteExportDialog dialog(request, parent_);
    return AskWith(dialog, request);
}

}  // namespace vorlin
