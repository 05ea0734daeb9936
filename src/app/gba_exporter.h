// Where Export hands GBA outputs over: the export dialog and engine implement
// it; the file commands only pass the picture and the paths.
#pragma once

#include <string>

#include "core/packed_dib.h"

namespace vorlin {

class GbaExporter {
  public:
    virtual ~GbaExporter() = default;
    // Runs the modal export for `picture` (8 bpp, palette offset 0, owned by the
    // caller and freed after the call) into `outputPath`; `documentPath` is the
    // document's own file name (may be empty).
    virtual void Export(const std::string& outputPath, const std::string& documentPath,
                        PackedDib picture) = 0;
};

// The extensions Export hands to the GBA exporter.
bool IsGbaExportExtension(const std::string& lowerExtension);

}  // namespace vorlin
