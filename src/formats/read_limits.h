// How much picture a file may make a reader allocate: all of it must arrive
// but for a short tail, so what a reader allocates stays a small multiple of
// the bytes the file holds, whatever its header declares.
#pragma once

#include <cstdint>

namespace vorlin {

// Pixels (a 1024 x 1024 picture's worth) at the end of a file cut short that a
// reader may fill with zeros and warn about. Counted in pixels, not bytes: the
// program works on every picture at a byte or more per pixel, so a missing
// tail costs that much whatever the file's depth. A file missing more is refused.
inline constexpr std::uint64_t kMissingPixelsAllowance = std::uint64_t{1} << 20;

// Fails with "file too short" unless `deliveredRows` of the picture's `height`
// rows of `width` pixels leave at most the allowance missing.
void CheckRowsDelivered(std::uint64_t deliveredRows, std::uint64_t height, std::uint64_t width);

}  // namespace vorlin
