// Who may read and write a file that replaces another: its permission bits and
// owner carry over, so saving never changes either.
#pragma once

#include <string>

namespace vorlin {

// Permission bits for a file about to replace `path`: those of the file it
// replaces, or the usual default for a new one: 0666 less the umask the
// process had when it started.
unsigned FileModeForReplacing(const std::string& path);

// Gives the file open on `fd` the permission bits of `target` (see above) and,
// when `target` exists and the system allows it, the same owner and group.
// False (errno set) when the permission bits cannot be set.
bool TakeOverAttributes(int fd, const std::string& target);

}  // namespace vorlin
