// Decoders for the BIOS stream formats. They treat the stream as untrusted:
// every read and back-reference is checked, and a malformed or truncated
// stream gives false (out is then unspecified).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlin {

// With `used`, it receives the number of stream bytes the decoder read.
bool Lz77Decompress(const std::uint8_t* src, std::size_t size, std::vector<std::uint8_t>& out,
                    std::size_t* used = nullptr);
bool HuffDecompress(const std::uint8_t* src, std::size_t size, std::vector<std::uint8_t>& out,
                    std::size_t* used = nullptr);
bool RleDecompress(const std::uint8_t* src, std::size_t size, std::vector<std::uint8_t>& out,
                   std::size_t* used = nullptr);
// Picks the decoder from the header's type.
bool BiosDecompress(const std::uint8_t* src, std::size_t size, std::vector<std::uint8_t>& out,
                    std::size_t* used = nullptr);
// Uncompressed size from a stream header, or 0 when the stream is shorter than a header.
std::size_t BiosDeclaredSize(const std::uint8_t* src, std::size_t size);

}  // namespace vorlin
