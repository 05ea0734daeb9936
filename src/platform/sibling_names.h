// Further names beside a file while it is being replaced: the new file while
// it is written, and the old file while several are replaced together. Each is
// hidden and reads ".NAME.vorlin-KIND.PID.XXXXXX": the target's name, what it
// holds ("tmp" a new file, "old" the file it replaces), the id of the process
// that made it (whether that still runs tells a leftover) and six characters
// that make it unique.
#pragma once

#include <string>

namespace vorlin {

// True when anything has this name, even a symbolic link leading nowhere.
bool PathExists(const std::string& path);

// ".NAME.vorlin-tmp.PID.XXXXXX" in `target`'s folder, the X's to be made unique.
std::string ReplacementTempPattern(const std::string& target);
// ".NAME.vorlin-old.PID.XXXXXX" in `target`'s folder.
std::string KeptOldPattern(const std::string& target);

// Gives `from` one more name, made from `pattern` with its last six
// characters chosen so that nothing has that name yet; `flags` as for linkat
// (AT_SYMLINK_FOLLOW to link a /proc/self/fd entry). Returns the name, or an
// empty string with errno set when the file system refuses the link.
std::string LinkUnderFreshName(const std::string& from, const std::string& pattern, int flags);

}  // namespace vorlin
