#include "app/gba_import.h"

#include "app/save_prompt.h"
#include "document/vorlin_doc.h"
#include "export/import_sources.h"

namespace vorlin {

ImportResult ImportFromValues(const GbaImportValues& values) {
    ImportFiles files;
    const std::pair<const std::string*, ImportFile*> named[] = {{&values.tiles, &files.graphics},
                                                                {&values.map, &files.map},
                                                                {&values.metaMap, &files.metaMap},
                                                                {&values.palette, &files.palette}};
    for (const auto& [path, slot] : named) {
        std::string error;
        if (path->empty() || ReadImportFile(*path, *slot, error)) continue;
        ImportResult failed;
        failed.error = error;
        return failed;
    }
    return ImportGbaData(files, values.options);
}

bool OpenImportedPicture(CVorlinDoc& doc, UiServices& ui, PackedDib picture) {
    if (!SaveModified(doc, ui)) return false;
    if (!doc.OpenFromDib(picture, {})) return false;
    // Nothing on disk holds this picture yet: closing must offer to save it.
    doc.SetModifiedFlag(true);
    return true;
}

}  // namespace vorlin
