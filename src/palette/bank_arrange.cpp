#include "palette/bank_arrange.h"

#include <algorithm>
#include <numeric>

#include "palette/bank_tiles.h"

namespace vorlin {
namespace {

constexpr int kEntries = 256;

// A bank of the packing that makes it into the palette, with the number it gets there.
struct KeptBank {
    int packed = 0;
    int number = 0;
};

struct Arranger {
    Arranger(const IndexSurface& p, const RgbQuad* palette, const BankOptions& o)
        : pixels(p), oldPalette(palette), options(o) {}

    const IndexSurface& pixels;
    const RgbQuad* oldPalette;
    const BankOptions& options;
    BankArrangement result;
    ColourIds ids;
    TileGrid grid;
    std::vector<ColourSet> sets;
    BankPacking packing;
    std::vector<int> keptOfPacked;  // per packed bank: index into kept, or -1
    std::vector<KeptBank> kept;
    std::array<bool, kEntries> taken{};
    std::vector<std::array<int, kEntries>> bankTables;  // per kept bank: old index -> new
    std::array<int, kEntries> looseTable{};              // tiles outside every kept bank

    bool SetUp();
    void FindMisfits();
    bool KeepBanks();
    void NumberBanks();
    void LayOutBank(int k);
    bool LayOutLooseColours();
    void KeepUnusedColours();
    void Remap();
    int FreeEntry(int first, int last) const;
    void Put(int index, const RgbQuad& colour);
};

std::array<bool, kEntries> FixedMarks(const BankOptions& options, int& badIndex) {
    std::array<bool, kEntries> fixed{};
    for (int index : options.fixedIndices) {
        if (index < 0 || index >= kEntries) continue;
        if (options.sharedZero && index % kBankSlots == 0) {
            if (index != 0 && badIndex < 0) badIndex = index;
            continue;
        }
        fixed[index] = true;
    }
    return fixed;
}

bool Arranger::SetUp() {
    const std::array<bool, kEntries> fixed = FixedMarks(options, result.badIndex);
    if (result.badIndex >= 0) {
        result.status = BankStatus::BadFixedIndex;
        return false;
    }
    ids = MakeColourIds(pixels, oldPalette, fixed, options.sharedZero);
    grid = MakeTileGrid(pixels, options.tileWidth, options.tileHeight);
    sets = TileColourSets(pixels, grid, ids);
    BankProblem problem;
    problem.capacity = result.capacity = options.sharedZero ? kBankSlots - 1 : kBankSlots;
    for (std::size_t id = 0; id < ids.fixedIndex.size(); ++id)
        if (ids.fixedIndex[id] >= 0) problem.pinned[ids.fixedIndex[id] / kBankSlots].set(id);
    problem.sets = sets;
    // A picture already in banks is its own candidate, so arranging it again never costs banks.
    const std::optional<BankPacking> painted = PaintedPacking(pixels, grid, ids, problem);
    packing = options.firstFit ? PackFirstFit(problem)
                               : PackBanks(problem, painted ? &*painted : nullptr);
    return true;
}

void Arranger::FindMisfits() {
    for (int t = 0; t < grid.Count(); ++t) {
        if (packing.bankOfSet[t] != kNoBank) continue;
        const int colours = static_cast<int>(sets[t].count());
        result.misfits.push_back({grid.Left(t), grid.Top(t), colours, colours <= result.capacity});
    }
}

// Banks holding colours or tiles; beyond the limit the least used free banks go, pinned ones
// stay (their entries are fixed). False when the limit is passed and no partial result is wanted.
bool Arranger::KeepBanks() {
    const int count = static_cast<int>(packing.banks.size());
    std::vector<int> tilesIn(count, 0);
    for (int bank : packing.bankOfSet)
        if (bank != kNoBank) ++tilesIn[bank];
    std::vector<int> order;
    for (int b = 0; b < count; ++b)
        if (packing.banks[b].any() || tilesIn[b] > 0) order.push_back(b);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const bool pa = packing.labels[a] >= 0, pb = packing.labels[b] >= 0;
        return pa != pb ? pa : tilesIn[a] > tilesIn[b];
    });
    result.banksNeeded = static_cast<int>(order.size());
    const int limit = result.bankLimit = std::clamp(options.maxBanks, 1, kBankCount);
    if (result.banksNeeded > limit && !options.acceptPartial) {
        result.status = BankStatus::TooManyBanks;
        return false;
    }
    keptOfPacked.assign(count, -1);
    for (int b : order) {
        if (static_cast<int>(kept.size()) >= limit && packing.labels[b] < 0) {
            result.tilesOverLimit += tilesIn[b];
            continue;
        }
        keptOfPacked[b] = static_cast<int>(kept.size());
        kept.push_back({b, packing.labels[b]});
        result.tiles += tilesIn[b];
        result.banks += packing.banks[b].any();
    }
    return true;
}

void Arranger::NumberBanks() {
    std::array<bool, kBankCount> used{};
    for (const KeptBank& k : kept)
        if (k.number >= 0) used[k.number] = true;
    int next = 0;
    for (KeptBank& k : kept) {
        if (k.number >= 0) continue;
        while (used[next]) ++next;
        k.number = next;
        used[next] = true;
    }
}

int Arranger::FreeEntry(int first, int last) const {
    for (int i = first; i <= last; ++i)
        if (!taken[i]) return i;
    return -1;
}

void Arranger::Put(int index, const RgbQuad& colour) {
    result.palette[index] = colour;
    taken[index] = true;
}

// Pinned colours are already in place; the others fill the bank's free slots in palette order.
void Arranger::LayOutBank(int k) {
    std::array<int, kEntries>& table = bankTables[k];
    const int base = kept[k].number * kBankSlots;
    const ColourSet& colours = packing.banks[kept[k].packed];
    for (std::size_t id = 0; id < ids.firstIndex.size(); ++id) {
        if (!colours[id] || ids.fixedIndex[id] >= 0) continue;
        const int entry = FreeEntry(base, base + kBankSlots - 1);
        if (entry < 0) return;  // cannot happen: the packing kept the bank within its slots
        Put(entry, oldPalette[ids.firstIndex[id]]);
        for (int i = 0; i < kEntries; ++i)
            if (ids.ofIndex[i] == static_cast<int>(id)) table[i] = entry;
    }
    for (int i = 0; i < kEntries; ++i) {
        const int id = ids.ofIndex[i];
        if (id == kTransparentId) table[i] = base;
        if (id >= 0 && ids.fixedIndex[id] >= 0) table[i] = ids.fixedIndex[id];
    }
}

// Tiles that did not get a bank keep their colours: each colour is taken from wherever the
// palette already has it, or from a free entry.
bool Arranger::LayOutLooseColours() {
    for (int i = 0; i < kEntries; ++i) {
        const int id = ids.ofIndex[i];
        if (id == kTransparentId) looseTable[i] = 0;
        if (id < 0) continue;
        looseTable[i] = ids.fixedIndex[id];
        for (std::size_t k = 0; k < kept.size() && looseTable[i] < 0; ++k)
            if (packing.banks[kept[k].packed][id]) looseTable[i] = bankTables[k][i];
    }
    std::vector<int> entryOfId(ids.firstIndex.size(), -1);
    for (int t = 0; t < grid.Count(); ++t) {
        const int bank = packing.bankOfSet[t];
        if (bank != kNoBank && keptOfPacked[bank] >= 0) continue;
        for (int i = 0; i < kEntries; ++i) {
            const int id = ids.ofIndex[i];
            if (id < 0 || looseTable[i] >= 0 || !sets[t][id]) continue;
            if (entryOfId[id] < 0) entryOfId[id] = FreeEntry(0, kEntries - 1);
            if (entryOfId[id] < 0) return false;
            Put(entryOfId[id], oldPalette[ids.firstIndex[id]]);
            looseTable[i] = entryOfId[id];
        }
    }
    return true;
}

// Entries no pixel uses are kept where room is left, so arranging loses as little as it can.
void Arranger::KeepUnusedColours() {
    for (int i = 0; i < kEntries; ++i) {
        if (ids.ofIndex[i] != kUnusedId) continue;
        const RgbQuad& colour = oldPalette[i];
        bool present = false;
        for (int e = 0; e < kEntries && !present; ++e)
            present = taken[e] && SameColour(result.palette[e], colour);
        if (present) continue;
        const int entry = FreeEntry(0, kEntries - 1);
        if (entry < 0) {
            ++result.droppedColours;
            continue;
        }
        Put(entry, colour);
    }
}

void Arranger::Remap() {
    result.pixels = IndexSurface(pixels.width, pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* from = pixels.Row(y);
        std::uint8_t* to = result.pixels.Row(y);
        const int tileRow = y / grid.height * grid.columns;
        for (int x = 0; x < pixels.width; ++x) {
            const int bank = packing.bankOfSet[tileRow + x / grid.width];
            const int k = bank == kNoBank ? -1 : keptOfPacked[bank];
            const std::array<int, kEntries>& table = k >= 0 ? bankTables[k] : looseTable;
            to[x] = static_cast<std::uint8_t>(table[from[x]]);
        }
    }
}

}  // namespace

BankArrangement ArrangeBanks(const IndexSurface& pixels, const RgbQuad* palette,
                             const BankOptions& options) {
    Arranger a(pixels, palette, options);
    if (!a.SetUp()) return std::move(a.result);
    a.FindMisfits();
    if (!a.KeepBanks()) return std::move(a.result);
    if (!a.result.misfits.empty() && !options.acceptPartial) {
        a.result.status = BankStatus::TilesDoNotFit;
        return std::move(a.result);
    }
    a.NumberBanks();
    // Transparent pixels keep their look in every bank they end up in; loose tiles use index 0.
    if (options.sharedZero) {
        a.Put(0, palette[0]);
        for (const KeptBank& k : a.kept) a.Put(k.number * kBankSlots, palette[0]);
    }
    for (int fixed : a.ids.fixedIndex)
        if (fixed >= 0) a.Put(fixed, palette[fixed]);
    a.bankTables.assign(a.kept.size(), {});
    for (std::size_t k = 0; k < a.kept.size(); ++k) a.LayOutBank(static_cast<int>(k));
    a.looseTable.fill(-1);
    if (!a.LayOutLooseColours()) {
        a.result.status = BankStatus::PaletteFull;
        return std::move(a.result);
    }
    a.KeepUnusedColours();
    a.Remap();
    const bool whole = a.result.misfits.empty() && a.result.tilesOverLimit == 0;
    a.result.status = whole ? BankStatus::Arranged : BankStatus::Partial;
    return std::move(a.result);
}

}  // namespace vorlin
