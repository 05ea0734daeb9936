// The export command's look at the console result: the console picture as a
// PNG file, the statistics and warnings as text or JSON, and the strict mode
// that turns any warning into a failure before anything is written.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "export/export_job.h"
#include "export/export_set.h"
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

// --char-block N and --screen-block N; false for any other option.
bool ApplyPlacementOption(VramPlacement& placement, const std::string& option, ArgCursor& args);
// Applies one of the options above; false when `option` is none of them.
bool ApplyPreviewOption(PreviewRequest& request, const std::string& option, ArgCursor& args);

// For a validated, converted job: prints what was asked for and returns the
// preview picture as the contents of a PNG file (empty when none was asked
// for), to be written with the outputs. With --strict, any warning ends the
// command (status 1).
std::string RunPreview(const ExportJob& job, const PreviewRequest& request,
                       const std::string& output);

// Several pictures exported together: each picture's preview from the shared
// blocks and its map. --stats prints the shared blocks' figures once, then
// each picture's, and warnings as "INPUT x,y: text"; --stats=json gives
// {"shared": {...}, "pictures": [{"picture": INPUT, "stats": ..., "warnings": ...}]}.
// Returns the preview picture of each picture (empty strings when none was
// asked for); --strict ends the command when any picture has a warning.
std::vector<std::string> RunSetPreview(const ExportSet& set, const std::vector<std::string>& inputs,
                                       const PreviewRequest& request, const std::string& output);

// The statistics and warnings as one JSON object.
std::string PreviewJson(const ExportStats& stats, const std::vector<ExportWarning>& warnings);

// Pieces both previews share.
std::string JsonString(const std::string& text);
std::string JsonBlock(const BlockFigures& figures);
std::string PreviewPictureFile(const ConsolePicture& console, const std::string& path);
inline constexpr char kPreviewFailed[] = "the exported blocks do not decode";

}  // namespace vorlin::cli
