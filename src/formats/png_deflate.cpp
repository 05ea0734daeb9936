#include "formats/png_deflate.h"

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace vorlin {

namespace {

// Eight bands holding together about a 32nd of the rows (at least 8 KB): the choice
// costs about a sixteenth of the write and agrees with deflating everything both ways.
constexpr int kBands = 8;
constexpr std::size_t kSampleShare = 32;
constexpr std::size_t kMinSampleBytes = 8 * 1024;

// The bytes libpng deflates for rows [first, first + count): each row behind its
// filter byte (0, none).
std::vector<std::uint8_t> Band(PackedDib dib, int first, int count, std::size_t rowBytes) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(count) * (rowBytes + 1));
    for (int y = first; y < first + count; ++y) {
        bytes.push_back(0);
        const std::uint8_t* row = DibPictureRow(dib, y);
        bytes.insert(bytes.end(), row, row + rowBytes);
    }
    return bytes;
}

// Deflated size of the bytes with one strategy; nothing when zlib fails.
std::optional<std::size_t> DeflatedSize(const std::vector<std::uint8_t>& in, int strategy,
                                        std::vector<std::uint8_t>& out) {
    z_stream z{};
    if (deflateInit2(&z, kPngDeflateLevel, Z_DEFLATED, 15, 8, strategy) != Z_OK)
        return std::nullopt;
    out.resize(deflateBound(&z, static_cast<uLong>(in.size())));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    const std::size_t size = z.total_out;
    deflateEnd(&z);
    if (!done) return std::nullopt;
    return size;
}

}  // namespace

int PngPaletteStrategy(PackedDib dib) {
    const int height = DibHeight(dib);
    const std::size_t rowBytes =
        (static_cast<std::size_t>(DibWidth(dib)) * static_cast<std::size_t>(DibBitCount(dib)) + 7) / 8;
    if (height <= 0 || rowBytes == 0) return Z_DEFAULT_STRATEGY;
    const std::size_t total = static_cast<std::size_t>(height) * (rowBytes + 1);
    const std::size_t bandBytes = std::max(total / kSampleShare, kMinSampleBytes) / kBands;
    const int bandRows = static_cast<int>(
        std::clamp<std::size_t>(bandBytes / (rowBytes + 1), 1, static_cast<std::size_t>(height)));
    const int bands = std::min(kBands, height / bandRows);
    std::size_t filtered = 0, plain = 0;
    try {
        std::vector<std::uint8_t> out;
        for (int b = 0; b < bands; ++b) {
            // Bands spread evenly from the top band to the bottom one.
            const int first = bands == 1 ? 0 : (height - bandRows) * b / (bands - 1);
            const std::vector<std::uint8_t> band = Band(dib, first, bandRows, rowBytes);
            const auto withFiltered = DeflatedSize(band, Z_FILTERED, out);
            const auto withDefault = DeflatedSize(band, Z_DEFAULT_STRATEGY, out);
            if (!withFiltered || !withDefault) return Z_DEFAULT_STRATEGY;
            filtered += *withFiltered;
            plain += *withDefault;
        }
    } catch (const std::bad_alloc&) {
        return Z_DEFAULT_STRATEGY;
    }
    return filtered < plain ? Z_FILTERED : Z_DEFAULT_STRATEGY;
}

}  // namespace vorlin
