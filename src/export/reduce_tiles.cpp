#include "export/reduce_tiles.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "export/export_job.h"
#include "export/tile_index.h"
#include "export/tile_key.h"
#include "export/tile_ops.h"

namespace vorlin {

namespace {

struct ReduceRules {
    std::uint8_t mask;
    int orientations;
    bool banks;

    explicit ReduceRules(std::uint32_t mapFlags)
        : mask((mapFlags & MAP_PALBANK) ? kBankMask : 0xFF),
          orientations((mapFlags & MAP_FLIP) ? 4 : 1),
          banks((mapFlags & MAP_PALBANK) != 0) {}
};

std::uint16_t Entry(const ReduceRules& rules, const std::uint8_t* source, std::size_t index,
                    std::uint16_t flipBits) {
    std::uint16_t entry = static_cast<std::uint16_t>(flipBits | (index & kMapIndexMask));
    if (rules.banks) entry |= TileBank(source);
    return entry;
}

ReducedTiles StartWithBlank(std::size_t count) {
    ReducedTiles result;
    result.tiles.reserve((count + 1) * kTileBytes);
    result.tiles.assign(kTileBytes, 0);
    result.entries.reserve(count);
    return result;
}

}  // namespace

ReducedTiles ReduceTiles(const std::uint8_t* tiles, std::size_t count, std::uint32_t mapFlags) {
    const ReduceRules rules(mapFlags);
    ReducedTiles result = StartWithBlank(count);
    // Unique tiles never match each other unflipped, so each key names one tile.
    TileIndex index;
    index.Add(TileKey{}, 0);
    for (std::size_t t = 0; t < count; ++t) {
        const std::uint8_t* tile = tiles + t * kTileBytes;
        const TileKey upright = MaskedRows(tile, rules.mask);
        std::size_t best = SIZE_MAX;
        std::uint16_t bits = 0;
        for (int o = 0; o < rules.orientations; ++o) {
            const std::size_t found = index.Find(Oriented(upright, kOrientations[o]));
            if (found < best) {
                best = found;
                bits = kOrientations[o].bits;
            }
        }
        if (best == SIZE_MAX) {
            best = result.tiles.size() / kTileBytes;
            index.Add(upright, best);
            result.tiles.insert(result.tiles.end(), tile, tile + kTileBytes);
            result.firstUse.push_back(t);
        }
        result.entries.push_back(Entry(rules, tile, best, bits));
    }
    return result;
}

ReducedTiles ReduceTilesPairwise(const std::uint8_t* tiles, std::size_t count,
                                 std::uint32_t mapFlags) {
    const ReduceRules rules(mapFlags);
    ReducedTiles result = StartWithBlank(count);
    for (std::size_t t = 0; t < count; ++t) {
        const std::uint8_t* tile = tiles + t * kTileBytes;
        const std::size_t unique = result.tiles.size() / kTileBytes;
        std::size_t k = 0;
        std::uint16_t bits = 0;
        for (; k < unique; ++k) {
            const std::uint8_t* candidate = result.tiles.data() + k * kTileBytes;
            int o = 0;
            while (o < rules.orientations && !TilesMatch(tile, candidate, kOrientations[o].xFlip,
                                                         kOrientations[o].yFlip, rules.mask))
                ++o;
            if (o < rules.orientations) {
                bits = kOrientations[o].bits;
                break;
            }
        }
        if (k == unique) {
            result.tiles.insert(result.tiles.end(), tile, tile + kTileBytes);
            result.firstUse.push_back(t);
        }
        result.entries.push_back(Entry(rules, tile, k, bits));
    }
    return result;
}

MetaTiles GroupMetaTiles(const std::vector<std::uint16_t>& entries, std::size_t groupSize,
                         std::uint32_t mapFlags) {
    MetaTiles result;
    if (groupSize == 0) return result;
    const bool metaPal = (mapFlags & MAP_META_PAL) != 0;
    const std::uint16_t mask = metaPal ? static_cast<std::uint16_t>(~kMapBankMask) : 0xFFFF;
    const std::size_t groups = entries.size() / groupSize;
    std::unordered_map<std::u16string, std::size_t> index;
    index.reserve(groups);
    result.metaMap.reserve(groups);
    for (std::size_t m = 0; m < groups; ++m) {
        const std::uint16_t* group = entries.data() + m * groupSize;
        std::u16string key(groupSize, u'\0');
        std::uint16_t bank = 0;
        for (std::size_t i = 0; i < groupSize; ++i) {
            key[i] = static_cast<char16_t>(group[i] & mask);
            if (!bank) bank = group[i] & kMapBankMask;
        }
        const auto [found, added] = index.emplace(std::move(key), index.size());
        if (added) result.definitions.insert(result.definitions.end(), group, group + groupSize);
        std::uint16_t entry = static_cast<std::uint16_t>(found->second);
        if (metaPal) entry |= bank;
        result.metaMap.push_back(entry);
    }
    return result;
}

TileCounts CountUniqueTiles(const std::uint8_t* tiles, std::size_t count) {
    std::unordered_set<TileKey, TileKeyHash> plain, flips, flipsBanks;
    for (auto* set : {&plain, &flips, &flipsBanks}) set->reserve(count);
    for (std::size_t t = 0; t < count; ++t) {
        const std::uint8_t* tile = tiles + t * kTileBytes;
        const TileKey upright = MaskedRows(tile, 0xFF);
        plain.insert(upright);
        flips.insert(FlipClassKey(upright));
        flipsBanks.insert(FlipClassKey(MaskedRows(tile, kBankMask)));
    }
    const TileKey blank{};
    return {plain.size(), flips.size(), flipsBanks.size(), plain.contains(blank),
            flipsBanks.contains(blank)};
}

}  // namespace vorlin
