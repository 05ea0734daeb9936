// The program's one version number (the project version the build is
// configured with) and the date it was built, for the About box, the export
// banner and --version alike.
#pragma once

#include <string>

namespace vorlin {

// "1.0.0": no leading "v".
const char* ProgramVersion();

// The build date as YYYY-MM-DD.
std::string BuildDate();

}  // namespace vorlin
