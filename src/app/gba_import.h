// File > Import GBA data: the files and options the dialog collects, the
// import they run, and the new document the result becomes.
#pragma once

#include <string>

#include "core/packed_dib.h"
#include "export/gba_import.h"

namespace vorlin {

class CVorlinDoc;
class UiServices;

struct GbaImportValues {
    std::string tiles, map, metaMap, palette;  // paths; empty: not given
    ImportOptions options;
};

// Reads the named files and imports them; a file that cannot be read is the
// result's error ("path: reason").
ImportResult ImportFromValues(const GbaImportValues& values);

// Puts the picture in place of the document as a new, unsaved document (no
// path, modified), after asking to save changes; false when that was cancelled
// or the picture cannot be used.
bool OpenImportedPicture(CVorlinDoc& doc, UiServices& ui, PackedDib picture);

}  // namespace vorlin
