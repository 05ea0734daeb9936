// Several pictures exported together against one export per picture: the CPU
// time of validation and conversion (4 bpp, flips and banks, LZ77 tiles, a
// map each), and the figures: total bytes of the shared export against the sum
// of the single ones, and its tileset against the pictures pasted side by side
// into one image and exported once.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "app/export_set_transfer.h"
#include "export/tile_ops.h"

namespace vorlin {
namespace {

constexpr int kSide = 256;        // each picture
constexpr int kPictures = 8;
constexpr int kSharedPatterns = 300;
constexpr int kOwnPatterns = 40;  // per picture

using Tile = std::vector<std::uint8_t>;

Tile RandomTile(std::mt19937& rng) {
    Tile tile(kTileBytes);
    for (int i = 0; i < kTileBytes;) {
        const std::uint8_t colour = static_cast<std::uint8_t>(rng() % 16);
        for (int run = 1 + rng() % 4; run > 0 && i < kTileBytes; --run) tile[i++] = colour;
    }
    return tile;
}

// A level's screens: tiles drawn from one shared set (flipped, in banks 0-3)
// with a few of each picture's own.
std::vector<DibPtr> LevelPictures() {
    std::mt19937 rng(7);
    std::vector<Tile> shared;
    for (int i = 0; i < kSharedPatterns; ++i) shared.push_back(RandomTile(rng));
    std::vector<DibPtr> pictures;
    for (int p = 0; p < kPictures; ++p) {
        std::vector<Tile> own;
        for (int i = 0; i < kOwnPatterns; ++i) own.push_back(RandomTile(rng));
        DibPtr dib(DibCreate(kSide, kSide, 8, nullptr, 1));
        for (int i = 0; i < 256; ++i)
            DibColors(dib.get())[i] = {static_cast<std::uint8_t>(i * 8), static_cast<std::uint8_t>(i),
                                       static_cast<std::uint8_t>(255 - i), 0};
        Tile tile(kTileBytes);
        for (int ty = 0; ty < kSide / 8; ++ty)
            for (int tx = 0; tx < kSide / 8; ++tx) {
                const Tile& pattern =
                    rng() % 10 ? shared[rng() % shared.size()] : own[rng() % own.size()];
                OrientTile(pattern.data(), rng() % 2 ? 7 : 0, rng() % 2 ? 7 : 0, tile.data());
                const std::uint8_t bank = static_cast<std::uint8_t>((rng() % 4) << 4);
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x) {
                        const std::uint8_t v = tile[y * 8 + x];
                        DibPictureRow(dib.get(), ty * 8 + y)[tx * 8 + x] =
                            v ? static_cast<std::uint8_t>(v | bank) : 0;
                    }
            }
        pictures.push_back(std::move(dib));
    }
    return pictures;
}

const std::vector<DibPtr>& Pictures() {
    static const std::vector<DibPtr> pictures = LevelPictures();
    return pictures;
}

ExportDialogValues Options() {
    ExportDialogValues v;
    v.bppIndex = 2;
    v.mapEnabled = true;
    v.imgCompression = BLK_CPRS_LZ77;
    v.folder = ".";
    v.title = "level";
    return v;
}

// Validated and converted; the bytes every block takes, or 0 on a failure.
std::size_t ConvertSet(const std::vector<SetPicture>& list, std::size_t* tiles = nullptr) {
    ExportSet set;
    if (!TransferToSet(Options(), list, set) || !ExportSetValidate(set) || !ExportSetConvert(set))
        return 0;
    std::size_t bytes = set.shared->palData.bytes.size() + set.shared->imgData.bytes.size();
    for (const ExportJobPtr& picture : set.pictures)
        bytes += picture->mapData.bytes.size() + picture->metaData.bytes.size();
    if (tiles) *tiles = static_cast<std::size_t>(DibHeight(set.shared->work.get()) / 8);
    return bytes;
}

std::vector<SetPicture> All() {
    std::vector<SetPicture> list;
    for (int p = 0; p < kPictures; ++p)
        list.push_back({"screen" + std::to_string(p) + ".png", Pictures()[p].get()});
    return list;
}

void BM_ExportSetShared(benchmark::State& state) {
    const std::vector<SetPicture> list = All();
    for (auto _ : state) benchmark::DoNotOptimize(ConvertSet(list));
}
BENCHMARK(BM_ExportSetShared)->Unit(benchmark::kMillisecond);

void BM_ExportSetSumOfSingles(benchmark::State& state) {
    const std::vector<SetPicture> list = All();
    for (auto _ : state)
        for (const SetPicture& picture : list) benchmark::DoNotOptimize(ConvertSet({picture}));
}
BENCHMARK(BM_ExportSetSumOfSingles)->Unit(benchmark::kMillisecond);

// The pictures side by side in one image.
DibPtr Pasted() {
    DibPtr wide(DibCreate(kSide * kPictures, kSide, 8, nullptr, 1));
    std::copy_n(DibColors(Pictures()[0].get()), 256, DibColors(wide.get()));
    for (int p = 0; p < kPictures; ++p)
        for (int y = 0; y < kSide; ++y)
            std::copy_n(DibPictureRow(Pictures()[p].get(), y), kSide,
                        DibPictureRow(wide.get(), y) + p * kSide);
    return wide;
}

// One pass; the counters are the figures.
void BM_ExportSetFigures(benchmark::State& state) {
    std::size_t shared = 0, sharedTiles = 0, singles = 0, singleTiles = 0, pastedTiles = 0;
    const DibPtr wide = Pasted();
    for (auto _ : state) {
        shared = ConvertSet(All(), &sharedTiles);
        singles = singleTiles = 0;
        for (const SetPicture& picture : All()) {
            std::size_t tiles = 0;
            singles += ConvertSet({picture}, &tiles);
            singleTiles += tiles;
        }
        ConvertSet({{"pasted.png", wide.get()}}, &pastedTiles);
    }
    state.counters["sharedBytes"] = static_cast<double>(shared);
    state.counters["singlesBytes"] = static_cast<double>(singles);
    state.counters["sharedTiles"] = static_cast<double>(sharedTiles);
    state.counters["singlesTiles"] = static_cast<double>(singleTiles);
    state.counters["pastedTiles"] = static_cast<double>(pastedTiles);
}
BENCHMARK(BM_ExportSetFigures)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
