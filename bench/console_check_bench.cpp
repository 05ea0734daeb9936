// The console check on a 1024 x 1024 picture: looking again after a 16-pixel
// pencil stroke and after a change of the whole picture (undoing a fill), with
// the distinct tiles under the limit and past it (where the tiles past it are
// numbered again after each change), and the first full look for reference.
#include <benchmark/benchmark.h>

#include <random>

#include "app/console_check_link.h"
#include "export/console_check.h"

namespace vorlin {
namespace {

constexpr int kSide = 1024;

// `patterns` distinct 4-bpp tiles in bank 0 spread over the picture; above
// 1024 patterns the map cannot name them all.
DibPtr Picture(int patterns, unsigned seed) {
    DibPtr dib(DibCreate(kSide, kSide, 8, nullptr, 1));
    std::mt19937 rng(seed);
    for (int ty = 0; ty < kSide / 8; ++ty)
        for (int tx = 0; tx < kSide / 8; ++tx) {
            const unsigned n = rng() % static_cast<unsigned>(patterns);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    DibPictureRow(dib.get(), ty * 8 + y)[tx * 8 + x] =
                        static_cast<std::uint8_t>(1 + (n >> ((x + y * 8) % 12) & 1) * (1 + n % 14));
        }
    return dib;
}

CheckRules Rules(PackedDib picture) {
    ExportDialogValues values;
    values.bppIndex = 2;  // 4 bpp
    values.mapEnabled = true;
    return *CheckRulesFor(values, picture);
}

void StrokeUpdate(benchmark::State& state) {
    DibPtr picture = Picture(static_cast<int>(state.range(0)), 1);
    ConsoleCheck check;
    check.Reset(Rules(picture.get()), RowsOf(picture.get()));
    int at = 0;
    for (auto _ : state) {
        // A 16-pixel horizontal stroke somewhere else each time, bank 1 colours.
        at = (at + 4099) % (kSide * kSide - 16);
        const int x = at % (kSide - 16), y = at / kSide;
        for (int i = 0; i < 16; ++i)
            DibPictureRow(picture.get(), y)[x + i] = static_cast<std::uint8_t>(17 + (at + i) % 15);
        benchmark::DoNotOptimize(check.Update(RowsOf(picture.get()), x, y, x + 16, y + 1));
    }
    state.SetLabel(std::to_string(check.Figures().graphicsTiles) + " distinct tiles");
}

void WholePictureUpdate(benchmark::State& state) {
    const int patterns = static_cast<int>(state.range(0));
    DibPtr pictures[2] = {Picture(patterns, 1), Picture(patterns, 2)};
    ConsoleCheck check;
    check.Reset(Rules(pictures[0].get()), RowsOf(pictures[0].get()));
    int which = 0;
    for (auto _ : state) {
        which ^= 1;
        benchmark::DoNotOptimize(check.Update(RowsOf(pictures[which].get()), 0, 0, kSide, kSide));
    }
    state.SetLabel(std::to_string(check.Figures().graphicsTiles) + " distinct tiles");
}

void FirstLook(benchmark::State& state) {
    DibPtr picture = Picture(static_cast<int>(state.range(0)), 1);
    for (auto _ : state) {
        ConsoleCheck check;
        check.Reset(Rules(picture.get()), RowsOf(picture.get()));
        benchmark::DoNotOptimize(check.Figures().graphicsTiles);
    }
}

BENCHMARK(StrokeUpdate)->Arg(500)->Arg(4000)->Unit(benchmark::kMicrosecond);
BENCHMARK(WholePictureUpdate)->Arg(500)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstLook)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
