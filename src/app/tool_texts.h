// What the tools bar shows for a tool, taken from its description: the status-bar prompt, the
// tool tip, and the key letter the tool tip names, which picks the tool in the picture view.
#pragma once

#include <string>

namespace vorlin {

struct ToolInfo;

struct ToolTexts {
    std::string prompt;  // before the "\n"
    std::string tip;     // after it, e.g. "Select (S)"
    char key = 0;        // the upper-case letter in the tip's closing "(X)"; 0 when there is none
};

ToolTexts TextsOf(const ToolInfo& info);

// The tool whose key is `letter` (either case); 0 when no tool has it.
int ToolForKey(char letter);

}  // namespace vorlin
