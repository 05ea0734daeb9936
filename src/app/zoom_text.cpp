#include "app/zoom_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vorlin {

std::string FormatZoom(double factor) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%gx", factor);
    return buf;
}

double ParseZoom(const std::string& text) {
    const double v = std::strtod(text.c_str(), nullptr);
    // "nan" and "inf" parse as numbers but are no zoom factor.
    return std::isfinite(v) ? v : 0.0;
}

}  // namespace vorlin
