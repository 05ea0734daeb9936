// A second file beside a file, holding the same bytes, for where the file
// system cannot give one file a second name: FAT and exFAT drives and some
// network and FUSE mounts, whose link() fails with EPERM, EOPNOTSUPP, ENOSYS
// or EMLINK. Unlike a hard link a copy is a separate file: it has the
// original's bytes, permission bits and modification time (and owner where
// the system allows), and takes time and room to write.
#pragma once

#include <string>
#include <string_view>

namespace vorlin {

// True when a failed link() says that this file system (or this file) takes
// no further name, so that a copy should stand in for the link.
bool LinksUnsupported(int error);

// Creates a file named from `pattern` (its last six characters made unique,
// see platform/sibling_names.h) with the permission bits and, where allowed,
// the owner a replacement of `like` gets (platform/file_attributes.h). Returns
// its descriptor and sets `name`, or -1 with errno set.
int CreateUnderFreshName(const std::string& pattern, const std::string& like, std::string& name);

// Writes all of `bytes` to `fd`; false (errno set) at the first failed write.
bool WriteAllToDescriptor(int fd, std::string_view bytes);

// Gives `from` one more name as LinkUnderFreshName does (`flags` as for
// linkat) and returns it. Where links are unsupported (or `linkFault`, a
// test's stand-in for the link's error, says so) the name holds a copy of
// `from` instead, on disk before this returns. Empty with errno set on
// failure; a copy that failed midway is removed.
std::string LinkOrCopyUnderFreshName(const std::string& from, const std::string& pattern, int flags,
                                     int linkFault = 0);

}  // namespace vorlin
