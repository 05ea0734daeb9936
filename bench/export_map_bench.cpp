// The conversion `vorlin-cli export` runs on a 1024 x 1024 tiled background
// (4000 patterns, flipped and in banks): 4-bpp tiles and a screen-block map,
// reduced with flips and banks, both blocks with the greedy LZ77 coder or
// uncompressed. Transfer, validation and conversion; no decoding, no writing.
#include <benchmark/benchmark.h>

#include "app/export_set_transfer.h"
#include "background_picture.h"

namespace vorlin {
namespace {

const DibPtr& Background() {
    static const DibPtr picture = bench::TiledBackground(1024, 4000);
    return picture;
}

ExportDialogValues MapOptions(int compression) {
    ExportDialogValues v;
    v.bppIndex = 2;
    v.mapEnabled = true;
    v.mapLayout = MAP_LAYOUT_SBB;
    v.imgCompression = compression;
    v.mapCompression = compression;
    v.folder = ".";
    v.title = "map";
    return v;
}

void RunExportMap(benchmark::State& state, int compression) {
    const ExportDialogValues options = MapOptions(compression);
    const std::vector<SetPicture> list = {{"map.png", Background().get()}};
    std::size_t bytes = 0;
    for (auto _ : state) {
        ExportSet set;
        if (!TransferToSet(options, list, set) || !ExportSetValidate(set) ||
            !ExportSetConvert(set)) {
            state.SkipWithError("export failed");
            return;
        }
        bytes = set.pictures[0]->imgData.bytes.size() + set.pictures[0]->mapData.bytes.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ExportMap1024Lz77(benchmark::State& state) {
    RunExportMap(state, BLK_CPRS_LZ77);
}
BENCHMARK(BM_ExportMap1024Lz77)->Unit(benchmark::kMillisecond);

void BM_ExportMap1024Uncompressed(benchmark::State& state) {
    RunExportMap(state, BLK_CPRS_NONE);
}
BENCHMARK(BM_ExportMap1024Uncompressed)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
