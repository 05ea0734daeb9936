// Packing the colour sets of tiles into 16-colour palette banks: every set must lie whole in
// one bank, a colour may be copied into several banks, and as few banks as possible are used.
// Pure set arithmetic; the picture side lives in bank_arrange.
#pragma once

#include <array>
#include <bitset>
#include <vector>

namespace vorlin {

inline constexpr int kBankCount = 16;
inline constexpr int kBankSlots = 16;
inline constexpr int kColourIds = 256;

using ColourSet = std::bitset<kColourIds>;

inline int Count(const ColourSet& set) {
    return static_cast<int>(set.count());
}

struct BankProblem {
    std::vector<ColourSet> sets;  // one per tile
    int capacity = kBankSlots;    // colours a bank can hold
    // Colours that must stay in a given bank (entries kept at their index); a set holding one
    // of them can only go to that bank.
    std::array<ColourSet, kBankCount> pinned{};
};

inline constexpr int kNoBank = -1;

struct BankPacking {
    std::vector<int> bankOfSet;      // index into banks; kNoBank when the set fits no bank
    std::vector<ColourSet> banks;    // the colours each bank holds
    std::vector<int> labels;         // per bank: the bank number its pinned colours need, or -1
};

// The bank number a set's pinned colours require: -1 for none, kConflictingPins when they
// belong to different banks.
inline constexpr int kConflictingPins = -2;
int PinnedLabel(const BankProblem& problem, const ColourSet& set);
// Whether a set can be placed at all: not larger than a bank, pins agree, and when pinned it
// fits beside its bank's pinned colours.
bool SetCanBePlaced(const BankProblem& problem, const ColourSet& set);

// Baseline: sets in their given order, each into the first bank that can take it.
BankPacking PackFirstFit(const BankProblem& problem);
// Sets largest first, each into the bank it adds the fewest colours to (banks share most).
BankPacking PackBestFit(const BankProblem& problem);
// Identical sets and sets contained in another set need no place of their own: the indices of
// the sets left, largest first.
std::vector<int> MaximalSets(const std::vector<ColourSet>& sets);
// Whether the packing places every set that can be placed (colourless ones aside) in a bank
// that holds all its colours and its pinned label's pins, with no bank over capacity.
bool PackingHolds(const BankProblem& problem, const BankPacking& packing);
// The best-fit packing improved by overload-and-remove: a bank is emptied into the others,
// overfull banks give back the sets that free most colours, until all fit or the search gives
// up. Never uses more banks than best fit or first fit, nor than `start` when that holds (the
// search then also improves on it, and keeps it on a tie).
BankPacking PackBanks(const BankProblem& problem, const BankPacking* start = nullptr);

// Banks no packing can go below: the larger of the colours divided by the capacity and the
// largest group found of distinct sets no two of which fit in one bank. That group is counted
// up to kBankCount + 1 only: past it no arrangement fits, whatever the exact figure.
int BankLowerBound(const BankProblem& problem);
// Banks a packing uses that hold at least one colour.
int BanksUsed(const BankPacking& packing);

}  // namespace vorlin
