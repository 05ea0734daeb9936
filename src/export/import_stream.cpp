#include "export/import_stream.h"

#include <new>

#include "export/compress.h"
#include "export/decompress.h"
#include "export/export_job.h"

namespace vorlin {

namespace {

constexpr std::size_t kHeaderBytes = 4;

// The compression code a header names, or none.
int HeaderCompression(const std::vector<std::uint8_t>& file) {
    if (file.size() < kHeaderBytes) return BLK_CPRS_NONE;
    switch (file[0]) {
        case kBiosTypeLz77:
            return BLK_CPRS_LZ77;
        case kBiosTypeHuffman | 4:
        case kBiosTypeHuffman | 8:
            return BLK_CPRS_HUFF;
        case kBiosTypeRle:
            return BLK_CPRS_RLE;
        default:
            return BLK_CPRS_NONE;
    }
}

std::string Why(int code, std::size_t declared, const std::string& problem) {
    return std::string("its header names a ") + ImportCompressionName(code) + " stream of " +
           std::to_string(declared) + " bytes, but " + problem;
}

}  // namespace

const char* ImportCompressionName(int compression) {
    switch (compression) {
        case BLK_CPRS_LZ77:
            return "LZ77";
        case BLK_CPRS_HUFF:
            return "Huffman";
        case BLK_CPRS_RLE:
            return "run-length";
        default:
            return "raw";
    }
}

bool DecodeImportStream(const std::vector<std::uint8_t>& file, ImportStream& out) {
    out = ImportStream{};
    try {
        const int code = HeaderCompression(file);
        if (code != BLK_CPRS_NONE) {
            const std::size_t declared = BiosDeclaredSize(file.data(), file.size());
            std::size_t used = 0;
            std::vector<std::uint8_t> plain;
            if (declared == 0) {
                out.notAStream = Why(code, declared, "a stream is never empty");
            } else if (!BiosDecompress(file.data(), file.size(), plain, &used)) {
                out.notAStream = Why(code, declared, "it does not decode (cut short or damaged)");
            } else if (file.size() - used >= kHeaderBytes) {
                out.notAStream =
                    Why(code, declared,
                        std::to_string(file.size() - used) + " bytes follow where it ends");
            } else {
                out.plain = std::move(plain);
                out.compression = code;
                return true;
            }
        }
        out.plain = file;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace vorlin
