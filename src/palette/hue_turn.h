// Turning the hue of palette colours while keeping their saturation and value.
#pragma once

#include <optional>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

// Hue in degrees [0, 360) with components taken as value / 256; none for greys.
std::optional<double> ColorHue(const RgbQuad& color);

// Turns every coloured entry by the angle that brings the first coloured entry to the
// hue of `reference`. Greys and the reserved bytes stay; nothing happens when the
// reference or every entry is grey.
void TurnHues(std::vector<RgbQuad>& colors, const RgbQuad& reference);

}  // namespace vorlin
