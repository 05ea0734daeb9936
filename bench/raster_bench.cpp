// Flood fill of an open 4096 x 4096 area against a solid fill of the same area.
// Each iteration fills with the other of two indices, so every pass does the full work.
#include <benchmark/benchmark.h>

#include "core/raster.h"

namespace {

constexpr int kSide = 4096;

void BM_SolidFill(benchmark::State& state) {
    vorlin::IndexSurface s(kSide, kSide);
    std::uint8_t index = 1;
    for (auto _ : state) {
        vorlin::FillRect(vorlin::ViewOf(s), {0, 0, kSide, kSide}, index);
        index ^= 3;
        benchmark::DoNotOptimize(s.bits.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kSide} * kSide);
}

void BM_FloodFillSurface(benchmark::State& state) {
    vorlin::IndexSurface s(kSide, kSide);
    std::uint8_t index = 1;
    for (auto _ : state) {
        vorlin::FloodFillSurface(vorlin::ViewOf(s), {kSide / 2, kSide / 2}, index);
        index = index == 1 ? 2 : 1;
        benchmark::DoNotOptimize(s.bits.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kSide} * kSide);
}

void BM_FloodFillBorder(benchmark::State& state) {
    // The CTRL fill: border and fill index are the same button colour.
    vorlin::IndexSurface s(kSide, kSide);
    std::uint8_t index = 1;
    for (auto _ : state) {
        vorlin::FloodFillBorder(vorlin::ViewOf(s), {kSide / 2, kSide / 2}, index, index);
        index = index == 1 ? 2 : 1;
        benchmark::DoNotOptimize(s.bits.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kSide} * kSide);
}

}  // namespace

BENCHMARK(BM_SolidFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillSurface)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillBorder)->Unit(benchmark::kMillisecond);
