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

void BM_QuantizeFastSky(benchmark::State& state) {
    Reduce(state, PhotoScene::kSky, {QuantizeQuality::kFast, false});
}
BENCHMARK(BM_QuantizeFastSky)->Unit(benchmark::kMillisecond);

void BM_QuantizeBestSky(benchmark::State& state) {
    Reduce(state, PhotoScene::kSky, {QuantizeQuality::kBest, false});
}
BENCHMARK(BM_QuantizeBestSky)->Unit(benchmark::kMillisecond);

void BM_QuantizeFastObjects(benchmark::State& state) {
    Reduce(state, PhotoScene::kObjects, {QuantizeQuality::kFast, false});
}
BENCHMARK(BM_QuantizeFastObjects)->Unit(benchmark::kMillisecond);

void BM_QuantizeBestObjects(benchmark::State& state) {
    Reduce(state, PhotoScene::kObjects, {QuantizeQuality::kBest, false});
}
BENCHMARK(BM_QuantizeBestObjects)->Unit(benchmark::kMillisecond);

void BM_QuantizeBestDitherObjects(benchmark::State& state) {
    Reduce(state, PhotoScene::kObjects, {QuantizeQuality::kBest, true});
}
BENCHMARK(BM_QuantizeBestDitherObjects)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
