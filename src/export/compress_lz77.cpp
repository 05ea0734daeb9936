// LZ77 in the BIOS layout, with matches found by the binary-search-tree coder
// over a 4096-byte circular window. Matches at distance 1 are never used (the
// console's VRAM decoder writes 16 bits at a time and cannot copy them).
#include <bit>
#include <cstring>
#include <memory>
#include <new>

#include "export/compress.h"
#include "export/lz77_groups.h"

namespace vorlin {

namespace {

constexpr int kWindow = kLz77Window;       // N
constexpr int kLookahead = kLz77MaxMatch;  // F
constexpr int kMinMatch = kLz77MinMatch;
constexpr int kNone = kWindow;          // "no node"
constexpr int kRootBase = kWindow + 1;  // 256 root slots, one per first byte

// The first position from 1 up where the two strings differ, kLookahead when
// they agree. Compared eight bytes at a time where the byte order allows it.
inline int FirstDifference(const std::uint8_t* a, const std::uint8_t* b) {
    int i = 1;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= kLookahead; i += 8) {
            std::uint64_t x, y;
            std::memcpy(&x, a + i, 8);
            std::memcpy(&y, b + i, 8);
            if (x != y) return i + std::countr_zero(x ^ y) / 8;
        }
    }
    while (i < kLookahead && a[i] == b[i]) ++i;
    return i;
}

struct Lz77Tree {
    std::uint8_t window[kWindow + kLookahead - 1];
    int left[kWindow + 1];
    int right[kWindow + 257];
    int parent[kWindow + 1];
    int matchPosition;
    int matchLength;

    void Init() {
        std::memset(window, 0, sizeof window);
        for (int i = kRootBase; i < kRootBase + 256; ++i) right[i] = kNone;
        for (int i = 0; i < kWindow; ++i) parent[i] = kNone;
    }

    // Hangs r in the tree and records the longest match seen on the way.
    void Insert(int r) {
        const std::uint8_t* key = &window[r];
        const int before = (r + kWindow - 1) & (kWindow - 1);
        int cmp = 1;
        int p = kRootBase + key[0];
        left[r] = right[r] = kNone;
        matchLength = 0;
        for (;;) {
            int& child = cmp >= 0 ? right[p] : left[p];
            if (child == kNone) {
                child = r;
                parent[r] = p;
                return;
            }
            p = child;
            const int i = FirstDifference(key, &window[p]);
            cmp = i < kLookahead ? key[i] - window[p + i] : 0;
            if (i > matchLength && p != before) {
                matchPosition = p;
                matchLength = i;
                if (matchLength >= kLookahead) break;
            }
        }
        ReplaceNode(p, r);
    }

    // r takes p's place; p leaves the tree.
    void ReplaceNode(int p, int r) {
        parent[r] = parent[p];
        left[r] = left[p];
        right[r] = right[p];
        parent[left[p]] = r;
        parent[right[p]] = r;
        if (right[parent[p]] == p)
            right[parent[p]] = r;
        else
            left[parent[p]] = r;
        parent[p] = kNone;
    }

    void Delete(int p) {
        if (parent[p] == kNone) return;
        int q;
        if (right[p] == kNone) {
            q = left[p];
        } else if (left[p] == kNone) {
            q = right[p];
        } else {
            q = left[p];
            if (right[q] != kNone) {
                do q = right[q];
                while (right[q] != kNone);
                right[parent[q]] = left[q];
                parent[left[q]] = parent[q];
                left[q] = left[p];
                parent[left[p]] = q;
            }
            right[q] = right[p];
            parent[right[p]] = q;
        }
        parent[q] = parent[p];
        if (right[parent[p]] == p)
            right[parent[p]] = q;
        else
            left[parent[p]] = q;
        parent[p] = kNone;
    }
};

void Encode(Lz77Tree& t, const std::uint8_t* data, std::size_t size,
            std::vector<std::uint8_t>& out) {
    Lz77GroupWriter groups(out);
    std::size_t next = 0;
    int s = 0;
    int r = kWindow - kLookahead;
    int len = 0;
    for (; len < kLookahead && next < size; ++len) t.window[r + len] = data[next++];
    if (len == 0) return;
    t.Insert(r);
    while (len > 0) {
        if (t.matchLength > len) t.matchLength = len;
        if (t.matchLength >= kMinMatch) {
            groups.Match(t.matchLength, (r - t.matchPosition) & (kWindow - 1));
        } else {
            groups.Literal(t.window[r]);
            t.matchLength = 1;
        }
        const int consumed = t.matchLength;
        int i = 0;
        for (; i < consumed && next < size; ++i) {
            t.Delete(s);
            const std::uint8_t c = data[next++];
            t.window[s] = c;
            if (s < kLookahead - 1) t.window[s + kWindow] = c;
            s = (s + 1) & (kWindow - 1);
            r = (r + 1) & (kWindow - 1);
            t.Insert(r);
        }
        for (; i < consumed; ++i) {
            t.Delete(s);
            s = (s + 1) & (kWindow - 1);
            r = (r + 1) & (kWindow - 1);
            if (--len) t.Insert(r);
        }
    }
    groups.Finish();
}

}  // namespace

std::vector<std::uint8_t> Lz77Compress(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> out;
    if ((!data && size > 0) || size > kBiosMaxSize) return out;
    std::unique_ptr<Lz77Tree> tree(new (std::nothrow) Lz77Tree);
    if (!tree) return out;
    tree->Init();
    try {
        out.reserve(size + size / 8 + 16 + 4);
        out.resize(4);
        Encode(*tree, data, size, out);
    } catch (const std::bad_alloc&) {
        return {};
    }
    WriteBiosHeader(out, kBiosTypeLz77, size);
    PadToWord(out);
    return out;
}

}  // namespace vorlin
