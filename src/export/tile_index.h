// Tile keys to tile numbers in one open-addressed table: a lookup costs a hash,
// a mask and usually one slot, with no division and no node to follow, which
// matters when every tile of a large map is looked up in four orientations.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/tile_key.h"

namespace vorlin {

class TileIndex {
  public:
    // The number stored under key, or SIZE_MAX.
    std::size_t Find(const TileKey& key) const {
        const std::uint64_t hash = TileKeyHash{}(key);
        const std::uint32_t tag = Tag(hash);
        for (std::size_t i = Home(hash);; i = (i + 1) & mask_) {
            const Slot slot = slots_[i];
            if (slot.entry == 0) return SIZE_MAX;
            if (slot.tag == tag && SameRows(keys_[slot.entry - 1], key))
                return numbers_[slot.entry - 1];
        }
    }

    // Stores a key that is not held yet.
    void Add(const TileKey& key, std::size_t number) {
        if (8 * (keys_.size() + 1) > slots_.size()) Resize(2 * slots_.size());
        keys_.push_back(key);
        hashes_.push_back(TileKeyHash{}(key));
        numbers_.push_back(number);
        Place(keys_.size() - 1);
    }

  private:
    struct Slot {
        std::uint32_t tag;    // low bits of the key's hash
        std::uint32_t entry;  // 1 + position in keys_, 0 when free
    };

    static std::uint32_t Tag(std::uint64_t hash) { return static_cast<std::uint32_t>(hash); }

    // The first slot to try: the top bits of the hash mixed once more, since the
    // low bits of TileKeyHash follow the low bytes of the rows too closely.
    std::size_t Home(std::uint64_t hash) const {
        return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    // All eight rows at once, without a call to memcmp.
    static bool SameRows(const TileKey& a, const TileKey& b) {
        std::uint64_t differ = 0;
        for (std::size_t i = 0; i < a.rows.size(); ++i) differ |= a.rows[i] ^ b.rows[i];
        return differ == 0;
    }

    void Place(std::size_t k) {
        std::size_t i = Home(hashes_[k]);
        while (slots_[i].entry != 0) i = (i + 1) & mask_;
        slots_[i] = {Tag(hashes_[k]), static_cast<std::uint32_t>(k + 1)};
    }

    // The table stays at most an eighth full, so a lookup of a missing key (three
    // of the four orientations, mostly) nearly always ends at its first slot; it
    // starts small and doubles, so a map of few distinct tiles keeps it small.
    void Resize(std::size_t size) {
        slots_.assign(size, Slot{0, 0});
        mask_ = size - 1;
        shift_ = 64 - std::countr_zero(size);
        for (std::size_t k = 0; k < keys_.size(); ++k) Place(k);
    }

    std::vector<Slot> slots_ = std::vector<Slot>(16, Slot{0, 0});
    std::vector<TileKey> keys_;
    std::vector<std::uint64_t> hashes_;
    std::vector<std::size_t> numbers_;
    std::size_t mask_ = 15;
    int shift_ = 60;
};

}  // namespace vorlin
