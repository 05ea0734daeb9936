// Whether a graphical session is at hand, decided before any window system is touched.
#pragma once

#include <string>

namespace vorlin {

// Empty when the application can open windows; otherwise the one-line reason.
// `getenv` is the environment lookup (std::getenv in the program, a table in tests).
std::string MissingDisplayReason(const char* (*getenv)(const char*));

inline constexpr const char* kNoDisplayMessage =
    "vorlin: no display available (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen).";

// A display is named but the window system cannot be started on it; the reason follows.
inline constexpr const char* kDisplayUnusableMessage = "vorlin: the display cannot be opened";

}  // namespace vorlin
