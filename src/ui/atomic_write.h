// Replacing a file without ever leaving it half written.
#pragma once

#include <string>
#include <string_view>

namespace vorlin {

// Writes `content` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. Missing parent folders are created. On failure the
// old file is untouched and the temporary file removed.
bool WriteFileAtomically(const std::string& path, std::string_view content);

}  // namespace vorlin
