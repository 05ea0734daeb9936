// The files an export command writes besides its outputs (the preview picture,
// the preset) must not take the place of a file the command reads or writes.
// They are checked before anything is read or written.
#pragma once

#include <string>
#include <vector>

#include "app/export_dialog_values.h"

namespace vorlin::cli {

struct ExportTargets {
    std::string input;
    std::vector<std::string> presetsRead;  // --preset FILE, in order
    std::string preview;                   // --preview FILE; empty when not asked for
    std::string savePreset;                // --save-preset FILE; empty when not asked for
};

// Ends the command with a usage error when the preview or the preset names the
// INPUT, a preset read (the preview only: saving over the preset read is how
// one updates it), an output of the export described by `values`, or the
// other of the two. Names are compared as files: relative spellings, symbolic
// links (even to a file not written yet) and hard links all count.
void CheckExtraTargets(const ExportTargets& targets, const ExportDialogValues& values);

}  // namespace vorlin::cli
