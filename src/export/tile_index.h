// Tile keys to tile numbers in one open-addressed table: a lookup costs a hash,
// a mask and usually one slot, with no division and no node to follow, which
// matters when every tile of a large map is looked up in four orientations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/tile_key.h"

namespace vorlin {

class TileIndex {
  public:
    // The number stored under key, or SIZE_MAX.
    std::size_t Find(const TileKey& key) const {
        const std::size_t hash = TileKeyHash{}(key);
        const std::uint32_t tag = Tag(hash);
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot slot = slots_[i];
            if (slot.entry == 0) return SIZE_MAX;
            if (slot.tag == tag && SameRows(keys_[slot.entry - 1], key))
                return numbers_[slot.entry - 1];
        }
    }

    // Stores a key that is not held yet.
    void Add(const TileKey& key, std::size_t number) {
        if (2 * (keys_.size() + 1) > slots_.size()) Resize(2 * slots_.size());
        keys_.push_back(key);
        hashes_.push_back(TileKeyHash{}(key));
        numbers_.push_back(number);
        Place(keys_.size() - 1);
    }

  private:
    struct Slot {
        std::uint32_t tag;    // high bits of the key's hash
        std::uint32_t entry;  // 1 + position in keys_, 0 when free
    };

    static std::uint32_t Tag(std::size_t hash) {
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32);
    }

    // All eight rows at once, without a call to memcmp.
    static bool SameRows(const TileKey& a, const TileKey& b) {
        std::uint64_t differ = 0;
        for (std::size_t i = 0; i < a.rows.size(); ++i) differ |= a.rows[i] ^ b.rows[i];
        return differ == 0;
    }

    void Place(std::size_t k) {
        std::size_t i = hashes_[k] & mask_;
        while (slots_[i].entry != 0) i = (i + 1) & mask_;
        slots_[i] = {Tag(hashes_[k]), static_cast<std::uint32_t>(k + 1)};
    }

    // The table stays at most half full; it starts small and doubles, so a map of
    // few distinct tiles keeps it in the nearest cache.
    void Resize(std::size_t size) {
        slots_.assign(size, Slot{0, 0});
        mask_ = size - 1;
        for (std::size_t k = 0; k < keys_.size(); ++k) Place(k);
    }

    std::vector<Slot> slots_ = std::vector<Slot>(16, Slot{0, 0});
    std::vector<TileKey> keys_;
    std::vector<std::size_t> hashes_;
    std::vector<std::size_t> numbers_;
    std::size_t mask_ = 15;
};

}  // namespace vorlin
