// The eleven tools as the tools bar lists them: button texts, option lists, the options
// chosen when the bar is built, cursors and the status/tool-tip texts.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vorlin {

struct ToolInfo {
    int id;
    std::string_view buttonText;
    std::string_view options;  // entries separated by "\n"; empty: no options
    unsigned barDefault;       // option selected when the tools bar is created
    int cursorId;
    std::string_view description;  // status prompt "\n" tool tip
};

extern const std::array<ToolInfo, 11> kToolTable;

// Null for an identifier no tool has.
const ToolInfo* FindToolInfo(int id);

// Splits at each "\n"; a last piece without "\n" counts too.
std::vector<std::string> SplitOptions(std::string_view options);

}  // namespace vorlin
