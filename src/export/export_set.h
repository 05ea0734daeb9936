// Several pictures exported as one: one palette, one tileset, one map per
// picture. With one picture it is exactly the export of that picture.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

#include "export/export_job.h"
#include "export/export_write.h"

namespace vorlin {

struct ExportSet {
    // The options and the output's names (folder, title, symbol); after
    // conversion the shared palette and graphics blocks, and in `work` the
    // shared tiles (or the first picture's bitmap).
    ExportJobPtr shared;
    // One job per picture, in the order given, each with the same options, its
    // own image and source path. After conversion each holds its map and
    // meta-map plus copies of the shared blocks, so it is a complete export
    // of that picture the console preview decodes as the console will.
    std::vector<ExportJobPtr> pictures;
    // When the pictures cannot be exported together: which one and why.
    std::size_t failedPicture = 0;
    std::string failedReason;
};

inline constexpr char kSetSameTitle[] = "has the same title as an earlier picture";
inline constexpr char kSetInvalid[] = "cannot be exported with these settings";

// Validates the shared job and every picture. With more than one picture each
// map takes its picture's title (a file title, never empty) and symbol; two
// pictures with one title are refused. 1 when all can run, else 0 (the
// refusal names the picture in failedPicture and failedReason when a picture
// is at fault).
int ExportSetValidate(ExportSet& set);

// Merges the palettes (more than one picture), converts every picture's tiles,
// reduces them together in first-use order over the pictures, builds each map
// and the shared blocks. 0 on a refusal (failedReason set) or when memory ran
// out (failedReason empty).
int ExportSetConvert(ExportSet& set);

// Writes the shared blocks under the output's names and each map under its
// picture's, plus `companions`, all or nothing; a set of one picture writes
// exactly what ExportWrite writes. Failures are recorded in the shared job.
int ExportSetWriteAt(ExportSet& set, const std::tm& localTime,
                     const std::vector<CompanionFile>& companions = {});
int ExportSetWrite(ExportSet& set, const std::vector<CompanionFile>& companions = {});

}  // namespace vorlin
