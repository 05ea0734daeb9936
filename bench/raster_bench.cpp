// Flood fill of an open 4096 x 4096 area against a solid fill of the same area.
// Each iteration fills with the other of two indices, so every pass does the full work.
#include <benchmark/benchmark.h>

#include "core/raster.h"

namespace {

constexpr int kSide = 4096;

// Runs `fill(view, index)` on one open area, alternating between indices 1 and 2.
template <class Fill>
void RunFills(benchmark::State& state, Fill fill) {
    vorlin::IndexSurface s(kSide, kSide);
    std::uint8_t index = 1;
    for (auto _ : state) {
        fill(vorlin::ViewOf(s), index);
        index = index == 1 ? 2 : 1;
        benchmark::DoNotOptimize(s.bits.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kSide} * kSide);
}

constexpr vorlin::IPoint kSeed{kSide / 2, kSide / 2};

void BM_SolidFill(benchmark::State& state) {
    RunFills(state, [](vorlin::IndexView v, std::uint8_t index) {
        vorlin::FillRect(v, {0, 0, kSide, kSide}, index);
    });
}

void BM_FloodFillSurface(benchmark::State& state) {
    RunFills(state, [](vorlin::IndexView v, std::uint8_t index) {
        vorlin::FloodFillSurface(v, kSeed, index);
    });
}

// The CTRL fill: border and fill index are the same button colour.
void BM_FloodFillBorder(benchmark::State& state) {
    RunFills(state, [](vorlin::IndexView v, std::uint8_t index) {
        vorlin::FloodFillBorder(v, kSeed, index, index);
    });
}

}  // namespace

BENCHMARK(BM_SolidFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillSurface)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillBorder)->Unit(benchmark::kMillisecond);
