// Compression in the three stream formats the GBA BIOS decompresses. Every
// stream starts with a 4-byte header (type in bits 4-7 of byte 0, uncompressed
// size in bytes 1-3) and is padded with zeros to a multiple of 4 bytes.
// A compressor returns an empty vector when it produces nothing (missing
// input, input too large for the 24-bit size field, allocation failure, a
// Huffman code that cannot be expressed); a real stream is never empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/export_job.h"

namespace vorlin {

inline constexpr std::uint8_t kBiosTypeLz77 = 0x10;
inline constexpr std::uint8_t kBiosTypeHuffman = 0x20;
inline constexpr std::uint8_t kBiosTypeRle = 0x30;
// The header's size field has 24 bits.
inline constexpr std::size_t kBiosMaxSize = 0xFFFFFF;

std::vector<std::uint8_t> Lz77Compress(const std::uint8_t* data, std::size_t size);
// The smallest stream the layout allows with copies of 3-18 bytes from distance
// 2-4096; slower than Lz77Compress and never larger.
std::vector<std::uint8_t> Lz77CompressSmallest(const std::uint8_t* data, std::size_t size);
// symbolBits is 4 or 8 (the exporter always uses 8).
std::vector<std::uint8_t> HuffCompress(const std::uint8_t* data, std::size_t size, int symbolBits);
std::vector<std::uint8_t> RleCompress(const std::uint8_t* data, std::size_t size);

// Compresses the block by the compression code in bits 4-7 of flags. The block
// becomes element size 1; it stays as it was when the code is none or unknown,
// when the compressor produces nothing, or when the stream does not decode back
// to the block's bytes. LZ77 uses the smallest parse when asked.
enum class Lz77Parse { kGreedy, kSmallest };
void CompressBlock(DataBlock& block, std::uint32_t flags, Lz77Parse parse = Lz77Parse::kGreedy);
// The stream for a compression code (BLK_CPRS_*), only when it decodes back to
// `in`; empty otherwise.
std::vector<std::uint8_t> CompressChecked(int code, Lz77Parse parse,
                                          const std::vector<std::uint8_t>& in);

// --- shared stream helpers ---
// Writes the 4-byte header at the start of out (out must hold 4 bytes).
void WriteBiosHeader(std::vector<std::uint8_t>& out, std::uint8_t typeAndParameter,
                     std::size_t size);
// Pads with zero bytes to a multiple of 4.
void PadToWord(std::vector<std::uint8_t>& out);

}  // namespace vorlin
