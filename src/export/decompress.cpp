#include "export/decompress.h"

#include <algorithm>
#include <new>

#include "core/little_endian.h"
#include "export/compress.h"

namespace vorlin {

namespace {

constexpr std::size_t kHeader = 4;

bool StartOutput(const std::uint8_t* src, std::size_t size, std::uint8_t type,
                 std::vector<std::uint8_t>& out) {
    out.clear();
    if (!src || size < kHeader || (src[0] & 0xF0) != type) return false;
    try {
        out.reserve(BiosDeclaredSize(src, size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Walks the tree table of a Huffman stream; every address is checked against
// the table's bounds.
class HuffReader {
  public:
    HuffReader(const std::uint8_t* src, std::size_t size) : src_(src), size_(size) {}

    bool Init() {
        if (size_ < kHeader + 1) return false;
        tableEnd_ = kHeader + (static_cast<std::size_t>(src_[kHeader]) + 1) * 2;
        return tableEnd_ <= size_;
    }
    std::size_t DataStart() const { return tableEnd_; }

    // Follows one bit from the node at address pos; false when it leaves the table.
    bool Step(std::size_t& pos, bool& leaf, int bit) const {
        const std::uint8_t node = src_[pos];
        const std::size_t next = (pos & ~std::size_t{1}) + (node & 0x3F) * 2u + 2 + bit;
        if (next >= tableEnd_) return false;
        leaf = (node & (bit ? 0x40 : 0x80)) != 0;
        pos = next;
        return true;
    }

  private:
    const std::uint8_t* src_;
    std::size_t size_;
    std::size_t tableEnd_ = 0;
};

void PutSymbol(std::vector<std::uint8_t>& out, int symbol, int bits, int& nibble) {
    if (bits == 8) {
        out.push_back(static_cast<std::uint8_t>(symbol));
    } else if (nibble++ % 2 == 0) {
        out.push_back(static_cast<std::uint8_t>(symbol & 0x0F));
    } else {
        out.back() |= static_cast<std::uint8_t>((symbol & 0x0F) << 4);
    }
}

}  // namespace

std::size_t BiosDeclaredSize(const std::uint8_t* src, std::size_t size) {
    if (!src || size < kHeader) return 0;
    return Le24(src + 1);
}

// Decodes into a buffer sized once: every export verifies its streams with this,
// so it writes bytes in place instead of appending them one at a time.
bool Lz77Decompress(const std::uint8_t* src, std::size_t size, std::vector<std::uint8_t>& out,
                     std::size_t* used) {
    if (!StartOutput(src, size, kBiosTypeLz77, out)) return false;
    const std::size_t want = BiosDeclaredSize(src, size);
    // Two stream bytes give at most 18: a larger declared size cannot be met and
    // is not allocated.
    out.resize(std::min(want, 9 * size));
    std::uint8_t* const o = out.data();
    const std::size_t room = out.size();
    std::size_t n = 0, pos = kHeader;
    const auto fail = [&] {
        out.resize(n);  // what was decoded, as before the failure
        return false;
    };
    while (n < want) {
        if (pos >= size) return fail();
        const std::uint8_t flags = src[pos++];
        for (int bit = 7; bit >= 0 && n < want; --bit) {
            if (n >= room) return fail();
            if (!(flags & (1 << bit))) {
                if (pos >= size) return fail();
                o[n++] = src[pos++];
                continue;
            }
            if (pos + 2 > size) return fail();
            const std::size_t length = (src[pos] >> 4) + 3u;
            const std::size_t distance = (((src[pos] & 0x0Fu) << 8) | src[pos + 1]) + 1;
            pos += 2;
            if (distance > n) return fail();
            // Byte by byte: a copy may overlap the bytes it writes.
            for (const std::size_t stop = std::min(n + length, room); n < stop; ++n)
                o[n] = o[n - distance];
        }
    }
    if (used) *used = pos;
    return true;
}

bool HuffDecompress(const std::uint8_t* src, std::size_t size, std::vector<std::uint8_t>& out,
                     std::size_t* used) {
    if (!StartOutput(src, size, kBiosTypeHuffman, out)) return false;
    const int bits = src[0] & 0x0F;
    if (bits != 4 && bits != 8) return false;
    const std::size_t want = BiosDeclaredSize(src, size);
    HuffReader reader(src, size);
    if (!reader.Init()) return false;
    const std::size_t root = kHeader + 1;
    std::size_t node = root;
    int nibble = 0;
    std::size_t word = reader.DataStart();
    for (; out.size() < want; word += 4) {
        if (word + 4 > size) return false;
        const std::uint32_t value = Le32(src + word);
        for (int k = 31; k >= 0 && out.size() < want; --k) {
            bool leaf = false;
            if (!reader.Step(node, leaf, (value >> k) & 1)) return false;
            if (!leaf) continue;
            PutSymbol(out, src[node], bits, nibble);
            node = root;
        }
    }
    out.resize(want);  // a half-filled last nibble byte never exceeds it
    if (used) *used = word;
    return true;
}

bool RleDecompress(const std::uint8_t* src, std::size_t size, std::vector<std::uint8_t>& out,
                    std::size_t* used) {
    if (!StartOutput(src, size, kBiosTypeRle, out)) return false;
    const std::size_t want = BiosDeclaredSize(src, size);
    std::size_t pos = kHeader;
    while (out.size() < want) {
        if (pos >= size) return false;
        const std::uint8_t flag = src[pos++];
        if (flag & 0x80) {
            if (pos >= size) return false;
            const std::size_t run = (flag & 0x7F) + 3u;
            out.insert(out.end(), std::min(run, want - out.size()), src[pos++]);
        } else {
            const std::size_t count = (flag & 0x7F) + 1u;
            if (pos + count > size) return false;
            const std::size_t take = std::min(count, want - out.size());
            out.insert(out.end(), src + pos, src + pos + take);
            pos += count;
        }
    }
    if (used) *used = pos;
    return true;
}

bool BiosDecompress(const std::uint8_t* src, std::size_t size, std::vector<std::uint8_t>& out,
                    std::size_t* used) {
    if (!src || size < kHeader) return false;
    switch (src[0] & 0xF0) {
        case kBiosTypeLz77:
            return Lz77Decompress(src, size, out, used);
        case kBiosTypeHuffman:
            return HuffDecompress(src, size, out, used);
        case kBiosTypeRle:
            return RleDecompress(src, size, out, used);
        default:
            return false;
    }
}

}  // namespace vorlin
