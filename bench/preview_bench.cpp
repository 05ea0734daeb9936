// Console preview of a 1024 x 1024 export against the export itself: the
// preview (decoding every block, rebuilding the picture, figures, warnings)
// should cost at most twice the export.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "background_picture.h"
#include "export/export_preview.h"

namespace vorlin {
namespace {

constexpr int kSide = 1024;

// 4-bpp tiles reduced with flips and banks, a flat map; compression from the argument.
ExportJobPtr BackgroundJob(int compression, const std::string& folder) {
    // About 4000 patterns in four banks: reduction keeps more than 1024 tiles, so the
    // preview takes its slowest path.
    static const DibPtr picture = bench::TiledBackground(kSide, 4000);
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
