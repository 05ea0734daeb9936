// Where the blocks of an import come from: single files, the objects of a
// GBFS archive, or the binary files of an export (PREFIX.pal.bin, ...).
#pragma once

#include <string>

#include "export/gba_import.h"

namespace vorlin {

// Largest file an import reads: more than any block an import can use.
inline constexpr std::size_t kImportMaxFileBytes = std::size_t{256} << 20;

// Reads `path` into `out` under its own name; false with "path: reason" in error.
bool ReadImportFile(const std::string& path, ImportFile& out, std::string& error);

// The objects an export of `title` put into the archive (TITLEPal, TITLETiles
// or TITLEBitmap, TITLEMap, TITLEMetaMap, or the same blocks named as binary
// files, TITLE.pal.bin ...); those absent stay absent. False with the reason
// when the archive cannot be read or holds no graphics of that title.
bool ReadImportArchive(const std::string& archive, const std::string& title, ImportFiles& out,
                       std::string& error);

// PREFIX.pal.bin, PREFIX.img.bin, PREFIX.map.bin and PREFIX.meta.bin, those
// that exist; false with the reason when one cannot be read or there are no graphics.
bool ReadImportPrefix(const std::string& prefix, ImportFiles& out, std::string& error);

}  // namespace vorlin
