// Import of GBA data: tiles or a bitmap, with an optional map, tile-group map
// and palette, each raw or a BIOS stream, turned back into the 8-bpp picture
// the console shows. The blocks go through the console preview's decoding, so
// an exported picture comes back exactly as the preview shows it. Every size
// is checked against the data before the picture is allocated.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/packed_dib.h"
#include "core/quantize.h"

namespace vorlin {

enum class ImportLayout { kFlat, kScreenBlocks, kAffine };

// Largest picture an import makes (8192 x 8192 pixels).
inline constexpr std::uint64_t kImportMaxPixels = std::uint64_t{1} << 26;

struct ImportOptions {
    int bpp = 4;  // 1, 2, 4, 8 or 16 (16: a bitmap)
    ImportLayout layout = ImportLayout::kFlat;
    int mapWidth = 0, mapHeight = 0;  // map size in tiles; 0 x 0: settled by the data
    std::int32_t tileOffset = 0;      // added to every map index by the export
    int palStart = 0;                 // palette entry of the palette file's first colour
    int metaWidth = 1, metaHeight = 1;  // tile group in tiles
    bool metaBanks = false;             // meta-map entries carry the group's bank
    int bitmapWidth = 0, bitmapHeight = 0;  // in pixels; both set: the graphics are a bitmap
    int columns = 16;                       // tiles a row without a map
    bool partial = false;  // short or inconsistent data: index 0 and a warning, not an error
    bool quantize = false;  // reduce a 16-bpp bitmap to 256 colours
    QuantizeOptions quantizeOptions;
};

inline bool ImportsBitmap(const ImportOptions& options) {
    return options.bitmapWidth > 0 && options.bitmapHeight > 0;
}

// One block as read, under the name messages give it.
struct ImportFile {
    std::string name;
    bool present = false;
    std::vector<std::uint8_t> bytes;
};

struct ImportFiles {
    ImportFile palette, graphics, map, metaMap;
};

struct ImportResult {
    DibPtr picture;  // 8 bpp, 256 colours, top-down; null when the import failed
    std::string error;  // why, when it failed ("name: reason" for a file's data)
    std::vector<std::string> warnings;
    std::vector<std::string> notes;  // how each file was read
    int mapWidth = 0, mapHeight = 0;  // the map size used, in tiles
};

ImportResult ImportGbaData(const ImportFiles& files, const ImportOptions& options);

}  // namespace vorlin
