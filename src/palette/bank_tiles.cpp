#include "palette/bank_tiles.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace vorlin {

ColourIds MakeColourIds(const IndexSurface& pixels, const RgbQuad* palette,
                        const std::array<bool, 256>& fixed, bool sharedZero) {
    std::array<bool, 256> used{};
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = pixels.Row(y);
        for (int x = 0; x < pixels.width; ++x) used[row[x]] = true;
    }
    ColourIds ids;
    ids.ofIndex.fill(kUnusedId);
    std::map<std::tuple<int, int, int>, int> byColour;
    for (int i = 0; i < 256; ++i) {
        if (sharedZero && i % kBankSlots == 0 && (i == 0 || SameColour(palette[i], palette[0]))) {
            ids.ofIndex[i] = kTransparentId;
            continue;
        }
        if (!used[i] && !fixed[i]) continue;
        const int next = static_cast<int>(ids.firstIndex.size());
        if (fixed[i]) {
            ids.ofIndex[i] = next;
        } else {
            const auto key = std::make_tuple(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue);
            const auto [at, added] = byColour.emplace(key, next);
            ids.ofIndex[i] = at->second;
            if (!added) continue;
        }
        ids.firstIndex.push_back(i);
        ids.fixedIndex.push_back(fixed[i] ? i : -1);
    }
    return ids;
}

TileGrid MakeTileGrid(const IndexSurface& pixels, int tileWidth, int tileHeight) {
    TileGrid grid;
    grid.width = std::max(1, tileWidth);
    grid.height = std::max(1, tileHeight);
    grid.columns = (pixels.width + grid.width - 1) / grid.width;
    grid.rows = (pixels.height + grid.height - 1) / grid.height;
    return grid;
}

std::vector<ColourSet> TileColourSets(const IndexSurface& pixels, const TileGrid& grid,
                                      const ColourIds& ids) {
    std::vector<ColourSet> sets(static_cast<std::size_t>(grid.Count()));
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = pixels.Row(y);
        ColourSet* line = &sets[static_cast<std::size_t>(y / grid.height) * grid.columns];
        for (int x = 0; x < pixels.width; ++x) {
            const int id = ids.ofIndex[row[x]];
            if (id >= 0) line[x / grid.width].set(static_cast<std::size_t>(id));
        }
    }
    return sets;
}

std::optional<BankPacking> PaintedPacking(const IndexSurface& pixels, const TileGrid& grid,
                                          const ColourIds& ids, const BankProblem& problem) {
    std::vector<int> bankOfTile(static_cast<std::size_t>(grid.Count()), kNoBank);
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = pixels.Row(y);
        int* line = &bankOfTile[static_cast<std::size_t>(y / grid.height) * grid.columns];
        for (int x = 0; x < pixels.width; ++x) {
            if (ids.ofIndex[row[x]] < 0) continue;
            int& bank = line[x / grid.width];
            if (bank != kNoBank && bank != row[x] / kBankSlots) return std::nullopt;
            bank = row[x] / kBankSlots;
        }
    }
    std::array<int, kBankCount> packed;
    packed.fill(kNoBank);
    BankPacking packing;
    for (int b = 0; b < kBankCount; ++b) {
        const bool pinned = problem.pinned[b].any();
        if (!pinned && std::find(bankOfTile.begin(), bankOfTile.end(), b) == bankOfTile.end())
            continue;
        packed[b] = static_cast<int>(packing.banks.size());
        packing.banks.push_back(problem.pinned[b]);
        packing.labels.push_back(pinned ? b : -1);
    }
    packing.bankOfSet.assign(bankOfTile.size(), kNoBank);
    for (std::size_t t = 0; t < bankOfTile.size() && t < problem.sets.size(); ++t) {
        if (bankOfTile[t] == kNoBank) continue;
        const int bank = packed[bankOfTile[t]];
        packing.bankOfSet[t] = bank;
        packing.banks[bank] |= problem.sets[t];
    }
    return packing;
}

}  // namespace vorlin
