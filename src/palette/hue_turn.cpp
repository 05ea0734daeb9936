#include "palette/hue_turn.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "palette/hue_math.h"

namespace vorlin {
namespace {

struct Hsv {
    double h = 0, s = 0, v = 0;
};

constexpr double kComponentScale = 256.0;

std::optional<Hsv> ToHsv(const RgbQuad& c) {
    const double r = c.rgbRed / kComponentScale;
    const double g = c.rgbGreen / kComponentScale;
    const double b = c.rgbBlue / kComponentScale;
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    const double s = hi > 0 ? (hi - lo) / hi : 0;
    if (s == 0) return std::nullopt;
    const double h = HueDegrees(r, g, b, hi, hi - lo);
    return Hsv{h, s, hi};
}

std::uint8_t ToByte(double component) {
    const double scaled = std::trunc(component * kComponentScale);
    return static_cast<std::uint8_t>(std::clamp(scaled, 0.0, 255.0));
}

void StoreHsv(RgbQuad& c, const Hsv& hsv) {
    const double h6 = (hsv.h >= 360 ? 0 : hsv.h) * (1.0 / 60);
    const int i = static_cast<int>(h6);
    const double f = h6 - i;
    const double v = hsv.v, s = hsv.s;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r, g, b;
    switch (i) {
        case 0:
            r = v, g = t, b = p;
            break;
        case 1:
            r = q, g = v, b = p;
            break;
        case 2:
            r = p, g = v, b = t;
            break;
        case 3:
            r = p, g = q, b = v;
            break;
        case 4:
            r = t, g = p, b = v;
            break;
        default:
            r = v, g = p, b = q;
            break;
    }
    c.rgbRed = ToByte(r);
    c.rgbGreen = ToByte(g);
    c.rgbBlue = ToByte(b);
}

}  // namespace

std::optional<double> ColorHue(const RgbQuad& color) {
    const auto hsv = ToHsv(color);
    if (!hsv) return std::nullopt;
    return hsv->h;
}

void TurnHues(std::vector<RgbQuad>& colors, const RgbQuad& reference) {
    const auto target = ColorHue(reference);
    if (!target) return;
    std::optional<double> angle;
    for (const auto& c : colors) {
        if (const auto h = ColorHue(c)) {
            angle = *target - *h;
            break;
        }
    }
    if (!angle) return;
    if (*angle < 0) *angle += 360;
    for (auto& c : colors) {
        auto hsv = ToHsv(c);
        if (!hsv) continue;
        hsv->h += *angle;
        if (hsv->h >= 360) hsv->h -= 360;
        StoreHsv(c, *hsv);
    }
}

}  // namespace vorlin
