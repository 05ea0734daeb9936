#include "app/qt/gba_import_target.h"

#include "app/command_ids.h"
#include "app/qt/gba_import_dialog.h"
#include "app/ui_services.h"
#include "formats/format_messages.h"

namespace vorlin {

bool GbaImportTarget::OnCommand(int id) {
    if (id != ID_FILE_IMPORT_GBA) return false;
    GbaImportDialog dialog(values_, parent_);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    values_ = dialog.Values();
    if (!accepted) return true;
    // The data may have changed on disk since the last preview.
    const ImportResult result = ImportFromValues(values_);
    if (!result.picture) {
        UiServicesInstance().Inform(result.error);
        return true;
    }
    if (OpenImportedPicture(doc_, UiServicesInstance(), result.picture.get()) &&
        !result.warnings.empty())
        UiServicesInstance().ShowStatus(kWarningPrefix + result.warnings.front());
    return true;
}

bool GbaImportTarget::OnUpdateCommand(int id, CommandState&) {
    return id == ID_FILE_IMPORT_GBA;
}

}  // namespace vorlin
