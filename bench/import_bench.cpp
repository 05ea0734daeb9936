// Import of a 1024 x 1024 map's blocks (LZ77 tiles and map, 4 bpp, reduced with
// flips and banks) against the export that made them: the import should cost
// at most the export's CPU time.
#include <benchmark/benchmark.h>

#include "background_picture.h"
#include "export/export_job.h"
#include "export/gba_import.h"

namespace vorlin {
namespace {

constexpr int kSide = 1024;

// About 900 patterns: the reduced tiles fit the 1024 a map can name.
ExportJobPtr ConvertedJob() {
    static const DibPtr picture = bench::TiledBackground(kSide, 900);
    ExportJobPtr job(ExportJobNew());
    job->image.reset(DibDuplicate(picture.get()));
    job->outFlags = OUT_CONVERT_ONLY;
    job->palFlags = BLK_EXPORT;
    job->palEnd = 256;
    job->imgFlags = WithCompression(BLK_EXPORT, BLK_CPRS_LZ77);
    job->bpp = 4;
    job->mapFlags = WithCompression(BLK_EXPORT | MAP_REDUCE | MAP_FLIP | MAP_PALBANK, BLK_CPRS_LZ77);
    job->right = job->bottom = kSide;
    return job;
}

void BM_ExportBlocks1024(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        ExportJobPtr job = ConvertedJob();
        state.ResumeTiming();
        if (!ExportValidate(job.get()) || !ExportConvert(job.get()))
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_ExportBlocks1024)->Unit(benchmark::kMillisecond);

void BM_ImportBlocks1024(benchmark::State& state) {
    ExportJobPtr job = ConvertedJob();
    if (!ExportValidate(job.get()) || !ExportConvert(job.get())) {
        state.SkipWithError("export failed");
        return;
    }
    ImportFiles files;
    files.palette = {"pal", true, job->palData.bytes};
    files.graphics = {"img", true, job->imgData.bytes};
    files.map = {"map", true, job->mapData.bytes};
    ImportOptions options;
    options.mapWidth = options.mapHeight = kSide / 8;
    for (auto _ : state) {
        const ImportResult result = ImportGbaData(files, options);
        if (!result.picture) state.SkipWithError(result.error.c_str());
    }
}
BENCHMARK(BM_ImportBlocks1024)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
