// The Palette menu's operations on the document. Each one records one undo state
// before it changes anything; the reordering ones renumber the pixels with their
// colours so the picture keeps its look.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "document/undo_history.h"
#include "palette/palette_sort.h"

namespace vorlin {

class CVorlinDoc;

// Entry from[i] moves to to[i] and every pixel of index from[i] becomes to[i]
// (one snapshot undo state). 0 when the work copy cannot be made; nothing changes then.
int PermutePalette(CVorlinDoc& doc, const std::uint8_t* from, const std::uint8_t* to, int count);
// Every pixel index i becomes (i mod 16) + 16·bank; the palette stays. 0 for a bank outside 0 … 15.
// `wrapRecord`, when given, receives the undo record of the pixels and returns the one pushed
// (so a caller can restore its own state with the same undo step).
int MoveToSubPalette(CVorlinDoc& doc, int bank,
                     const std::function<UndoRecordPtr(UndoRecordPtr)>& wrapRecord = {});

// All 256 entries become black (one undo step). True when cleared.
bool ClearPalette(CVorlinDoc& doc);
// Entries first … last (0 ≤ first ≤ last ≤ 255) reordered by key; stable.
int SortPalette(CVorlinDoc& doc, int first, int last, PaletteSortKey key, bool ascending,
                int shift);
// Block swap; `count` is cut to fit below 256 and the cut value written back.
int SwapPaletteBlocks(CVorlinDoc& doc, int a, int b, int& count);
// Ramp between entries a and b; nothing when a = b.
int GradientPalette(CVorlinDoc& doc, int a, int b);
// Entries src … copied to dst … (count cut to fit both), optionally turned to the
// hue of entry hueFrom. Overlapping runs are safe.
int CopyPalette(CVorlinDoc& doc, int src, int dst, int count, bool hueRotate, int hueFrom);
// Entries l … r (any order) inverted with the low `shift` bits cleared.
int InvertPalette(CVorlinDoc& doc, int l, int r, int shift);

}  // namespace vorlin
