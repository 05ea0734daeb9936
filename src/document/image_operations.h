// The Image menu's whole-picture operations on the document: rearranging the
// picture into a column of tiles (and back) and reducing it to its unique
// tiles. Each records one undo state and replaces the picture. Resizing is
// CVorlinDoc::ResizeImage.
#pragma once

#include "core/operation_result.h"
#include "document/vorlin_doc.h"

namespace vorlin {

inline constexpr const char* kRearrangeFailed = "Rearrangement failed. Sorry.";
inline constexpr const char* kReductionValidationFailed =
    "Reduction valdation failed?!? (shouldn't be able to happen)";

// The "2^n" button: the smallest power of two >= n for n >= 2, else 1
// (values beyond 2^30 give 2^30, which the size range then refuses).
int RoundUpPowerOfTwo(int n);

// Re-lays the picture with blocks tileWidth wide and tileHeight high: a wider
// picture becomes a column of blocks, a narrower one is laid out back into rows.
// Fails with kRearrangeFailed and changes nothing when it cannot be done.
OperationResult RearrangeImage(CVorlinDoc& doc, int tileWidth, int tileHeight);

// Replaces the picture by its unique 8 x 8 tiles (blank tile first), found as
// the map export finds them; with a tile group larger than 1 x 1 the picture
// becomes the unique groups, each metaWidth tiles wide and metaHeight high,
// stacked downwards. A failure carries its message and changes nothing.
OperationResult ReduceImageTiles(CVorlinDoc& doc, bool palBanks, bool flips, int metaWidth, int metaHeight);

}  // namespace vorlin
