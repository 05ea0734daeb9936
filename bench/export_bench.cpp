// Export engine figures: tile reduction (indexed against the pairwise
// reference), the one-pass tile counts against three reductions, and the
// compressors on a megabyte of tile data, the smallest LZ77 parse against the
// greedy one on background and sprite tiles.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "export/compress.h"
#include "export/export_job.h"
#include "export/reduce_tiles.h"
#include "export/tile_ops.h"

namespace vorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kTiles = 16384;  // a 1024 x 1024 picture
constexpr std::uint32_t kReduceFlags = MAP_FLIP | MAP_PALBANK;

// Tiles drawn from about 4000 patterns of short colour runs, each placed
// flipped and in a bank at random, like a large tiled background.
const Bytes& TileData() {
    static const Bytes data = [] {
        std::mt19937 rng(42);
        std::vector<Bytes> patterns(4000, Bytes(kTileBytes));
        for (Bytes& p : patterns)
            for (int i = 0; i < kTileBytes;) {
                const std::uint8_t colour = static_cast<std::uint8_t>(rng() % 16);
                for (int run = 1 + rng() % 4; run > 0 && i < kTileBytes; --run) p[i++] = colour;
            }
        Bytes tiles;
        tiles.reserve(kTiles * kTileBytes);
        Bytes tile(kTileBytes);
        for (std::size_t t = 0; t < kTiles; ++t) {
            OrientTile(patterns[rng() % patterns.size()].data(), rng() % 2 ? 7 : 0,
                       rng() % 2 ? 7 : 0, tile.data());
            const std::uint8_t bank = static_cast<std::uint8_t>((rng() % 4) << 4);
            for (std::uint8_t p : tile)
                tiles.push_back(p ? static_cast<std::uint8_t>(p | bank) : 0);
        }
        return tiles;
    }();
    return data;
}

void ReportTiles(benchmark::State& state, const ReducedTiles& r) {
    state.counters["unique"] = static_cast<double>(r.tiles.size() / kTileBytes);
}

void BM_ReduceTilesIndexed(benchmark::State& state) {
    const Bytes& tiles = TileData();
    ReducedTiles r;
    for (auto _ : state) {
        r = ReduceTiles(tiles.data(), kTiles, kReduceFlags);
        benchmark::DoNotOptimize(r.entries.data());
    }
    ReportTiles(state, r);
    const ReducedTiles reference = ReduceTilesPairwise(tiles.data(), kTiles, kReduceFlags);
    if (reference.entries != r.entries || reference.tiles != r.tiles)
        state.SkipWithError("indexed reduction differs from the pairwise reference");
}
BENCHMARK(BM_ReduceTilesIndexed)->Unit(benchmark::kMillisecond);

void BM_ReduceTilesPairwise(benchmark::State& state) {
    const Bytes& tiles = TileData();
    ReducedTiles r;
    for (auto _ : state) {
        r = ReduceTilesPairwise(tiles.data(), kTiles, kReduceFlags);
        benchmark::DoNotOptimize(r.entries.data());
    }
    ReportTiles(state, r);
}
BENCHMARK(BM_ReduceTilesPairwise)->Unit(benchmark::kMillisecond)->Iterations(1);

// What info reports, the way it used to be found: one reduction per way of counting.
void BM_UniqueTilesThreeReductions(benchmark::State& state) {
    const Bytes& tiles = TileData();
    for (auto _ : state)
        for (std::uint32_t flags : {0u, MAP_FLIP, MAP_FLIP | MAP_PALBANK})
            benchmark::DoNotOptimize(ReduceTiles(tiles.data(), kTiles, flags).tiles.size());
}
BENCHMARK(BM_UniqueTilesThreeReductions)->Unit(benchmark::kMillisecond);

void BM_UniqueTilesOnePass(benchmark::State& state) {
    const Bytes& tiles = TileData();
    for (auto _ : state) benchmark::DoNotOptimize(CountUniqueTiles(tiles.data(), kTiles));
}
BENCHMARK(BM_UniqueTilesOnePass)->Unit(benchmark::kMillisecond);

// 8-bpp sprite tiles: shaded discs of a few colours on index 0, 16 x 16 each.
const Bytes& SpriteData() {
    static const Bytes data = [] {
        std::mt19937 rng(7);
        Bytes out;
        for (int s = 0; s < 1024; ++s) {
            const int cx = static_cast<int>(rng() % 16), cy = static_cast<int>(rng() % 16);
            const int r = 3 + static_cast<int>(rng() % 6), base = 16 * static_cast<int>(rng() % 4);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                    out.push_back(static_cast<std::uint8_t>(
                        d2 > r * r ? 0 : base + 1 + d2 * 6 / (r * r + 1)));
                }
        }
        return out;
    }();
    return data;
}

template <typename Compressor>
void RunCompressor(benchmark::State& state, const Bytes& in, Compressor compress) {
    Bytes out;
    for (auto _ : state) {
        out = compress(in);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
    state.counters["ratio"] = static_cast<double>(out.size()) / static_cast<double>(in.size());
}

void BM_Lz77Compress(benchmark::State& state) {
    RunCompressor(state, TileData(),
                  [](const Bytes& b) { return Lz77Compress(b.data(), b.size()); });
}
BENCHMARK(BM_Lz77Compress)->Unit(benchmark::kMillisecond);

// One long run: every tree walk meets its 18-byte match at once.
void BM_Lz77CompressOneByteRun(benchmark::State& state) {
    const Bytes zeros(1 << 20, 0);
    RunCompressor(state, zeros, [](const Bytes& b) { return Lz77Compress(b.data(), b.size()); });
}
BENCHMARK(BM_Lz77CompressOneByteRun)->Unit(benchmark::kMillisecond);

// The smallest parse, with its size against the greedy coder's on the same bytes.
void RunSmallest(benchmark::State& state, const Bytes& in) {
    RunCompressor(state, in,
                  [](const Bytes& b) { return Lz77CompressSmallest(b.data(), b.size()); });
    const double greedy = static_cast<double>(Lz77Compress(in.data(), in.size()).size());
    const double smallest = static_cast<double>(Lz77CompressSmallest(in.data(), in.size()).size());
    state.counters["greedy_over_smallest"] = greedy / smallest;
}

void BM_Lz77CompressSmallest(benchmark::State& state) {
    RunSmallest(state, TileData());
}
BENCHMARK(BM_Lz77CompressSmallest)->Unit(benchmark::kMillisecond);

void BM_Lz77CompressSprites(benchmark::State& state) {
    RunCompressor(state, SpriteData(),
                  [](const Bytes& b) { return Lz77Compress(b.data(), b.size()); });
}
BENCHMARK(BM_Lz77CompressSprites)->Unit(benchmark::kMillisecond);

void BM_Lz77CompressSmallestSprites(benchmark::State& state) {
    RunSmallest(state, SpriteData());
}
BENCHMARK(BM_Lz77CompressSmallestSprites)->Unit(benchmark::kMillisecond);

void BM_HuffCompress(benchmark::State& state) {
    RunCompressor(state, TileData(),
                  [](const Bytes& b) { return HuffCompress(b.data(), b.size(), 8); });
}
BENCHMARK(BM_HuffCompress)->Unit(benchmark::kMillisecond);

void BM_RleCompress(benchmark::State& state) {
    RunCompressor(state, TileData(),
                  [](const Bytes& b) { return RleCompress(b.data(), b.size()); });
}
BENCHMARK(BM_RleCompress)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
