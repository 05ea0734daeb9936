// Image core throughput: quantisation against a plain one-byte-per-pixel pass, and
// whole-image repacking between 8 and 4 bits per pixel.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/packed_dib.h"

namespace vorlin {
namespace {

constexpr int kQuantSide = 2048;
constexpr int kRepackSide = 4096;

std::uint32_t NextRandom(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

std::uint8_t Clamp(int v) {
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Smooth gradients on all three channels with a little noise on top.
PackedDib GradientImage() {
    static DibPtr image = [] {
        DibPtr dib(DibCreate(kQuantSide, kQuantSide, 24, nullptr, 1));
        std::uint32_t state = 12345;
        for (int y = 0; y < kQuantSide; ++y) {
            std::uint8_t* p = DibRow(dib.get(), y);
            for (int x = 0; x < kQuantSide; ++x, p += 3) {
                const int noise = static_cast<int>(NextRandom(state) % 17) - 8;
                p[0] = Clamp((x + y) / 16 + noise);
                p[1] = Clamp(y / 8 + noise / 2);
                p[2] = Clamp(x / 8 - noise);
            }
        }
        return dib;
    }();
    return image.get();
}

PackedDib IndexImage(int bpp) {
    DibPtr dib(DibCreate(kRepackSide, kRepackSide, bpp, nullptr, 1));
    std::uint32_t state = 777;
    std::uint8_t* p = DibPixels(dib.get());
    for (std::uint32_t i = 0; i < DibHeader(dib.get())->biSizeImage; ++i)
        p[i] = static_cast<std::uint8_t>(NextRandom(state));
    return dib.release();
}

void BM_WuQuantize2048(benchmark::State& state) {
    PackedDib src = GradientImage();
    for (auto _ : state) {
        DibPtr out(DibConvert(src, 8, 0));
        benchmark::DoNotOptimize(out.get());
    }
    state.SetItemsProcessed(state.iterations() * kQuantSide * kQuantSide);
}
BENCHMARK(BM_WuQuantize2048)->Unit(benchmark::kMillisecond);

// The yardstick: read every pixel once and write one byte for it.
void BM_PlainPixelPass2048(benchmark::State& state) {
    PackedDib src = GradientImage();
    DibPtr out(DibCreate(kQuantSide, kQuantSide, 8, nullptr, 1));
    for (auto _ : state) {
        for (int y = 0; y < kQuantSide; ++y) {
            const std::uint8_t* in = DibRow(src, y);
            std::uint8_t* o = DibRow(out.get(), y);
            for (int x = 0; x < kQuantSide; ++x, in += 3)
                o[x] = static_cast<std::uint8_t>((in[0] * 29 + in[1] * 150 + in[2] * 77) >> 8);
        }
        benchmark::DoNotOptimize(DibPixels(out.get()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kQuantSide * kQuantSide);
}
BENCHMARK(BM_PlainPixelPass2048)->Unit(benchmark::kMillisecond);

void RepackBench(benchmark::State& state, int fromBpp, int toBpp, std::uint32_t offset) {
    DibPtr src(IndexImage(fromBpp));
    for (auto _ : state) {
        DibPtr out(DibConvert(src.get(), toBpp, offset));
        benchmark::DoNotOptimize(out.get());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(DibHeader(src.get())->biSizeImage));
}

void BM_Repack8To4(benchmark::State& state) {
    RepackBench(state, 8, 4, 16);
}
BENCHMARK(BM_Repack8To4)->Unit(benchmark::kMillisecond);

void BM_Repack4To8(benchmark::State& state) {
    RepackBench(state, 4, 8, 32);
}
BENCHMARK(BM_Repack4To8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
