// Replacing a file without ever leaving it half written.
#pragma once

#include <string>
#include <string_view>

namespace vorlin {

// Permission bits for a file about to replace `path`: those of the file it
// replaces, or the usual default (0666 less the umask) for a new one.
unsigned FileModeForReplacing(const std::string& path);

// Creates a hidden temporary file in `target`'s folder, with the permission
// bits the replacement should have. Returns its descriptor (and sets
// `tempPath`), or -1 when the folder cannot be written.
int OpenReplacementFile(const std::string& target, std::string& tempPath);

// Writes all of `content` to an open descriptor, retrying short writes.
bool WriteAllToDescriptor(int fd, std::string_view content);

// Writes `content` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. Missing parent folders are created. On failure the
// old file is untouched and the temporary file removed.
bool WriteFileAtomically(const std::string& path, std::string_view content);

}  // namespace vorlin
