#include "export/reduce_tiles.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "export/export_job.h"
#include "export/tile_ops.h"

namespace vorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Tiles drawn from a few base patterns, flipped and moved between banks at
// random, so that every kind of match (and many symmetric tiles) occurs.
Bytes RandomTileSet(std::mt19937& rng, std::size_t count, int maxBases = 12) {
    const int bases = 1 + static_cast<int>(rng() % maxBases);
    const int values = 1 + static_cast<int>(rng() % 3);
    std::vector<Bytes> base(bases, Bytes(kTileBytes));
    for (Bytes& b : base)
        for (auto& p : b) p = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() % (values + 1) : 0);
    Bytes tiles;
    for (std::size_t t = 0; t < count; ++t) {
        Bytes tile(kTileBytes);
        OrientTile(base[rng() % bases].data(), rng() % 2 ? 7 : 0, rng() % 2 ? 7 : 0, tile.data());
        const std::uint8_t bank = static_cast<std::uint8_t>((rng() % 3) << 4);
        for (auto& p : tile) p = static_cast<std::uint8_t>(p | (p ? bank : 0));
        tiles.insert(tiles.end(), tile.begin(), tile.end());
    }
    return tiles;
}

TEST(ReduceTiles, IndexedSearchEqualsPairwiseFirstMatch) {
    // Many small sets, and a few large ones whose hundreds of unique tiles make
    // the index's table grow several times.
    struct Row {
        int rounds;
        std::size_t maxCount;
        int maxBases;
    };
    const Row rows[] = {{3000, 40, 12}, {8, 1500, 700}};
    std::mt19937 rng(2024);
    const std::uint32_t flagSets[] = {0, MAP_FLIP, MAP_PALBANK, MAP_FLIP | MAP_PALBANK};
    for (const Row& row : rows)
        for (int round = 0; round < row.rounds; ++round) {
            const std::size_t count = 1 + rng() % row.maxCount;
            const Bytes tiles = RandomTileSet(rng, count, row.maxBases);
            const std::uint32_t flags = flagSets[round % 4];
            const ReducedTiles fast = ReduceTiles(tiles.data(), count, flags);
            const ReducedTiles plain = ReduceTilesPairwise(tiles.data(), count, flags);
            ASSERT_EQ(fast.entries, plain.entries) << "round " << round << " of " << row.maxCount;
            ASSERT_EQ(fast.tiles, plain.tiles) << "round " << round << " of " << row.maxCount;
            ASSERT_EQ(fast.firstUse, plain.firstUse) << "round " << round << " of " << row.maxCount;
        }
}

std::size_t Kept(const Bytes& tiles, std::size_t count, std::uint32_t flags) {
    return ReduceTilesPairwise(tiles.data(), count, flags).tiles.size() / kTileBytes;
}

TEST(CountUniqueTiles, EqualsTheReductionsThreeWays) {
    std::mt19937 rng(99);
    for (int round = 0; round < 1000; ++round) {
        const std::size_t count = 1 + rng() % 40;
        const Bytes tiles = RandomTileSet(rng, count);
        const TileCounts counts = CountUniqueTiles(tiles.data(), count);
        ASSERT_EQ(counts.plain + !counts.blank, Kept(tiles, count, 0)) << round;
        ASSERT_EQ(counts.flips + !counts.blank, Kept(tiles, count, MAP_FLIP)) << round;
        ASSERT_EQ(counts.flipsBanks + !counts.blankInBanks,
                  Kept(tiles, count, MAP_FLIP | MAP_PALBANK))
            << round;
    }
}

TEST(ReduceTiles, EntriesRebuildTheSourceTiles) {
    std::mt19937 rng(77);
    const std::size_t count = 500;
    const Bytes tiles = RandomTileSet(rng, count);
    for (std::uint32_t flags : {0u, MAP_FLIP, MAP_FLIP | MAP_PALBANK}) {
        const ReducedTiles r = ReduceTiles(tiles.data(), count, flags);
        const std::uint8_t mask = (flags & MAP_PALBANK) ? 0x0F : 0xFF;
        for (std::size_t t = 0; t < count; ++t) {
            const std::uint16_t e = r.entries[t];
            const std::uint8_t* stored = &r.tiles[(e & kMapIndexMask) * kTileBytes];
            EXPECT_TRUE(TilesMatch(&tiles[t * kTileBytes], stored, (e & kMapHFlip) ? 7 : 0,
                                   (e & kMapVFlip) ? 7 : 0, mask))
                << t;
            if (flags & MAP_PALBANK) {
                EXPECT_EQ(e & kMapBankMask, TileBank(&tiles[t * kTileBytes]));
            }
        }
    }
}

TEST(ReduceTiles, MoreThan1024UniqueTilesWrapInTheMap) {
    Bytes tiles(1100 * kTileBytes, 0);
    for (std::size_t t = 0; t < 1100; ++t) {
        tiles[t * kTileBytes] = static_cast<std::uint8_t>(1 + t % 255);
        tiles[t * kTileBytes + 1] = static_cast<std::uint8_t>(t / 255);
    }
    const ReducedTiles r = ReduceTiles(tiles.data(), 1100, 0);
    EXPECT_EQ(r.tiles.size(), 1101u * kTileBytes);
    EXPECT_EQ(r.entries[1022], 1023);
    EXPECT_EQ(r.entries[1023], 0);
    EXPECT_EQ(r.entries[1099], 76);
    // Unique tile 1024 (entry 0 in the map) was first used by source tile 1023.
    ASSERT_EQ(r.firstUse.size(), 1100u);
    EXPECT_EQ(r.firstUse[1023], 1023u);
}

TEST(TileHelpers, BankOfTheFirstPixelWithLowBits) {
    Bytes tile(kTileBytes, 0x70);
    EXPECT_EQ(TileBank(tile.data()), 0);
    tile[10] = 0x31;
    tile[11] = 0x52;
    EXPECT_EQ(TileBank(tile.data()), 0x3000);
    EXPECT_TRUE(TilesMatch(tile.data(), tile.data(), 0, 0, 0xFF));
    Bytes other = tile;
    other[11] = 0x62;
    EXPECT_FALSE(TilesMatch(tile.data(), other.data(), 0, 0, 0xFF));
    EXPECT_TRUE(TilesMatch(tile.data(), other.data(), 0, 0, 0x0F));
}

}  // namespace
}  // namespace vorlin
