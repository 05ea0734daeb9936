// Text of the zoom box: factors are shown as "%gx" and typed text is read by its leading number.
#pragma once

#include <string>

namespace vorlin {

// "%gx" of the factor, e.g. "3x", "1.5x", "0.25x".
std::string FormatZoom(double factor);
// Leading floating-point number of the text, anything after it ignored; 0 when there is none.
double ParseZoom(const std::string& text);

}  // namespace vorlin
