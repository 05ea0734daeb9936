// Where the program finds its own files.
#pragma once

#include <string>

namespace vorlin {

// Folder of the running executable, without a trailing "/" (empty when unknown).
std::string ExecutableDir();
// The settings file: $VORLIN_INI when set; vorlin.ini beside the executable when
// such a file exists; otherwise $XDG_CONFIG_HOME/vorlin/vorlin.ini (default
// ~/.config/vorlin/vorlin.ini).
std::string DefaultProfilePath();

}  // namespace vorlin
