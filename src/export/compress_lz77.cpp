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

// Bytes 1-8 of a string as one number that orders as the bytes do.
inline std::uint64_t Head(const std::uint8_t* s) {
    std::uint64_t v;
    std::memcpy(&v, s + 1, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

// The first position from 9 up where two strings that agree in bytes 1-8 differ,
// kLookahead when they agree: bytes 9-16 at once, then the last one.
static_assert(kLookahead == 18);
inline int FirstDifferenceAfterHead(const std::uint8_t* a, const std::uint8_t* b) {
    const std::uint64_t x = Head(a + 8), y = Head(b + 8);
    if (x != y) return 9 + std::countl_zero(x ^ y) / 8;
    return a[17] == b[17] ? kLookahead : 17;
}

// The tree's links are 16-bit and apart from the parents, so that a walk down
// reads the links and the window only, which stay in the nearest cache.
struct Lz77Tree {
    std::uint8_t window[kWindow + kLookahead - 1];
    std::uint16_t child[kRootBase + 256][2];  // left (smaller), right (larger or equal)
    std::uint16_t parent[kRootBase + 256];
    int matchPosition;
    int matchLength;

    void Init() {
        std::memset(window, 0, sizeof window);
        for (int i = kRootBase; i < kRootBase + 256; ++i) child[i][1] = kNone;
        for (int i = 0; i < kWindow; ++i) parent[i] = kNone;
    }

    int Left(int p) const { return child[p][0]; }
    int Right(int p) const { return child[p][1]; }
    int Parent(int p) const { return parent[p]; }
    // Both links of p in one load: the left one in the low half.
    std::uint32_t Links(int p) const {
        std::uint32_t v;
        std::memcpy(&v, child[p], sizeof v);
        if constexpr (std::endian::native == std::endian::big) v = (v >> 16) | (v << 16);
        return v;
    }
    void SetParent(int p, int up) { parent[p] = static_cast<std::uint16_t>(up); }
    // Links q (a string or kNone) as p's child on one side.
    void SetChild(int p, int side, int q) { child[p][side] = static_cast<std::uint16_t>(q); }

    // Hangs r in the tree and records the longest match seen on the way; among
    // equal lengths the first one met wins, and the string just before r never does.
    // The steps are branch-free where the heads differ, which is nearly always.
    void Insert(int r) {
        const std::uint8_t* key = &window[r];
        const std::uint64_t head = Head(key);
        const int before = (r + kWindow - 1) & (kWindow - 1);
        int p = kRootBase + key[0];
        int larger = 1;
        int length = 0, position = 0;
        child[r][0] = child[r][1] = kNone;
        int next = child[p][1];
        for (;;) {
            if (next == kNone) {
                SetChild(p, larger, r);
                SetParent(r, p);
                break;
            }
            p = next;
            // Both links are read with the string, not after the comparison that picks one.
            const std::uint32_t links = Links(p);
            const std::uint64_t other = Head(&window[p]);
            int i;
            if (head != other) [[likely]] {
                i = 1 + std::countl_zero(head ^ other) / 8;
                larger = head > other;
            } else {
                i = FirstDifferenceAfterHead(key, &window[p]);
                larger = i == kLookahead || key[i] > window[p + i];
                if (i == kLookahead && p != before) {
                    // A string equal to r: r takes its place.
                    matchLength = kLookahead;
                    matchPosition = p;
                    ReplaceNode(p, r);
                    return;
                }
            }
            next = static_cast<int>((links >> (16 * larger)) & 0xFFFF);
            // All ones when this string is the longest match so far.
            const int take = -static_cast<int>((i > length) & (p != before));
            length = (i & take) | (length & ~take);
            position = (p & take) | (position & ~take);
        }
        matchLength = length;
        matchPosition = position;
    }

    // The side of p's parent on which p hangs.
    int SideOf(int p) const { return Right(Parent(p)) == p ? 1 : 0; }

    // r takes p's place; p leaves the tree.
    void ReplaceNode(int p, int r) {
        SetParent(r, Parent(p));
        SetChild(r, 0, Left(p));
        SetChild(r, 1, Right(p));
        SetParent(Left(p), r);
        SetParent(Right(p), r);
        SetChild(Parent(p), SideOf(p), r);
        SetParent(p, kNone);
    }

    void Delete(int p) {
        if (Parent(p) == kNone) return;
        int q;
        if (Right(p) == kNone) {
            q = Left(p);
        } else if (Left(p) == kNone) {
            q = Right(p);
        } else {
            q = Left(p);
            if (Right(q) != kNone) {
                do q = Right(q);
                while (Right(q) != kNone);
                SetChild(Parent(q), 1, Left(q));
                SetParent(Left(q), Parent(q));
                SetChild(q, 0, Left(p));
                SetParent(Left(p), q);
            }
            SetChild(q, 1, Right(p));
            SetParent(Right(p), q);
        }
        SetParent(q, Parent(p));
        SetChild(Parent(p), SideOf(p), q);
        SetParent(p, kNone);
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
