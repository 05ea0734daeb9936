// Colour-only palette edits: they change what entries look like, never the pixels.
#pragma once

#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

// Entries lo + 1 … hi − 1 of a 256-entry palette as a straight ramp between entries
// lo and hi (a and b in any order). Returns entries lo … hi − 1 ready to store at lo,
// empty when a = b.
std::vector<RgbQuad> GradientEntries(const RgbQuad* palette, int a, int b);

// Entries min(l, r) … max(l, r) inverted, the low `shift` bits of every channel cleared
// and the reserved byte zeroed.
std::vector<RgbQuad> InvertedEntries(const RgbQuad* palette, int l, int r, int shift);

// `count` cut so that both src … src+count−1 and dst … dst+count−1 fit in 0 … 255.
int ClippedCopyCount(int src, int dst, int count);

}  // namespace vorlin
