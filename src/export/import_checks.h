// The checks an import makes before it allocates the picture: options that
// fit together, the map size (given or settled by the data) and whether every
// block holds what that size needs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "export/gba_import.h"
#include "export/import_stream.h"

namespace vorlin {

// A file's decoded data beside the file.
struct ImportBlock {
    const ImportFile* file = nullptr;
    ImportStream stream;
    bool Present() const { return file && file->present; }
    std::size_t Size() const { return stream.plain.size(); }
};

struct ImportBlocks {
    ImportBlock palette, graphics, map, metaMap;
};

// Collects what is wrong: data problems end the import, or with `partial`
// become warnings; usage problems always end it.
class ImportReport {
  public:
    ImportReport(ImportResult& result, bool partial) : result_(result), partial_(partial) {}
    // False (the import ends) unless partial data is allowed.
    bool Data(const ImportBlock& block, const std::string& readAs, const std::string& reason);
    bool Usage(const std::string& reason);
    void Warn(const std::string& text) { result_.warnings.push_back(text); }

  private:
    ImportResult& result_;
    bool partial_;
};

bool CheckImportOptions(const ImportOptions& options, const ImportFiles& files,
                        ImportReport& report);

// Bytes of one map entry, one tile group of entries and one tile as read.
int ImportEntryBytes(const ImportOptions& options);
std::size_t ImportGroupTiles(const ImportOptions& options);
std::size_t ImportTileBytes(const ImportOptions& options);

// Fills options.mapWidth/mapHeight from the data when they are 0; false
// (reported) when the data does not settle them or the size cannot be used.
bool SettleMapSize(ImportOptions& options, const ImportBlocks& blocks, ImportReport& report);

// Checks the blocks against the (settled) sizes.
bool CheckPalette(const ImportOptions& options, const ImportBlock& palette, ImportReport& report);
bool CheckGraphics(const ImportOptions& options, const ImportBlock& graphics,
                   ImportReport& report);
bool CheckMap(const ImportOptions& options, const ImportBlocks& blocks, ImportReport& report);

// Whether tile n (in export order) of a mapped import has a map entry in the data.
bool ImportTileHasEntry(const ImportOptions& options, const ImportBlocks& blocks, std::size_t n);

}  // namespace vorlin
