#include "palette/tone_curve.h"

#include <algorithm>
#include <cmath>

namespace vorlin {
namespace {

void Chain(ToneTable& lut, const ToneTable& step) {
    for (auto& v : lut) v = step[v];
}

}  // namespace

ToneTable IdentityToneTable() {
    ToneTable t{};
    for (int i = 0; i < 256; ++i) t[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    return t;
}

ToneTable LinearToneTable(double a, double b) {
    if (a == 1.0 && b == 0.0) return IdentityToneTable();
    ToneTable t{};
    for (int i = 0; i < 256; ++i) {
        const double v = std::trunc(255 * b + 0.5 + a * i);
        t[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
    }
    return t;
}

bool GammaToneTable(double x, ToneTable& table) {
    if (!(x > 0)) return false;
    const double e = 1 / x;
    const double k = std::pow(255.0, 1 - e);
    for (int i = 0; i < 256; ++i) {
        const double v = std::trunc(std::pow(i, e) * k + 0.5);
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::min(v, 255.0));
    }
    return true;
}

ToneTable ComposeToneCurve(const ToneSettings& s) {
    ToneTable lut = IdentityToneTable();
    ToneTable gamma{};
    if (s.gamma != 1.0 && GammaToneTable(s.gamma, gamma)) Chain(lut, gamma);
    if (s.intensity != 0) Chain(lut, LinearToneTable(1 + 0.01 * s.intensity, 0));
    if (s.contrast != 0) Chain(lut, LinearToneTable(1 + 0.01 * s.contrast, -0.005 * s.contrast));
    if (s.brightness != 0) Chain(lut, LinearToneTable(1, 0.01 * s.brightness));
    return lut;
}

void ApplyToneTable(RgbQuad* palette, int first, int last, const ToneTable& table) {
    if (first > last) std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, 255);
    for (int i = first; i <= last; ++i) {
        RgbQuad& c = palette[i];
        c.rgbBlue = table[c.rgbBlue];
        c.rgbGreen = table[c.rgbGreen];
        c.rgbRed = table[c.rgbRed];
    }
}

}  // namespace vorlin
