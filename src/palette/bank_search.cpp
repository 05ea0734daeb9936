// Overload-and-remove: to save a bank, its sets move into the others even when that overfills
// them; an overfull bank then gives back the set whose removal frees most colours, and that set
// looks for a new bank in turn. A short tabu on (set, bank) keeps sets from bouncing back.
#include <algorithm>
#include <cstdint>
#include <deque>

#include "palette/bank_packing.h"

namespace vorlin {
namespace {

// The search's effort is bounded by moves, not time, so equal inputs give equal palettes:
// per attempt to empty a bank, victims tried per bank saved, and in all.
constexpr int kMinMovesPerAttempt = 1000;
constexpr int kMaxMovesPerAttempt = 4000;
constexpr int kVictimsPerRound = 8;
constexpr long kTotalMoves = 60000;
constexpr int kTabuTenure = 12;

struct SearchBank {
    std::array<std::uint16_t, kColourIds> uses{};
    ColourSet colours;
    ColourSet pins;
    std::vector<int> members;
    int label = -1;
};

class OverloadSearch {
  public:
    OverloadSearch(const BankProblem& problem, std::vector<ColourSet> sets, const BankPacking& start)
        : problem_(problem), sets_(std::move(sets)), tabuBank_(sets_.size(), -1),
          tabuUntil_(sets_.size(), 0) {
        for (const ColourSet& set : sets_) labels_.push_back(PinnedLabel(problem, set));
        for (std::size_t b = 0; b < start.banks.size(); ++b) {
            SearchBank bank;
            bank.label = start.labels[b];
            if (bank.label >= 0) bank.pins = problem.pinned[bank.label];
            bank.colours = bank.pins;
            banks_.push_back(bank);
        }
        for (std::size_t s = 0; s < sets_.size(); ++s)
            if (start.bankOfSet[s] != kNoBank) Add(static_cast<int>(s), start.bankOfSet[s]);
    }

    int BankCount() const { return static_cast<int>(banks_.size()); }

    // Tries to do with one bank less, emptying each free bank in turn; true when one worked.
    bool SaveOneBank() {
        std::vector<int> victims;
        for (int b = 0; b < BankCount(); ++b)
            if (banks_[b].label < 0) victims.push_back(b);
        std::stable_sort(victims.begin(), victims.end(), [&](int a, int b) {
            return banks_[a].members.size() < banks_[b].members.size();
        });
        if (victims.size() > kVictimsPerRound) victims.resize(kVictimsPerRound);
        for (int victim : victims) {
            if (movesLeft_ <= 0) return false;
            const std::vector<SearchBank> saved = banks_;
            if (Empty(victim)) return true;
            banks_ = saved;
        }
        return false;
    }

    BankPacking Result() const {
        BankPacking packing;
        for (const SearchBank& bank : banks_) {
            packing.banks.push_back(bank.colours);
            packing.labels.push_back(bank.label);
        }
        return packing;
    }

  private:
    bool Empty(int victim) {
        std::deque<int> pending(banks_[victim].members.begin(), banks_[victim].members.end());
        banks_.erase(banks_.begin() + victim);
        std::fill(tabuUntil_.begin(), tabuUntil_.end(), 0);
        const int moves = std::clamp(8 * static_cast<int>(sets_.size()), kMinMovesPerAttempt,
                                     kMaxMovesPerAttempt);
        for (int move = 1; move <= moves && movesLeft_ > 0; ++move, --movesLeft_) {
            if (pending.empty()) return true;
            const int set = pending.front();
            pending.pop_front();
            const int bank = InsertionBank(set, move);
            if (bank < 0) return false;
            Add(set, bank);
            while (Count(banks_[bank].colours) > problem_.capacity) {
                const int evicted = EvictionFrom(bank, set);
                Remove(evicted, bank);
                tabuBank_[evicted] = bank;
                tabuUntil_[evicted] = move + kTabuTenure;
                pending.push_back(evicted);
            }
        }
        return pending.empty();
    }

    // The bank the set overfills least, then grows least; its label decides for pinned sets.
    int InsertionBank(int set, int move) {
        const int label = labels_[set];
        int best = -1;
        long bestScore = 0;
        for (int b = 0; b < BankCount(); ++b) {
            if (label >= 0 && banks_[b].label != label) continue;
            if (tabuBank_[set] == b && tabuUntil_[set] > move) continue;
            const int size = Count(banks_[b].colours | sets_[set]);
            const long score = static_cast<long>(std::max(0, size - problem_.capacity)) * 1024 +
                               (size - Count(banks_[b].colours)) * 16 + Noise() % 16;
            if (best < 0 || score < bestScore) best = b, bestScore = score;
        }
        return best;
    }

    // The member whose removal frees most colours and which is cheapest to place elsewhere; the
    // set just inserted only when nothing else can go. Pinned sets never leave their bank.
    int EvictionFrom(int bank, int inserted) {
        ColourSet single;
        for (int c = 0; c < kColourIds; ++c)
            if (banks_[bank].uses[c] == 1) single.set(c);
        single &= ~banks_[bank].pins;
        int best = inserted;
        long bestScore = 0;
        for (int member : banks_[bank].members) {
            if (member == inserted || labels_[member] >= 0) continue;
            const long score = Count(sets_[member] & single) * 64 - CheapestElsewhere(member, bank) * 16 +
                               Noise() % 16;
            if (best == inserted || score > bestScore) best = member, bestScore = score;
        }
        return best;
    }

    int CheapestElsewhere(int set, int bank) const {
        int cheapest = kColourIds;
        for (int b = 0; b < BankCount(); ++b)
            if (b != bank)
                cheapest = std::min(cheapest,
                                    Count(banks_[b].colours | sets_[set]) - Count(banks_[b].colours));
        return cheapest;
    }

    void Add(int set, int bank) {
        SearchBank& target = banks_[bank];
        for (int c = 0; c < kColourIds; ++c)
            if (sets_[set][c]) ++target.uses[c];
        target.colours |= sets_[set];
        target.members.push_back(set);
    }

    void Remove(int set, int bank) {
        SearchBank& source = banks_[bank];
        for (int c = 0; c < kColourIds; ++c)
            if (sets_[set][c] && --source.uses[c] == 0 && !source.pins[c]) source.colours.reset(c);
        source.members.erase(std::find(source.members.begin(), source.members.end(), set));
    }

    // Deterministic tie-breaking, so equal inputs give equal palettes.
    std::uint32_t Noise() {
        seed_ ^= seed_ << 13;
        seed_ ^= seed_ >> 17;
        seed_ ^= seed_ << 5;
        return seed_;
    }

    const BankProblem& problem_;
    std::vector<ColourSet> sets_;
    std::vector<int> labels_;
    std::vector<SearchBank> banks_;
    std::vector<int> tabuBank_;
    std::vector<int> tabuUntil_;
    std::uint32_t seed_ = 2463534242u;
    long movesLeft_ = kTotalMoves;
};

// Places every set of the problem in a bank of the packing that already holds all its colours.
BankPacking Expand(const BankProblem& problem, BankPacking packing) {
    packing.bankOfSet.assign(problem.sets.size(), kNoBank);
    for (std::size_t s = 0; s < problem.sets.size(); ++s) {
        const ColourSet& set = problem.sets[s];
        if (!SetCanBePlaced(problem, set)) continue;
        if (packing.banks.empty()) {  // only colourless sets: they still need a bank number
            packing.banks.emplace_back();
            packing.labels.push_back(-1);
        }
        const int label = PinnedLabel(problem, set);
        for (std::size_t b = 0; b < packing.banks.size(); ++b) {
            if ((label < 0 || packing.labels[b] == label) && (set & ~packing.banks[b]).none()) {
                packing.bankOfSet[s] = static_cast<int>(b);
                break;
            }
        }
    }
    return packing;
}

// Saves banks from `start` (a packing of the core sets) until the bound or the search gives up.
BankPacking Searched(const BankProblem& core, const BankPacking& start, int bound) {
    OverloadSearch search(core, core.sets, start);
    while (search.BankCount() > bound && search.SaveOneBank()) {
    }
    return search.Result();
}

// A packing of all the problem's sets as a packing of the core sets, `origin` naming each
// core set's place among them.
BankPacking OnCoreSets(const BankPacking& packing, const std::vector<int>& origin) {
    BankPacking core;
    core.banks = packing.banks;
    core.labels = packing.labels;
    for (int s : origin) core.bankOfSet.push_back(packing.bankOfSet[s]);
    return core;
}

}  // namespace

BankPacking PackBanks(const BankProblem& problem, const BankPacking* start) {
    BankProblem core = problem;
    core.sets.clear();
    std::vector<int> placeable;
    std::vector<ColourSet> placeableSets;
    for (std::size_t s = 0; s < problem.sets.size(); ++s) {
        if (!SetCanBePlaced(problem, problem.sets[s]) || problem.sets[s].none()) continue;
        placeable.push_back(static_cast<int>(s));
        placeableSets.push_back(problem.sets[s]);
    }
    std::vector<int> origin;
    for (int k : MaximalSets(placeableSets)) {
        origin.push_back(placeable[k]);
        core.sets.push_back(placeableSets[k]);
    }

    const int bound = BankLowerBound(core);
    BankPacking searched = PackBestFit(core);
    // Past 16 banks no arrangement fits: saving a few of them would change only the count a
    // refusal names, while each move of the search costs time in proportion to the banks,
    // thousands for a picture of noise.
    if (bound <= kBankCount) {
        searched = Searched(core, searched, bound);
        if (start && PackingHolds(problem, *start)) {
            BankPacking improved = Searched(core, OnCoreSets(*start, origin), bound);
            if (BanksUsed(improved) <= BanksUsed(searched)) searched = std::move(improved);
        }
    }
    BankPacking packed = Expand(problem, searched);
    BankPacking firstFit = PackFirstFit(problem);
    const auto placed = [](const BankPacking& p) {
        return std::count_if(p.bankOfSet.begin(), p.bankOfSet.end(),
                             [](int b) { return b != kNoBank; });
    };
    // Pinned banks can crowd out differently; keep whichever places more, then uses fewer banks.
    if (placed(firstFit) > placed(packed) ||
        (placed(firstFit) == placed(packed) && BanksUsed(firstFit) < BanksUsed(packed)))
        return firstFit;
    return packed;
}

}  // namespace vorlin
