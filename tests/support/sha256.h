// SHA-256 for comparing decoded pixels with the hashes in the test-data manifest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorlin::testing {

// Lower-case hexadecimal digest of `size` bytes.
std::string Sha256Hex(const void* data, std::size_t size);

}  // namespace vorlin::testing
