// A process over its file-size limit is killed by SIGXFSZ unless it ignores
// the signal; ignored, the write fails with EFBIG and can be reported like any
// other write error. Both programs call this once at start.
#pragma once

namespace vorlin {

void IgnoreFileSizeSignal();

}  // namespace vorlin
