// The files an export command writes besides its outputs (the preview picture,
// the preset) must not take the place of a file the command reads or writes.
// They are checked before anything is read or written.
#pragma once

#include <string>
#include <vector>

#include "app/export_dialog_values.h"

namespace vorlin::cli {

struct ExportTargets {
    std::vector<std::string> inputs;
    std::vector<std::string> presetsRead;  // --preset FILE, in order
    std::vector<std::string> previews;     // the preview pictures; none when not asked for
    std::string savePreset;                // --save-preset FILE; empty when not asked for
    std::vector<std::string> mapTitles;    // titles of maps written beside the outputs
};

// Ends the command with a usage error when a preview or the preset names an
// INPUT, a preset read (the preview only: saving over the preset read is how
// one updates it), an output of the export described by `values`, or the
// other of the two. Names are compared as files: relative spellings, symbolic
// links (even to a file not written yet) and hard links all count.
void CheckExtraTargets(const ExportTargets& targets, const ExportDialogValues& values);

}  // namespace vorlin::cli
