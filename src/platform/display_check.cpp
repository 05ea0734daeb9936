#include "platform/display_check.h"

#include <string_view>

namespace vorlin {

namespace {
bool IsSet(const char* (*getenv)(const char*), const char* name) {
    const char* v = getenv(name);
    return v != nullptr && *v != '\0';
}
}  // namespace

std::string MissingDisplayReason(const char* (*getenv)(const char*)) {
    const char* chosen = getenv("QT_QPA_PLATFORM");
    const std::string_view platform = chosen ? chosen : "";
    const bool x11 = IsSet(getenv, "DISPLAY");
    const bool wayland = IsSet(getenv, "WAYLAND_DISPLAY");
    bool usable;
    if (platform.starts_with("xcb"))
        usable = x11;
    else if (platform.starts_with("wayland"))
        usable = wayland;
    else if (!platform.empty())
        usable = true;  // offscreen, vnc, ... need no display server
    else
        usable = x11 || wayland;
    return usable ? std::string{} : std::string{kNoDisplayMessage};
}

}  // namespace vorlin
