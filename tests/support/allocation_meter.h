// Counts the bytes a piece of code allocates, through the sanitizer's malloc
// hook, so a test can tell that a reader never asked for the picture a header
// declared without having to survive that allocation.
#pragma once

#include <cstddef>
#include <functional>

namespace vorlin::testing {

// False when the build has no sanitizer allocator to hook (the meter then counts nothing).
bool AllocationMeterAvailable();

// Bytes allocated (frees not subtracted) while `body` ran on this thread.
std::size_t BytesAllocatedBy(const std::function<void()>& body);

}  // namespace vorlin::testing
