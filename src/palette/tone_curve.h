// The tone curve: one 256-entry lookup table built from gamma, intensity, contrast
// and brightness, applied to the colour bytes of a run of palette entries.
#pragma once

#include <array>
#include <cstdint>

#include "core/packed_dib.h"

namespace vorlin {

using ToneTable = std::array<std::uint8_t, 256>;

struct ToneSettings {
    int brightness = 0;  // −100 … 100
    int contrast = 0;    // −100 … 100
    int intensity = 0;   // −100 … 100
    double gamma = 1.0;  // 0.1 … 10
};

ToneTable IdentityToneTable();
// T[i] = trunc(255·b + 0.5 + a·i) clamped to 0 … 255; the identity for a = 1, b = 0.
ToneTable LinearToneTable(double a, double b);
// T[i] = trunc(i^(1/x) · 255^(1 − 1/x) + 0.5) capped at 255; false (table untouched) for x ≤ 0.
bool GammaToneTable(double x, ToneTable& table);
// brightness(contrast(intensity(gamma(x)))); neutral steps are skipped.
ToneTable ComposeToneCurve(const ToneSettings& settings);
// Colour bytes of entries first … last through the table; reserved bytes stay.
void ApplyToneTable(RgbQuad* palette, int first, int last, const ToneTable& table);

}  // namespace vorlin
