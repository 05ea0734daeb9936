// The program's icon (the same pixel art as the installed hicolor icons), for its windows.
#pragma once

#include <QIcon>

namespace vorlin {

// Application id shared by the launcher, the metainfo and the icon theme entry.
inline constexpr const char* kDesktopAppId = "org.vorlin.Vorlin";

// Every bitmap size of the icon, from the compiled-in resources.
QIcon AppIcon();

}  // namespace vorlin
