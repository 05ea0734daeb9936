// Replacing a file without ever leaving it half written.
#pragma once

#include <string>
#include <string_view>

#include "platform/replacement_file.h"

namespace vorlin {

// Permission bits for a file about to replace `path`: those of the file it
// replaces, or the usual default (0666 less the umask) for a new one.
unsigned FileModeForReplacing(const std::string& path);

// Gives the file open on `fd` the permission bits of `target` (see above) and,
// when `target` exists and the system allows it, the same owner and group.
// False (errno set) when the permission bits cannot be set.
bool TakeOverAttributes(int fd, const std::string& target);

// The name a temporary file replacing `target` gets while it has one:
// ".NAME.vorlin-tmp.PID.XXXXXX" in `target`'s folder, the X's to be made
// unique. The pattern lets a leftover be recognised, and the process id shows
// whether the program that wrote it still runs.
std::string ReplacementTempPattern(const std::string& target);

// Creates a hidden temporary file named by the pattern above in `target`'s
// folder, with the permission bits and owner the replacement should have.
// Returns its descriptor (and sets `tempPath`), or -1 (errno set) when the
// folder cannot be written. ReplacementFile does the whole job, following
// links and leaving no name behind where it can.
int OpenReplacementFile(const std::string& target, std::string& tempPath);

// Writes all of `content` to an open descriptor, retrying short writes; false
// with errno set otherwise.
bool WriteAllToDescriptor(int fd, std::string_view content);

// Writes `content` through a ReplacementFile: the new file and its folder are
// on disk before this returns true. Missing parent folders are created. On
// failure (errno set) the old file is untouched and nothing is left behind.
bool WriteFileAtomically(const std::string& path, std::string_view content);

}  // namespace vorlin
