#include "formats/read_limits.h"

#include "formats/format_error.h"
#include "formats/format_messages.h"

namespace vorlin {

void CheckRowsDelivered(std::uint64_t deliveredRows, std::uint64_t height, std::uint64_t width) {
    const std::uint64_t missing = deliveredRows < height ? height - deliveredRows : 0;
    // Rows and widths are far below 2^32: the product cannot overflow.
    if (missing * width > kMissingPixelsAllowance) FailWith(kMsgFileTooShort);
}

}  // namespace vorlin
