// Rounding of the "Image Size" boxes to the next power of two.
#pragma once

#include <cstdint>

namespace vorlin {

// Smallest power of two >= n for n >= 2, otherwise 1. Values beyond 2^62 give 2^62.
std::int64_t RoundUpToPowerOfTwo(std::int64_t n);

}  // namespace vorlin
