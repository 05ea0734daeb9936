#include "ui/power_of_two.h"

namespace vorlin {

std::int64_t RoundUpToPowerOfTwo(std::int64_t n) {
    constexpr std::int64_t kLargest = std::int64_t{1} << 62;
    if (n >= kLargest) return kLargest;
    std::int64_t p = 1;
    while (p < n) p <<= 1;
    return p;
}

}  // namespace vorlin
