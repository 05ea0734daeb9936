// The tiled background of the console picture: map entries per tile, tiles
// from video memory, flips and palette banks.
#pragma once

#include "export/console_picture.h"

namespace vorlin {

// Fills out.indices and out.entries for a tiled job; false when the area
// cannot be laid out.
bool DecodeTiledBackground(const ExportJob& job, const PlainBlocks& blocks,
                           VramPlacement placement, ConsolePicture& out);

}  // namespace vorlin
