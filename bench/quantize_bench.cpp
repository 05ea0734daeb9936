// Colour reduction of photographs: the refined ("best") reduction against the fast
// one on the same pictures, with the mean squared error of each.
#include <benchmark/benchmark.h>

#include "core/palette_refine.h"
#include "core/quantize.h"
#include "support/synthetic_photo.h"

namespace vorlin {
namespace {

using test::PhotoScene;

PackedDib Photo(PhotoScene scene) {
    static DibPtr sky = test::SyntheticPhoto(2048, 1536, PhotoScene::kSky, 1);
    static DibPtr objects = test::SyntheticPhoto(2048, 1536, PhotoScene::kObjects, 1);
    return scene == PhotoScene::kSky ? sky.get() : objects.get();
}

double MeanSquaredError(PackedDib src, PackedDib eight) {
    return static_cast<double>(QuantizeError(src, eight)) /
           (static_cast<double>(DibWidth(src)) * DibHeight(src));
}

void Reduce(benchmark::State& state, PhotoScene scene, QuantizeOptions options) {
    PackedDib src = Photo(scene);
    DibPtr out;
    for (auto _ : state) {
        out.reset(DibQuantize(src, 8, options));
        benchmark::DoNotOptimize(out.get());
    }
    state.SetItemsProcessed(state.iterations() * DibWidth(src) * DibHeight(src));
    state.counters["mse"] = MeanSquaredError(src, out.get());
    DibPtr fast(DibQuantize(src, 8, QuantizeOptions{}));
    state.counters["mse_over_fast"] = state.counters["mse"] / MeanSquaredError(src, fast.get());
}

constexpr QuantizeOptions kFast{QuantizeQuality::kFast, false};
constexpr QuantizeOptions kBest{QuantizeQuality::kBest, false};
constexpr QuantizeOptions kBestDither{QuantizeQuality::kBest, true};

BENCHMARK_CAPTURE(Reduce, FastSky, PhotoScene::kSky, kFast)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reduce, BestSky, PhotoScene::kSky, kBest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reduce, FastObjects, PhotoScene::kObjects, kFast)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reduce, BestObjects, PhotoScene::kObjects, kBest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reduce, BestDitherObjects, PhotoScene::kObjects, kBestDither)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
