// The hue angle shared by the hue sort key and the hue turn.
#pragma once

namespace vorlin {

// Hue in degrees [0, 360) of a colour whose largest component is hi and whose spread
// (hi − lo) is d > 0: red, then green, then blue decides when components tie.
inline double HueDegrees(double r, double g, double b, double hi, double d) {
    double h;
    if (r == hi)
        h = (g - b) / d;
    else if (g == hi)
        h = (b - r) / d + 2;
    else
        h = (r - g) / d + 4;
    h *= 60;
    return h < 0 ? h + 360 : h;
}

}  // namespace vorlin
