#include "palette/bank_arrange.h"

#include <gtest/gtest.h>

#include <string>

#include "support/bank_corpus.h"

namespace vorlin {
namespace {

using testing::CorpusPicture;
using testing::CorpusRecipe;
using testing::MakeCorpusPicture;

bool SameRgb(const RgbQuad& a, const RgbQuad& b) {
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

// Pixels whose colour changed, at most a few reported.
int ChangedPixels(const CorpusPicture& before, const BankArrangement& after) {
    int changed = 0;
    for (int y = 0; y < before.pixels.height; ++y)
        for (int x = 0; x < before.pixels.width; ++x) {
            const RgbQuad& was = before.palette[before.pixels.Row(y)[x]];
            const RgbQuad& now = after.palette[after.pixels.Row(y)[x]];
            if (!SameRgb(was, now) && changed++ < 3) ADD_FAILURE() << "pixel " << x << "," << y;
        }
    return changed;
}

// Tiles of the result whose indices span more than one bank.
int TilesAcrossBanks(const IndexSurface& pixels, int tileWidth, int tileHeight) {
    int across = 0;
    for (int top = 0; top < pixels.height; top += tileHeight)
        for (int left = 0; left < pixels.width; left += tileWidth) {
            int bank = -1;
            bool apart = false;
            for (int y = top; y < std::min(top + tileHeight, pixels.height); ++y)
                for (int x = left; x < std::min(left + tileWidth, pixels.width); ++x) {
                    const int b = pixels.Row(y)[x] / 16;
                    apart |= bank >= 0 && b != bank;
                    bank = b;
                }
            across += apart;
        }
    return across;
}

BankArrangement Arrange(const CorpusPicture& picture, const BankOptions& options) {
    return ArrangeBanks(picture.pixels, picture.palette.data(), options);
}

struct LookCase {
    std::string name;
    CorpusRecipe recipe;
    BankOptions options;
    int banks;
};

class ArrangeKeepsTheLook : public ::testing::TestWithParam<LookCase> {};

TEST_P(ArrangeKeepsTheLook, EveryPixelKeepsItsColourAndEveryTileOneBank) {
    const LookCase& c = GetParam();
    const CorpusPicture picture = MakeCorpusPicture(c.recipe);
    const BankArrangement result = Arrange(picture, c.options);
    ASSERT_EQ(result.status, BankStatus::Arranged);
    ASSERT_EQ(result.pixels.width, picture.pixels.width);
    ASSERT_EQ(result.pixels.height, picture.pixels.height);
    EXPECT_EQ(ChangedPixels(picture, result), 0);
    EXPECT_EQ(TilesAcrossBanks(result.pixels, c.options.tileWidth, c.options.tileHeight), 0);
    EXPECT_EQ(result.banks, c.banks);
    EXPECT_TRUE(result.misfits.empty());
}

BankOptions Options(int tile, bool sharedZero, int maxBanks = 16) {
    BankOptions o;
    o.tileWidth = o.tileHeight = tile;
    o.sharedZero = sharedZero;
    o.maxBanks = maxBanks;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    Corpora, ArrangeKeepsTheLook,
    ::testing::Values(
        LookCase{"FourGroups", {64, 64, 4, 15, 0, 4, 1}, Options(8, true), 4},
        LookCase{"SharedColours", {128, 64, 6, 15, 6, 3, 2}, Options(8, true), 6},
        LookCase{"SixteenFullBanksNoZero", {256, 128, 16, 16, 0, 0, 3}, Options(8, false), 16},
        LookCase{"CutEdgeTiles", {61, 43, 3, 15, 2, 5, 4}, Options(8, true), 3},
        LookCase{"ExactLimit", {64, 64, 5, 15, 0, 4, 5}, Options(8, true, 5), 5},
        LookCase{"TileGroups", {64, 64, 3, 16, 0, 0, 6, 16}, Options(16, false), 3}),
    [](const auto& info) { return info.param.name; });

TEST(ArrangeBanks, EveryBankInUseStartsWithColourZeroWhenShared) {
    const CorpusPicture picture = MakeCorpusPicture({64, 32, 3, 15, 0, 3, 7});
    const BankArrangement result = Arrange(picture, Options(8, true));
    ASSERT_EQ(result.status, BankStatus::Arranged);
    for (int y = 0; y < result.pixels.height; ++y)
        for (int x = 0; x < result.pixels.width; ++x) {
            const int first = result.pixels.Row(y)[x] / 16 * 16;
            ASSERT_TRUE(SameRgb(result.palette[first], picture.palette[0])) << x << "," << y;
        }
}

TEST(ArrangeBanks, EntriesOfOneColourAreOneColour) {
    // Sixteen distinct entries of which two carry the same colour: fifteen colours fit a bank.
    CorpusPicture picture;
    picture.pixels = IndexSurface(8, 8);
    for (int i = 0; i < 64; ++i) picture.pixels.Row(i / 8)[i % 8] = static_cast<std::uint8_t>(1 + i % 16);
    for (int i = 0; i < 256; ++i) picture.palette[i] = {static_cast<std::uint8_t>(i), 0, 0, 0};
    picture.palette[16] = picture.palette[3];
    const BankArrangement result = Arrange(picture, Options(8, true));
    ASSERT_EQ(result.status, BankStatus::Arranged);
    EXPECT_EQ(result.banks, 1);
    EXPECT_EQ(ChangedPixels(picture, result), 0);
}

// A 16 x 16 picture: tiles (0,0) and (8,8) use sixteen colours besides index 0.
CorpusPicture WithCrowdedTiles() {
    CorpusPicture picture = MakeCorpusPicture({16, 16, 2, 6, 0, 0, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            picture.pixels.Row(y)[x] = static_cast<std::uint8_t>(200 + (y * 8 + x) % 16);
            picture.pixels.Row(y + 8)[x + 8] = static_cast<std::uint8_t>(220 + (y * 8 + x) % 17);
        }
    return picture;
}

TEST(ArrangeBanks, CrowdedTilesAreReportedAndNothingIsBuilt) {
    const BankArrangement result = Arrange(WithCrowdedTiles(), Options(8, true));
    EXPECT_EQ(result.status, BankStatus::TilesDoNotFit);
    EXPECT_FALSE(ChangesPicture(result));
    EXPECT_TRUE(result.pixels.bits.empty());
    ASSERT_EQ(result.misfits.size(), 2u);
    EXPECT_EQ(result.misfits[0].x, 0);
    EXPECT_EQ(result.misfits[0].y, 0);
    EXPECT_EQ(result.misfits[0].colours, 16);
    EXPECT_EQ(result.misfits[1].x, 8);
    EXPECT_EQ(result.misfits[1].y, 8);
    EXPECT_EQ(result.misfits[1].colours, 17);
    EXPECT_FALSE(result.misfits[0].fixedApart);
}

TEST(ArrangeBanks, AcceptedPartialResultKeepsTheLookOfEveryTile) {
    const CorpusPicture picture = WithCrowdedTiles();
    BankOptions options = Options(8, true);
    options.acceptPartial = true;
    const BankArrangement result = Arrange(picture, options);
    ASSERT_EQ(result.status, BankStatus::Partial);
    EXPECT_EQ(result.misfits.size(), 2u);
    EXPECT_EQ(result.tiles, 2);
    EXPECT_EQ(ChangedPixels(picture, result), 0);
    EXPECT_EQ(TilesAcrossBanks(result.pixels, 8, 8), 2);  // the crowded ones, nothing else
}

struct LimitCase {
    std::string name;
    bool partial;
    BankStatus status;
    int banks, overLimit;
};

TEST(ArrangeBanks, BankLimit) {
    const CorpusPicture picture = MakeCorpusPicture({64, 64, 6, 15, 0, 4, 9});
    const LimitCase cases[] = {
        {"refused", false, BankStatus::TooManyBanks, 0, 0},
        {"partial", true, BankStatus::Partial, 4, -1},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        BankOptions options = Options(8, true, 4);
        options.acceptPartial = c.partial;
        const BankArrangement result = Arrange(picture, options);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.banksNeeded, 6);
        EXPECT_EQ(result.banks, c.banks);
        if (!c.partial) continue;
        EXPECT_GT(result.tilesOverLimit, 0);
        EXPECT_EQ(result.tiles + result.tilesOverLimit, 64);
        EXPECT_EQ(ChangedPixels(picture, result), 0);
    }
}

// An index no pixel uses, in `bank` and not its first entry.
int UnusedIndexIn(const CorpusPicture& picture, int bank) {
    for (int i = bank * 16 + 1; i < bank * 16 + 16; ++i) {
        bool used = false;
        for (int y = 0; y < picture.pixels.height && !used; ++y)
            for (int x = 0; x < picture.pixels.width && !used; ++x)
                used = picture.pixels.Row(y)[x] == i;
        if (!used) return i;
    }
    return -1;
}

TEST(ArrangeBanks, FixedEntriesKeepTheirPlaceAndPullTheirTilesIntoTheirBank) {
    const CorpusPicture picture = MakeCorpusPicture({64, 64, 4, 12, 0, 4, 10});
    int fixed = 0;
    for (int x = 0; x < 8 && fixed % 16 == 0; ++x) fixed = picture.pixels.Row(0)[x];
    const int unused = UnusedIndexIn(picture, (fixed / 16 + 5) % 16);
    ASSERT_GE(unused, 0);
    BankOptions options = Options(8, true);
    options.fixedIndices = {fixed, unused};
    const BankArrangement result = Arrange(picture, options);
    ASSERT_EQ(result.status, BankStatus::Arranged);
    EXPECT_EQ(ChangedPixels(picture, result), 0);
    EXPECT_TRUE(SameRgb(result.palette[fixed], picture.palette[fixed]));
    EXPECT_TRUE(SameRgb(result.palette[unused], picture.palette[unused]));
    EXPECT_EQ(result.pixels.Row(0)[0] / 16, fixed / 16);  // tile (0,0) uses the fixed colour
    EXPECT_EQ(TilesAcrossBanks(result.pixels, 8, 8), 0);
}

TEST(ArrangeBanks, FixedOptionsThatCannotWork) {
    CorpusPicture picture = MakeCorpusPicture({16, 8, 2, 6, 0, 4, 11});
    BankOptions options = Options(8, true);
    options.fixedIndices = {32};  // bank 2's transparent entry
    BankArrangement result = Arrange(picture, options);
    EXPECT_EQ(result.status, BankStatus::BadFixedIndex);
    EXPECT_EQ(result.badIndex, 32);
    // Tile (0,0) holding fixed colours of two banks cannot be placed.
    const int a = UnusedIndexIn(picture, 1), b = UnusedIndexIn(picture, 2);
    picture.pixels.Row(0)[0] = static_cast<std::uint8_t>(a);
    picture.pixels.Row(0)[1] = static_cast<std::uint8_t>(b);
    options.fixedIndices = {a, b};
    result = Arrange(picture, options);
    EXPECT_EQ(result.status, BankStatus::TilesDoNotFit);
    ASSERT_EQ(result.misfits.size(), 1u);
    EXPECT_TRUE(result.misfits[0].fixedApart);
}

bool HasColour(const BankArrangement& result, const RgbQuad& colour) {
    for (const RgbQuad& entry : result.palette)
        if (SameRgb(entry, colour)) return true;
    return false;
}

TEST(ArrangeBanks, UnusedColoursStayWhereThereIsRoom) {
    CorpusPicture picture = MakeCorpusPicture({32, 32, 2, 15, 0, 4, 12});
    // A full palette loses only as many unused colours as colour 0 needs extra copies.
    BankArrangement result = Arrange(picture, Options(8, true));
    ASSERT_EQ(result.status, BankStatus::Arranged);
    EXPECT_EQ(result.droppedColours, result.banks - 1);
    // A palette with room keeps every colour.
    for (int i = 100; i < 256; ++i) picture.palette[i] = picture.palette[0];
    result = Arrange(picture, Options(8, true));
    EXPECT_EQ(result.droppedColours, 0);
    for (int i = 0; i < 256; ++i) EXPECT_TRUE(HasColour(result, picture.palette[i])) << i;
}

struct AgainCase {
    std::string name;
    CorpusRecipe recipe;
    BankOptions options;
};

class ArrangeAgain : public ::testing::TestWithParam<AgainCase> {};

// Arranging a picture's own arrangement, over several seeds: never more banks, every pixel of
// the original keeps its colour, every tile stays in one bank.
TEST_P(ArrangeAgain, NeverNeedsMoreBanks) {
    const AgainCase& c = GetParam();
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CorpusRecipe recipe = c.recipe;
        recipe.seed = seed * 7919 + recipe.seed;
        const CorpusPicture picture = MakeCorpusPicture(recipe);
        const BankArrangement first = Arrange(picture, c.options);
        ASSERT_EQ(first.status, BankStatus::Arranged);
        const CorpusPicture once{first.pixels, first.palette};
        const BankArrangement second = Arrange(once, c.options);
        ASSERT_EQ(second.status, BankStatus::Arranged) << "first run: " << first.banks << " banks";
        EXPECT_LE(second.banks, first.banks);
        // The same banks again hold the same colours, so the unused ones still fit.
        if (second.banks == first.banks) {
            EXPECT_EQ(second.droppedColours, 0);
        }
        EXPECT_EQ(ChangedPixels(picture, second), 0);
        EXPECT_EQ(TilesAcrossBanks(second.pixels, c.options.tileWidth, c.options.tileHeight), 0);
    }
}

CorpusRecipe Loose(CorpusRecipe recipe) {
    recipe.wholeGroupTiles = false;
    return recipe;
}

INSTANTIATE_TEST_SUITE_P(
    Corpora, ArrangeAgain,
    ::testing::Values(
        AgainCase{"Transparent", {64, 64, 6, 15, 0, 4, 1}, Options(8, true)},
        AgainCase{"TransparentShared", {128, 64, 9, 15, 5, 3, 2}, Options(8, true)},
        AgainCase{"FifteenBanksLoose", Loose({256, 160, 15, 15, 4, 5, 3}), Options(8, true)},
        AgainCase{"NoZeroLoose", Loose({256, 128, 14, 16, 5, 0, 4}), Options(8, false)},
        AgainCase{"TileGroups", Loose({128, 64, 6, 14, 3, 6, 5, 16}), Options(16, true)}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vorlin
