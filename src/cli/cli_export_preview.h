// The export command's look at the console result: the console picture as a
// PNG file, the statistics and warnings as text or JSON, and the strict mode
// that turns any warning into a failure before anything is written.
#pragma once

#include <string>

#include "cli/cli_common.h"
#include "export/export_job.h"
#include "export/export_stats.h"
#include "export/export_warnings.h"
#include "export/vram_layout.h"

namespace vorlin::cli {

struct PreviewRequest {
    std::string pictureFile;  // --preview FILE.png
    bool stats = false;       // --stats
    bool json = false;        // --stats=json
    bool strict = false;      // --strict
    VramPlacement placement;  // --char-block, --screen-block
};

inline bool PreviewWanted(const PreviewRequest& request) {
    return !request.pictureFile.empty() || request.stats || request.strict;
}

// Applies one of the options above; false when `option` is none of them.
bool ApplyPreviewOption(PreviewRequest& request, const std::string& option, ArgCursor& args);

// For a validated, converted job: prints what was asked for and returns the
// preview picture as the contents of a PNG file (empty when none was asked
// for), to be written with the outputs. With --strict, any warning ends the
// command (status 1).
std::string RunPreview(const ExportJob& job, const PreviewRequest& request,
                       const std::string& output);

// The statistics and warnings as one JSON object.
std::string PreviewJson(const ExportStats& stats, const std::vector<ExportWarning>& warnings);

}  // namespace vorlin::cli
