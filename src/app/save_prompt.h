// The question asked before a command would drop unsaved changes.
#pragma once

#include <string_view>

namespace vorlin {

class CVorlinDoc;
class UiServices;

inline constexpr std::string_view kAskSaveChanges = "Save changes to %s?";

// When the document is modified asks whether to save: Yes saves through the
// document's file layer (false if that fails), No goes on, Cancel gives false.
// True when the caller may go ahead.
bool SaveModified(CVorlinDoc& doc, UiServices& ui);

}  // namespace vorlin
