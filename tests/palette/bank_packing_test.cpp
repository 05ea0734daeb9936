#include "palette/bank_packing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>

namespace vorlin {
namespace {

ColourSet Set(std::initializer_list<int> colours) {
    ColourSet set;
    for (int c : colours) set.set(c);
    return set;
}

ColourSet Range(int first, int count) {
    ColourSet set;
    for (int c = first; c < first + count; ++c) set.set(c);
    return set;
}

// k groups of `size` colours; the first `shared` colours are common to all groups. Sets are
// one whole group each, then random parts of random groups.
BankProblem Groups(int k, int size, int shared, int parts, std::uint32_t seed, int capacity) {
    std::mt19937 rng(seed);
    std::vector<std::vector<int>> groups(k);
    for (int g = 0; g < k; ++g) {
        for (int c = 0; c < shared; ++c) groups[g].push_back(c);
        for (int c = shared; c < size; ++c) groups[g].push_back(shared + g * (size - shared) + c - shared);
    }
    BankProblem problem;
    problem.capacity = capacity;
    for (int n = 0; n < parts; ++n) {
        std::vector<int> g = groups[rng() % k];
        std::shuffle(g.begin(), g.end(), rng);
        g.resize(1 + rng() % g.size());
        ColourSet set;
        for (int c : g) set.set(c);
        problem.sets.push_back(set);
    }
    for (int g = 0; g < k; ++g) {
        ColourSet whole;
        for (int c : groups[g]) whole.set(c);
        problem.sets.push_back(whole);
    }
    return problem;
}

// What every packing must satisfy: each placed set lies in its bank, no bank is overfull,
// pinned colours sit only in their bank and only a set that cannot be placed is left out.
void ExpectValid(const BankProblem& problem, const BankPacking& packing) {
    ASSERT_EQ(packing.bankOfSet.size(), problem.sets.size());
    ASSERT_EQ(packing.labels.size(), packing.banks.size());
    for (const ColourSet& bank : packing.banks)
        EXPECT_LE(static_cast<int>(bank.count()), problem.capacity);
    for (std::size_t s = 0; s < problem.sets.size(); ++s) {
        const int bank = packing.bankOfSet[s];
        if (bank == kNoBank) {
            EXPECT_FALSE(SetCanBePlaced(problem, problem.sets[s])) << s;
            continue;
        }
        EXPECT_TRUE((problem.sets[s] & ~packing.banks[bank]).none()) << "set " << s;
        const int label = PinnedLabel(problem, problem.sets[s]);
        if (label >= 0) {
            EXPECT_EQ(packing.labels[bank], label) << "set " << s;
        }
    }
    for (std::size_t b = 0; b < packing.banks.size(); ++b)
        for (int l = 0; l < kBankCount; ++l)
            if (l != packing.labels[b]) {
                EXPECT_TRUE((packing.banks[b] & problem.pinned[l]).none());
            }
}

struct KnownCase {
    std::string name;
    int k, size, shared, parts, capacity;
};

class KnownBankCount : public ::testing::TestWithParam<KnownCase> {};

TEST_P(KnownBankCount, SearchFindsTheKnownCountAndTheBoundMatches) {
    const KnownCase& c = GetParam();
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        const BankProblem problem = Groups(c.k, c.size, c.shared, c.parts, seed, c.capacity);
        const BankPacking packed = PackBanks(problem);
        ExpectValid(problem, packed);
        EXPECT_EQ(BanksUsed(packed), c.k);
        EXPECT_EQ(BankLowerBound(problem), c.k);
        const BankPacking firstFit = PackFirstFit(problem);
        ExpectValid(problem, firstFit);
        EXPECT_GE(BanksUsed(firstFit), c.k);
        ExpectValid(problem, PackBestFit(problem));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpora, KnownBankCount,
    ::testing::Values(KnownCase{"OneGroup", 1, 15, 0, 40, 15},
                      KnownCase{"DisjointFull", 6, 15, 0, 200, 15},
                      KnownCase{"DisjointSixteen", 16, 16, 0, 1000, 16},
                      KnownCase{"SharedColoursCopied", 8, 15, 5, 300, 15},
                      KnownCase{"MostlyShared", 12, 15, 12, 400, 15},
                      KnownCase{"SmallBanks", 10, 4, 1, 120, 4}),
    [](const auto& info) { return info.param.name; });

// Triples of colours 0 … 14 taken in order whenever they share at most one colour with every
// triple taken before: 35 triples, no two of which fit in a bank of 4.
std::vector<ColourSet> TriplesSharingAtMostOne() {
    std::vector<ColourSet> triples;
    for (int a = 0; a < 15; ++a)
        for (int b = a + 1; b < 15; ++b)
            for (int c = b + 1; c < 15; ++c) {
                const ColourSet t = Set({a, b, c});
                if (std::all_of(triples.begin(), triples.end(),
                                [&](const ColourSet& u) { return (t & u).count() <= 1; }))
                    triples.push_back(t);
            }
    return triples;
}

struct SmallCase {
    std::string name;
    std::vector<ColourSet> sets;
    int firstFit, search, bound;
};

TEST(BankPacking, SmallCasesAgainstFirstFitAndTheBound) {
    // Capacity 4. Parts of two groups that arrive first fill a bank together under first fit,
    // so the whole groups then need banks of their own.
    const SmallCase cases[] = {
        {"parts first", {Set({0, 1}), Set({4, 5}), Set({2, 6}), Set({0, 1, 2, 3}), Set({4, 5, 6, 7})},
         4, 3, 3},
        {"a mixed set needs its own bank", {Set({0, 4}), Set({1, 5}), Set({0, 1, 2, 3}), Set({4, 5, 6, 7})},
         3, 3, 3},
        {"every pair too large for one bank",
         {Set({0, 1, 2}), Set({0, 3, 4}), Set({0, 5, 6}), Set({1, 3, 5}), Set({2, 4, 6})}, 5, 5, 5},
        {"all in one", {Set({0}), Set({1}), Set({2}), Set({3}), Set({0, 1})}, 1, 1, 1},
        // More sets apart than any arrangement has banks: the bound stops counting past 16.
        {"more sets apart than banks exist", TriplesSharingAtMostOne(), 35, 35, kBankCount + 1},
    };
    for (const SmallCase& c : cases) {
        SCOPED_TRACE(c.name);
        BankProblem problem;
        problem.capacity = 4;
        problem.sets = c.sets;
        const BankPacking firstFit = PackFirstFit(problem), search = PackBanks(problem);
        ExpectValid(problem, firstFit);
        ExpectValid(problem, search);
        EXPECT_EQ(BanksUsed(firstFit), c.firstFit);
        EXPECT_EQ(BanksUsed(search), c.search);
        EXPECT_EQ(BankLowerBound(problem), c.bound);
    }
}

struct UnplaceableCase {
    std::string name;
    ColourSet set;
    int capacity;
    bool placeable;
};

TEST(BankPacking, SetsThatCannotBePlacedAreLeftOutAndTheRestPacked) {
    BankProblem pins;
    pins.pinned[2] = Set({100, 101});
    pins.pinned[5] = Set({102});
    const UnplaceableCase cases[] = {
        {"fits exactly", Range(0, 15), 15, true},
        {"one colour too many", Range(0, 16), 15, false},
        {"sixteen without shared zero", Range(0, 16), 16, true},
        {"pins of two banks", Set({1, 100, 102}), 15, false},
        {"pin crowded by its bank's other pins", Range(0, 14) | Set({100}), 15, false},
        {"pin with room", Range(0, 13) | Set({100}), 15, true},
    };
    for (const UnplaceableCase& c : cases) {
        SCOPED_TRACE(c.name);
        BankProblem problem = pins;
        problem.capacity = c.capacity;
        problem.sets = {Set({1, 2}), c.set, Set({3})};
        EXPECT_EQ(SetCanBePlaced(problem, c.set), c.placeable);
        for (const BankPacking& packing : {PackFirstFit(problem), PackBanks(problem)}) {
            ExpectValid(problem, packing);
            EXPECT_EQ(packing.bankOfSet[1] != kNoBank, c.placeable);
            EXPECT_NE(packing.bankOfSet[0], kNoBank);
            EXPECT_NE(packing.bankOfSet[2], kNoBank);
        }
    }
}

TEST(BankPacking, PinnedSetsGoToTheirBankBeforeFreeSetsFillIt) {
    BankProblem problem;
    problem.capacity = 4;
    problem.pinned[3] = Set({50});
    // A free set that would fill bank 3 comes first; the pinned set must still get in.
    problem.sets = {Set({1, 2, 3}), Set({50, 7, 8, 9})};
    for (const BankPacking& packing : {PackFirstFit(problem), PackBanks(problem)}) {
        ExpectValid(problem, packing);
        ASSERT_NE(packing.bankOfSet[1], kNoBank);
        EXPECT_EQ(packing.labels[packing.bankOfSet[1]], 3);
    }
}

TEST(BankPacking, ColourlessSetsStillGetABank) {
    BankProblem problem;
    problem.sets = {ColourSet{}, ColourSet{}};
    for (const BankPacking& packing : {PackFirstFit(problem), PackBanks(problem)}) {
        EXPECT_NE(packing.bankOfSet[0], kNoBank);
        EXPECT_EQ(BanksUsed(packing), 0);
    }
    EXPECT_EQ(BankLowerBound(problem), 0);
}

TEST(BankPacking, MaximalSetsDropDuplicatesAndContainedSets) {
    const std::vector<ColourSet> sets = {Set({1, 2}), Set({1, 2, 3}), Set({1, 2}), Set({4}),
                                         Set({3, 4})};
    EXPECT_EQ(MaximalSets(sets), (std::vector<int>{1, 4}));
}


struct StartCase {
    std::string name;
    std::vector<ColourSet> banks;
    std::vector<int> labels, bankOfSet;
    bool holds;
    int banksUsed;  // by the result of PackBanks given this start
};

// A start is taken only when it is a whole, valid packing; one that holds is never beaten and
// is kept on a tie, one that does not is ignored rather than trusted.
TEST(BankPacking, AStartIsTakenOnlyWhenItHolds) {
    BankProblem problem;
    problem.capacity = 4;
    problem.pinned[2] = Set({50});
    problem.sets = {Set({0, 1}), Set({2, 3}), Set({4, 5}), Set({50, 6}), ColourSet{}};
    const ColourSet ab = Set({0, 1, 2, 3}), c = Set({4, 5}), d = Set({50, 6});
    const StartCase cases[] = {
        {"valid, beaten by the search", {ab, c, d}, {-1, -1, 2}, {0, 0, 1, 2, kNoBank}, true, 2},
        {"valid, kept on a tie", {Set({50, 6, 2, 3}), Set({0, 1, 4, 5})}, {2, -1}, {1, 0, 1, 0, 0}, true, 2},
        {"set outside its bank", {ab, c, d}, {-1, -1, 2}, {0, 1, 1, 2, 0}, false, 2},
        {"set without a bank", {ab, c, d}, {-1, -1, 2}, {0, 0, kNoBank, 2, 0}, false, 2},
        {"overfull bank", {ab | c, d}, {-1, 2}, {0, 0, 0, 1, 0}, false, 2},
        {"pinned set in a free bank", {ab, c, d}, {-1, -1, -1}, {0, 0, 1, 2, 0}, false, 2},
        {"bank lacks its pins", {ab, c, Set({6})}, {-1, -1, 2}, {0, 0, 1, 2, 0}, false, 2},
        {"bank number out of range", {ab, c, d}, {-1, -1, 16}, {0, 0, 1, 2, 0}, false, 2},
        {"a set too few", {ab, c, d}, {-1, -1, 2}, {0, 0, 1, 2}, false, 2},
    };
    for (const StartCase& k : cases) {
        SCOPED_TRACE(k.name);
        BankPacking start;
        start.banks = k.banks;
        start.labels = k.labels;
        start.bankOfSet = k.bankOfSet;
        EXPECT_EQ(PackingHolds(problem, start), k.holds);
        const BankPacking packed = PackBanks(problem, &start);
        ExpectValid(problem, packed);
        EXPECT_EQ(BanksUsed(packed), k.banksUsed);
        if (k.holds && k.banksUsed == BanksUsed(start)) {
            EXPECT_EQ(packed.banks, start.banks);
        }
    }
}

}  // namespace
}  // namespace vorlin
