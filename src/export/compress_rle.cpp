// Run-length coding in the BIOS layout: runs of 3 to 130 equal bytes, literal
// stretches of 1 to 128 bytes.
#include <new>

#include "export/compress.h"

namespace vorlin {

namespace {

constexpr std::size_t kMinRun = 3;
constexpr std::size_t kMaxRun = 130;
constexpr std::size_t kMaxLiteral = 128;

void PutLiteral(std::vector<std::uint8_t>& out, const std::uint8_t* from, std::size_t count) {
    out.push_back(static_cast<std::uint8_t>(count - 1));
    out.insert(out.end(), from, from + count);
}

void PutRun(std::vector<std::uint8_t>& out, std::uint8_t value, std::size_t run) {
    out.push_back(static_cast<std::uint8_t>(0x80 | (run - kMinRun)));
    out.push_back(value);
}

void Encode(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out) {
    std::size_t pending = 0;
    std::size_t run = 1;
    for (std::size_t i = 1; i <= size; ++i) {
        const bool atEnd = i == size;
        const bool same = !atEnd && run < kMaxRun && data[i] == data[i - 1];
        if (run < kMinRun && (pending + run >= kMaxLiteral || atEnd)) {
            PutLiteral(out, data + i - pending - run, pending + run);
            pending = 0;
            run = 1;
        } else if (same) {
            if (++run == kMinRun && pending > 0) {
                PutLiteral(out, data + i - 2 - pending, pending);
                pending = 0;
            }
        } else {
            if (run >= kMinRun) {
                PutRun(out, data[i - 1], run);
                pending = 0;
            } else {
                pending += run;
            }
            run = 1;
        }
    }
}

}  // namespace

std::vector<std::uint8_t> RleCompress(const std::uint8_t* data, std::size_t size) {
    if ((!data && size > 0) || size > kBiosMaxSize) return {};
    try {
        std::vector<std::uint8_t> out(4);
        out.reserve(2 * size + 8);
        if (size > 0) Encode(data, size, out);
        WriteBiosHeader(out, kBiosTypeRle, size);
        PadToWord(out);
        return out;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace vorlin
