#include "export/compress.h"
#include "export/decompress.h"

namespace vorlin {

void WriteBiosHeader(std::vector<std::uint8_t>& out, std::uint8_t typeAndParameter,
                     std::size_t size) {
    out[0] = typeAndParameter;
    out[1] = static_cast<std::uint8_t>(size);
    out[2] = static_cast<std::uint8_t>(size >> 8);
    out[3] = static_cast<std::uint8_t>(size >> 16);
}

void PadToWord(std::vector<std::uint8_t>& out) {
    out.resize((out.size() + 3) / 4 * 4, 0);
}

namespace {

std::vector<std::uint8_t> Compress(int code, Lz77Parse parse, const std::vector<std::uint8_t>& in) {
    switch (code) {
        case BLK_CPRS_LZ77:
            return parse == Lz77Parse::kSmallest ? Lz77CompressSmallest(in.data(), in.size())
                                                 : Lz77Compress(in.data(), in.size());
        case BLK_CPRS_HUFF:
            return HuffCompress(in.data(), in.size(), 8);
        case BLK_CPRS_RLE:
            return RleCompress(in.data(), in.size());
        default:
            return {};
    }
}

// A stream is only kept when it decodes to exactly the block's bytes.
bool RoundTrips(const std::vector<std::uint8_t>& stream, const std::vector<std::uint8_t>& in) {
    std::vector<std::uint8_t> back;
    return BiosDecompress(stream.data(), stream.size(), back) && back == in;
}

}  // namespace

std::vector<std::uint8_t> CompressChecked(int code, Lz77Parse parse,
                                          const std::vector<std::uint8_t>& in) {
    std::vector<std::uint8_t> stream = Compress(code, parse, in);
    if (stream.empty() || !RoundTrips(stream, in)) return {};
    return stream;
}

void CompressBlock(DataBlock& block, std::uint32_t flags, Lz77Parse parse) {
    if (block.bytes.empty()) return;
    std::vector<std::uint8_t> stream = CompressChecked(BlockCompression(flags), parse, block.bytes);
    if (stream.empty()) return;
    DataBlockAssign(block, 1, std::move(stream));
    block.compression = BlockCompression(flags);
}

}  // namespace vorlin
