// Console preview of a 1024 x 1024 export against the export itself: the
// preview (decoding every block, rebuilding the picture, figures, warnings)
// should cost at most twice the export.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "export/export_preview.h"
#include "export/tile_ops.h"

namespace vorlin {
namespace {

constexpr int kSide = 1024;

// A large tiled background: about 4000 patterns of short colour runs, each
// placed flipped and in one of four banks, so that reduction keeps more than
// 1024 tiles and the preview takes its slowest path.
DibPtr Background() {
    std::mt19937 rng(42);
    std::vector<std::vector<std::uint8_t>> patterns(4000, std::vector<std::uint8_t>(kTileBytes));
    for (auto& p : patterns)
        for (int i = 0; i < kTileBytes;) {
            const auto colour = static_cast<std::uint8_t>(rng() % 16);
            for (int run = 1 + rng() % 4; run > 0 && i < kTileBytes; --run) p[i++] = colour;
        }
    DibPtr dib(DibCreate(kSide, kSide, 8, nullptr, 1));
    std::uint8_t tile[kTileBytes];
    for (int ty = 0; ty < kSide / kTileSide; ++ty)
        for (int tx = 0; tx < kSide / kTileSide; ++tx) {
            OrientTile(patterns[rng() % patterns.size()].data(), rng() % 2 ? 7 : 0,
                       rng() % 2 ? 7 : 0, tile);
            const auto bank = static_cast<std::uint8_t>((rng() % 4) << 4);
            for (int i = 0; i < kTileBytes; ++i)
                DibPictureRow(dib.get(), ty * kTileSide + i / kTileSide)[tx * kTileSide +
                                                                          i % kTileSide] =
                    tile[i] ? static_cast<std::uint8_t>(tile[i] | bank) : 0;
        }
    return dib;
}

// 4-bpp tiles reduced with flips and banks, a flat map; compression from the argument.
ExportJobPtr BackgroundJob(int compression, const std::string& folder) {
    static const DibPtr picture = Background();
    ExportJobPtr job(ExportJobNew());
    job->image.reset(DibDuplicate(picture.get()));
    job->sourcePath = folder + "/bg.bmp";
    job->folder = folder;
    job->title = "bg";
    job->outFlags = OUT_KIND_C | OUT_HEADER;
    job->palFlags = BLK_EXPORT;
    job->palEnd = 256;
    job->imgFlags = WithCompression(BLK_EXPORT, compression);
    job->bpp = 4;
    job->mapFlags = WithCompression(BLK_EXPORT | MAP_REDUCE | MAP_FLIP | MAP_PALBANK, compression);
    job->metaWidth = job->metaHeight = 1;
    job->right = job->bottom = kSide;
    return job;
}

std::string BenchFolder() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "vorlin_preview_bench";
    std::filesystem::create_directories(folder);
    return folder.string();
}

void BM_Export1024(benchmark::State& state) {
    const std::string folder = BenchFolder();
    for (auto _ : state) {
        state.PauseTiming();
        ExportJobPtr job = BackgroundJob(static_cast<int>(state.range(0)), folder);
        state.ResumeTiming();
        if (!ExportRun(job.get())) state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_Export1024)->Arg(BLK_CPRS_NONE)->Arg(BLK_CPRS_LZ77)->Unit(benchmark::kMillisecond);

void BM_Preview1024(benchmark::State& state) {
    ExportJobPtr job = BackgroundJob(static_cast<int>(state.range(0)), BenchFolder());
    if (!ExportValidate(job.get()) || !ExportConvert(job.get())) {
        state.SkipWithError("conversion failed");
        return;
    }
    std::size_t warnings = 0;
    for (auto _ : state) {
        const ExportPreview preview = PreviewExport(*job, {});
        if (!preview.ok) state.SkipWithError("preview failed");
        warnings = preview.warnings.size();
    }
    state.counters["warnings"] = static_cast<double>(warnings);
}
BENCHMARK(BM_Preview1024)->Arg(BLK_CPRS_NONE)->Arg(BLK_CPRS_LZ77)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
