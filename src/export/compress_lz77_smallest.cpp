// The smallest LZ77 stream in the BIOS layout. Every copy costs two bytes whatever
// its length and distance, so the longest copy available at a position (distance
// 2-4096) stands for all shorter ones; a shortest-path search over positions then
// picks literals and copy lengths. The search state also carries the item count
// modulo 8, because every eighth item opens a new flag byte: the result is the
// smallest stream in bytes, never larger than the greedy coder's.
#include <algorithm>
#include <array>
#include <limits>
#include <new>

#include "export/compress.h"
#include "export/lz77_groups.h"

namespace vorlin {

namespace {

constexpr int kMinDistance = 2;  // the VRAM decoder cannot copy from distance 1
constexpr int kHashBits = 15;
constexpr int kGroup = 8;

// Hash chains over the last 4096 positions, keyed by the next three bytes.
class MatchFinder {
  public:
    MatchFinder(const std::uint8_t* data, std::size_t size)
        : data_(data), size_(size), head_(std::size_t{1} << kHashBits, kNoPosition) {}

    // Longest copy for position `at` (all earlier positions inserted); 0 below three bytes.
    int Longest(std::size_t at, int& distance) const {
        const int limit = static_cast<int>(std::min<std::size_t>(kLz77MaxMatch, size_ - at));
        if (limit < kLz77MinMatch) return 0;
        const std::uint8_t* here = data_ + at;
        int best = kLz77MinMatch - 1;
        for (std::int64_t candidate = head_[Hash(at)];
             candidate != kNoPosition && static_cast<std::int64_t>(at) - candidate <= kLz77Window;
             candidate = chain_[static_cast<std::size_t>(candidate) & (kLz77Window - 1)]) {
            const auto gap = static_cast<int>(static_cast<std::int64_t>(at) - candidate);
            const std::uint8_t* there = data_ + candidate;
            if (gap < kMinDistance || there[best] != here[best]) continue;
            int length = 0;
            while (length < limit && there[length] == here[length]) ++length;
            if (length > best) {
                best = length;
                distance = gap;
                if (best == limit) break;
            }
        }
        return best >= kLz77MinMatch ? best : 0;
    }

    void Insert(std::size_t at) {
        if (at + kLz77MinMatch > size_) return;
        std::int64_t& first = head_[Hash(at)];
        chain_[at & (kLz77Window - 1)] = first;
        first = static_cast<std::int64_t>(at);
    }

  private:
    static constexpr std::int64_t kNoPosition = -1;
    std::size_t Hash(std::size_t at) const {
        const std::uint32_t v = data_[at] | (data_[at + 1] << 8) | (data_[at + 2] << 16);
        return (v * 2654435761u) >> (32 - kHashBits);
    }
    const std::uint8_t* data_;
    std::size_t size_;
    std::vector<std::int64_t> head_;
    std::array<std::int64_t, kLz77Window> chain_{};
};

constexpr std::uint32_t kUnreached = std::numeric_limits<std::uint32_t>::max();
// Positions ahead of the current one whose costs are still open.
constexpr int kOpen = kLz77MaxMatch + 1;

// For every position and item count modulo 8, the length of the item that reached it
// most cheaply (1 = literal); the copies' distances by start position.
struct Parse {
    std::vector<std::uint8_t> lastItem;
    std::vector<std::uint16_t> distance;
    int endState = 0;
};

void Relax(std::array<std::array<std::uint32_t, kGroup>, kOpen>& cost, Parse& parse,
           std::size_t to, int state, std::uint32_t value, int length) {
    std::uint32_t& slot = cost[to % kOpen][static_cast<std::size_t>(state)];
    if (value >= slot) return;
    slot = value;
    parse.lastItem[to * kGroup + static_cast<std::size_t>(state)] =
        static_cast<std::uint8_t>(length);
}

void FindParse(const std::uint8_t* data, std::size_t size, Parse& parse) {
    MatchFinder finder(data, size);
    std::array<std::array<std::uint32_t, kGroup>, kOpen> cost;
    for (auto& row : cost) row.fill(kUnreached);
    cost[0][0] = 0;
    for (std::size_t at = 0; at < size; ++at) {
        int distance = 0;
        const int longest = finder.Longest(at, distance);
        finder.Insert(at);
        parse.distance[at] = static_cast<std::uint16_t>(distance);
        auto& here = cost[at % kOpen];
        for (int state = 0; state < kGroup; ++state) {
            if (here[static_cast<std::size_t>(state)] == kUnreached) continue;
            // The first item of every eight brings its flag byte.
            const std::uint32_t base = here[static_cast<std::size_t>(state)] + (state == 0);
            const int next = (state + 1) % kGroup;
            Relax(cost, parse, at + 1, next, base + 1, 1);
            for (int length = kLz77MinMatch; length <= longest; ++length)
                Relax(cost, parse, at + static_cast<std::size_t>(length), next, base + 2, length);
        }
        here.fill(kUnreached);
    }
    const auto& end = cost[size % kOpen];
    parse.endState = static_cast<int>(std::min_element(end.begin(), end.end()) - end.begin());
}

void WriteParse(const std::uint8_t* data, std::size_t size, const Parse& parse,
                std::vector<std::uint8_t>& out) {
    std::vector<std::uint8_t> lengths;  // items from last to first
    int state = parse.endState;
    for (std::size_t at = size; at > 0;) {
        const std::uint8_t length = parse.lastItem[at * kGroup + static_cast<std::size_t>(state)];
        lengths.push_back(length);
        at -= length;
        state = (state + kGroup - 1) % kGroup;
    }
    Lz77GroupWriter groups(out);
    std::size_t at = 0;
    for (auto item = lengths.rbegin(); item != lengths.rend(); ++item) {
        if (*item == 1)
            groups.Literal(data[at]);
        else
            groups.Match(*item, parse.distance[at]);
        at += *item;
    }
    groups.Finish();
}

}  // namespace

std::vector<std::uint8_t> Lz77CompressSmallest(const std::uint8_t* data, std::size_t size) {
    if ((!data && size > 0) || size > kBiosMaxSize) return {};
    std::vector<std::uint8_t> out;
    try {
        Parse parse;
        parse.lastItem.resize((size + 1) * kGroup);
        parse.distance.resize(size);
        FindParse(data, size, parse);
        out.reserve(size + size / 8 + 16 + 4);
        out.resize(4);
        WriteParse(data, size, parse, out);
    } catch (const std::bad_alloc&) {
        // The search needs about ten bytes per input byte; without them the
        // greedy coder still gives a valid stream.
        return Lz77Compress(data, size);
    }
    WriteBiosHeader(out, kBiosTypeLz77, size);
    PadToWord(out);
    return out;
}

}  // namespace vorlin
