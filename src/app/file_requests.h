// The file commands' dialogs as plain records: what to show, the allowed
// ranges, and the values chosen. The desktop application shows real dialogs
// for them; tests answer them from a script.
#pragma once

#include <string>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

// "BMP Export", "PCX Exporter", "PNG Exporter": depth 4, 8 or 24, sub palette
// 0 to 15, and for PNG the transparency check box.
struct ExportOptionsRequest {
    std::string caption;
    bool offersTransparent = false;
    int depth = 8;
    int subPalette = 0;
    bool transparent = true;
};

// "Palette Import": the file's colours as swatches; source and destination
// 0 to 255, count 1 to 256.
struct PaletteImportRequest {
    std::vector<RgbQuad> colors;
    int source = 0;
    int dest = 0;
    int count = 1;
};

// "Palette Exporter": start 0 to 255, count 1 to 256; its "I" button takes the
// range between the palette bar's Left and Right colours.
struct PaletteExportRequest {
    int start = 0;
    int count = 256;
    int leftIndex = 0;
    int rightIndex = 0;
    bool fromBar = false;  // Left and Right come from a palette bar; "I" works only then
    // The layouts a ".pal" name can be written in; the choice is offered only
    // when there are some, and `palFormat` (an index into them) is the answer.
    std::vector<std::string> palFormats;
    int palFormat = 0;
};

inline constexpr char kBmpExportCaption[] = "BMP Export";
inline constexpr char kPcxExportCaption[] = "PCX Exporter";
inline constexpr char kPngExportCaption[] = "PNG Exporter";
inline constexpr char kPaletteImportCaption[] = "Palette Import";
inline constexpr char kPaletteExportCaption[] = "Palette Exporter";

}  // namespace vorlin
