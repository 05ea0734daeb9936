// Where a restored window may go: wholly on the screen it opens on.
#pragma once

#include "core/index_surface.h"

namespace vorlin {

// `window` (frame included) made no larger than `screen` and moved, as little as possible,
// inside it. Settings saved on a larger or more finely scaled screen then still open usable.
IRect ClampWindowToScreen(const IRect& window, const IRect& screen);

}  // namespace vorlin
