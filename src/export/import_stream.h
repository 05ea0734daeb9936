// Telling a block read for an import apart: a GBA BIOS stream (LZ77, Huffman
// or run-length) or raw data. A file counts as a stream only when its header
// names a format, the stream decodes fully and it ends where the file does
// (up to the padding to 4 bytes), so raw data that happens to begin like a
// header is still read as raw.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorlin {

struct ImportStream {
    std::vector<std::uint8_t> plain;  // the bytes the block stands for
    int compression = 0;              // BLK_CPRS_*: what the file held
    // When the header named a stream that was not taken: why (for messages
    // about data that fits neither reading).
    std::string notAStream;
};

// False only when memory runs out.
bool DecodeImportStream(const std::vector<std::uint8_t>& file, ImportStream& out);

// "LZ77", "Huffman", "run-length" or "raw".
const char* ImportCompressionName(int compression);

}  // namespace vorlin
