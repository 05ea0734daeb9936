// The warnings a reader gives when it fills in what the file did not hold, and
// the scan that finds pixels using colours the file never defined.
#pragma once

#include <cstdint>
#include <string>

#include "core/packed_dib.h"

namespace vorlin {

std::string RowsMissingWarning(std::uint64_t missing, std::uint64_t total);
std::string TableCutWarning(std::uint64_t declared, std::uint64_t kept);
std::string UndefinedIndexWarning(std::uint64_t index);

// The lowest colour index a pixel of a paletted picture uses outside the
// entries [first, end) that the file defined; -1 when there is none (and for
// true-colour pictures).
int FirstIndexOutside(PackedDib dib, int first, int end);

}  // namespace vorlin
