// Where the program finds its own files.
#pragma once

#include <string>

namespace vorlin {

// Folder of the running executable, without a trailing "/" (empty when unknown).
std::string ExecutableDir();
// Where a file shipped with the program (default palette, manual) is for an executable in
// `exeDir`: beside it in a build tree or portable copy, else in ../share/vorlin/ as
// `cmake --install` lays it out. When neither exists, the path beside the executable, so
// that the caller's "cannot open" names the usual place.
std::string ShippedFilePath(const std::string& exeDir, const std::string& name);
// The same for the running executable.
std::string ShippedFilePath(const std::string& name);
// The settings file: $VORLIN_INI when set; vorlin.ini beside the executable when
// such a file exists; otherwise $XDG_CONFIG_HOME/vorlin/vorlin.ini (default
// ~/.config/vorlin/vorlin.ini).
std::string DefaultProfilePath();

}  // namespace vorlin
