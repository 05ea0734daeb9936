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
    // Room for `expected` keys without growing.
    explicit TileIndex(std::size_t expected) { Resize(TableSizeFor(expected)); }

    // The number stored under key, or SIZE_MAX.
    std::size_t Find(const TileKey& key) const {
        const std::size_t hash = TileKeyHash{}(key);
        const std::uint32_t tag = Tag(hash);
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot slot = slots_[i];
            if (slot.entry == 0) return SIZE_MAX;
            if (slot.tag == tag && keys_[slot.entry - 1] == key) return numbers_[slot.entry - 1];
        }
    }

    // Stores a key that is not held yet.
    void Add(const TileKey& key, std::size_t number) {
        if (2 * (keys_.size() + 1) > slots_.size()) Resize(2 * slots_.size());
        keys_.push_back(key);
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

    // At most half full, at least 16 slots.
    static std::size_t TableSizeFor(std::size_t keys) {
        std::size_t size = 16;
        while (size < 2 * keys) size *= 2;
        return size;
    }

    void Place(std::size_t k) {
        const std::size_t hash = TileKeyHash{}(keys_[k]);
        std::size_t i = hash & mask_;
        while (slots_[i].entry != 0) i = (i + 1) & mask_;
        slots_[i] = {Tag(hash), static_cast<std::uint32_t>(k + 1)};
    }

    void Resize(std::size_t size) {
        slots_.assign(size, Slot{0, 0});
        mask_ = size - 1;
        for (std::size_t k = 0; k < keys_.size(); ++k) Place(k);
    }

    std::vector<Slot> slots_;
    std::vector<TileKey> keys_;
    std::vector<std::size_t> numbers_;
    std::size_t mask_ = 0;
};

}  // namespace vorlin
