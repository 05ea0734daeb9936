#include "platform/freed_memory.h"

#include <cstdlib>  // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vorlin {

void KeepFreedMemory() {
#if defined(__GLIBC__)
    // Blocks up to 32 MiB (the most glibc allows) come from the heap, where a
    // freed one is reused; up to 256 MiB of free heap stays mapped.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

}  // namespace vorlin
