// Replacing a whole file in one call, never leaving it half written.
#pragma once

#include <string>
#include <string_view>

namespace vorlin {

// Writes `content` through a ReplacementFile: the new file and its folder are
// on disk before this returns true. Missing parent folders are created. On
// failure (errno set) the old file is untouched and nothing is left behind.
bool WriteFileAtomically(const std::string& path, std::string_view content);

}  // namespace vorlin
