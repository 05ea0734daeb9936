#include "palette/bank_packing.h"

#include <algorithm>
#include <numeric>

namespace vorlin {
namespace {

// Banks being filled: pinned banks exist from the start, so a pinned set always finds its own.
class PackingBuilder {
  public:
    explicit PackingBuilder(const BankProblem& problem) : problem_(problem) {
        packing_.bankOfSet.assign(problem.sets.size(), kNoBank);
        for (int b = 0; b < kBankCount; ++b)
            if (problem.pinned[b].any()) OpenBank(problem.pinned[b], b);
    }

    // Puts the set into the bank `score` rates lowest among those it fits, else a new bank.
    template <typename Score>
    void Place(int set, Score score) {
        const ColourSet& colours = problem_.sets[set];
        if (!SetCanBePlaced(problem_, colours)) return;
        const int label = PinnedLabel(problem_, colours);
        int best = kNoBank;
        long bestScore = 0;
        for (int b = 0; b < static_cast<int>(packing_.banks.size()); ++b) {
            if (!Fits(b, colours, label)) continue;
            const long s = score(packing_.banks[b], colours);
            if (best == kNoBank || s < bestScore) best = b, bestScore = s;
        }
        if (best == kNoBank && label >= 0) return;  // its own bank is full
        if (best == kNoBank) best = OpenBank({}, -1);
        packing_.banks[best] |= colours;
        packing_.bankOfSet[set] = best;
    }

    BankPacking Take() { return std::move(packing_); }

  private:
    bool Fits(int bank, const ColourSet& colours, int label) const {
        if (label >= 0 && packing_.labels[bank] != label) return false;
        return Count(packing_.banks[bank] | colours) <= problem_.capacity;
    }
    int OpenBank(const ColourSet& colours, int label) {
        packing_.banks.push_back(colours);
        packing_.labels.push_back(label);
        return static_cast<int>(packing_.banks.size()) - 1;
    }

    const BankProblem& problem_;
    BankPacking packing_;
};

std::vector<int> LargestFirst(const std::vector<ColourSet>& sets) {
    std::vector<int> order(sets.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return Count(sets[a]) > Count(sets[b]); });
    return order;
}

// Pinned sets go first: they have only their own bank, which free sets could otherwise fill.
std::vector<int> PinnedFirst(const BankProblem& problem, std::vector<int> order) {
    std::stable_partition(order.begin(), order.end(),
                          [&](int s) { return PinnedLabel(problem, problem.sets[s]) >= 0; });
    return order;
}

// Sets with their pinned labels, and whether two of them can share a bank.
class ConflictGraph {
  public:
    ConflictGraph(const BankProblem& problem, std::vector<ColourSet> sets)
        : capacity_(problem.capacity), sets_(std::move(sets)) {
        for (const ColourSet& set : sets_) labels_.push_back(PinnedLabel(problem, set));
    }

    int Size() const { return static_cast<int>(sets_.size()); }
    bool Apart(int a, int b) const {
        const bool pinnedApart = labels_[a] >= 0 && labels_[b] >= 0 && labels_[a] != labels_[b];
        return pinnedApart || Count(sets_[a] | sets_[b]) > capacity_;
    }

    // The largest group found of sets no two of which can share a bank: grown greedily from
    // the most conflicting sets, and no further than `enough`, where the exact size no longer
    // matters: growing costs time that grows with the square of the sets.
    int LargestApartGroup(int enough) const {
        const int n = Size();
        std::vector<int> degree(n, 0);
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                if (Apart(a, b)) ++degree[a], ++degree[b];
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return degree[a] > degree[b]; });
        constexpr int kSeeds = 32;
        int best = 0;
        for (int s = 0; s < std::min(n, kSeeds) && best < enough; ++s)
            best = std::max(best, GroupFrom(order, order[s], enough));
        return best;
    }

  private:
    int GroupFrom(const std::vector<int>& order, int seed, int enough) const {
        std::vector<int> group{seed};
        for (int candidate : order) {
            if (static_cast<int>(group.size()) >= enough) break;
            if (candidate == seed) continue;
            if (std::all_of(group.begin(), group.end(),
                            [&](int member) { return Apart(member, candidate); }))
                group.push_back(candidate);
        }
        return static_cast<int>(group.size());
    }

    int capacity_;
    std::vector<ColourSet> sets_;
    std::vector<int> labels_;
};

}  // namespace

int PinnedLabel(const BankProblem& problem, const ColourSet& set) {
    int label = -1;
    for (int b = 0; b < kBankCount; ++b) {
        if ((problem.pinned[b] & set).none()) continue;
        if (label >= 0) return kConflictingPins;
        label = b;
    }
    return label;
}

bool SetCanBePlaced(const BankProblem& problem, const ColourSet& set) {
    const int label = PinnedLabel(problem, set);
    if (label == kConflictingPins) return false;
    const ColourSet need = label >= 0 ? set | problem.pinned[label] : set;
    return Count(need) <= problem.capacity;
}

BankPacking PackFirstFit(const BankProblem& problem) {
    PackingBuilder builder(problem);
    std::vector<int> order(problem.sets.size());
    std::iota(order.begin(), order.end(), 0);
    for (int s : PinnedFirst(problem, order))
        builder.Place(s, [](const ColourSet&, const ColourSet&) { return 0L; });
    return builder.Take();
}

BankPacking PackBestFit(const BankProblem& problem) {
    PackingBuilder builder(problem);
    // Fewest new colours first; among equals the fuller bank, so room stays together.
    const auto score = [](const ColourSet& bank, const ColourSet& set) {
        const long added = Count(bank | set) - Count(bank);
        return added * (kColourIds + 1) - Count(bank);
    };
    for (int s : PinnedFirst(problem, LargestFirst(problem.sets))) builder.Place(s, score);
    return builder.Take();
}

std::vector<int> MaximalSets(const std::vector<ColourSet>& sets) {
    std::vector<int> kept;
    for (int s : LargestFirst(sets)) {
        const bool covered = std::any_of(kept.begin(), kept.end(), [&](int k) {
            return (sets[s] & ~sets[k]).none();
        });
        if (!covered) kept.push_back(s);
    }
    return kept;
}

bool PackingHolds(const BankProblem& problem, const BankPacking& packing) {
    const std::size_t banks = packing.banks.size();
    if (packing.labels.size() != banks || packing.bankOfSet.size() != problem.sets.size())
        return false;
    ColourSet allPins;
    for (const ColourSet& pins : problem.pinned) allPins |= pins;
    for (std::size_t b = 0; b < banks; ++b) {
        const int label = packing.labels[b];
        if (label >= kBankCount || label < -1) return false;
        const ColourSet own = label >= 0 ? problem.pinned[label] : ColourSet{};
        if (Count(packing.banks[b]) > problem.capacity || (own & ~packing.banks[b]).any() ||
            (packing.banks[b] & allPins & ~own).any())
            return false;
    }
    for (std::size_t s = 0; s < problem.sets.size(); ++s) {
        const ColourSet& set = problem.sets[s];
        if (set.none() || !SetCanBePlaced(problem, set)) continue;
        const int bank = packing.bankOfSet[s];
        if (bank < 0 || static_cast<std::size_t>(bank) >= banks) return false;
        const int label = PinnedLabel(problem, set);
        if ((set & ~packing.banks[bank]).any() || (label >= 0 && packing.labels[bank] != label))
            return false;
    }
    return true;
}

int BankLowerBound(const BankProblem& problem) {
    ColourSet all;
    std::vector<ColourSet> placeable;
    for (const ColourSet& set : problem.sets)
        if (SetCanBePlaced(problem, set) && set.any()) placeable.push_back(set);
    int pinnedBanks = 0;
    for (const ColourSet& pins : problem.pinned) {
        all |= pins;
        pinnedBanks += pins.any();
    }
    for (const ColourSet& set : placeable) all |= set;
    std::vector<ColourSet> maximal;
    for (int s : MaximalSets(placeable)) maximal.push_back(placeable[s]);
    const int byColours = (Count(all) + problem.capacity - 1) / std::max(1, problem.capacity);
    return std::max({byColours, pinnedBanks, ConflictGraph(problem, maximal).LargestApartGroup(kBankCount + 1)});
}

int BanksUsed(const BankPacking& packing) {
    return static_cast<int>(std::count_if(packing.banks.begin(), packing.banks.end(),
                                          [](const ColourSet& bank) { return bank.any(); }));
}

}  // namespace vorlin
