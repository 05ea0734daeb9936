// Palette banks: the 512 x 512, 256-colour arrangement (target: under 1 s in Release), and the
// corpus table of banks used by the search, by first fit, and the lower bound. Counters:
// search, first_fit, bound, misfits (tiles with too many colours, left out of all three).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/index_image.h"
#include "formats/format_registry.h"
#include "palette/bank_arrange.h"
#include "palette/bank_tiles.h"
#include "support/bank_corpus.h"

namespace vorlin {
namespace {

using testing::CorpusPicture;
using testing::CorpusRecipe;

struct CorpusEntry {
    const char* name;
    CorpusRecipe recipe;      // generated when file is null
    const char* file;     // under the shared test data
    bool sharedZero;
};

const std::vector<CorpusEntry>& Corpus() {
    static const std::vector<CorpusEntry> corpus = {
        {"gen_4x15", {128, 128, 4, 15, 0, 4, 1}, nullptr, true},
        {"gen_9x15_shared4", {256, 256, 9, 15, 4, 4, 2}, nullptr, true},
        {"gen_12x15_shared10", {256, 256, 12, 15, 10, 4, 3}, nullptr, true},
        {"gen_16x16_full", {512, 512, 16, 16, 0, 0, 4}, nullptr, false},
        {"gen_16x15_shared5", {512, 512, 16, 15, 5, 3, 5}, nullptr, true},
        {"gen_8x8_small", {256, 128, 8, 8, 2, 4, 6}, nullptr, true},
        {"pal4.bmp", {}, "peers/bmp/bmpsuite/g/pal4.bmp", true},
        {"pal8.bmp", {}, "peers/bmp/bmpsuite/g/pal8.bmp", true},
        {"Core_8_Bit.bmp", {}, "peers/bmp/image-rs/images/Core_8_Bit.bmp", true},
        {"256-palette.pcx", {}, "peers/pcx/image-rs/256-palette.pcx", true},
        {"p_16.tga", {}, "peers/tga/pillow/p_16.tga", true},
        {"200x32_p.png", {}, "peers/tga/pillow/common/200x32_p.png", true},
        // 32 banks' worth: more than any arrangement has, so the search is skipped.
        {"gen_32x8_too_many", {512, 512, 32, 8, 0, 4, 8}, nullptr, true},
    };
    return corpus;
}

// A shared test file as an 8-bit picture; false when it is absent or unreadable.
bool LoadPicture(const char* file, CorpusPicture& picture) {
    const std::string path = std::string(VORLIN_TESTDATA_DIR) + "/" + file;
    FileFormat* format = FindFormat(Formats().Formats(), path);
    if (!std::filesystem::exists(path) || !format || !format->Read(path)) return false;
    CIndexImage image;
    if (!image.SetFromDib(format->image.get())) return false;
    picture.pixels = image.Surface();
    std::copy_n(image.Palette(), 256, picture.palette.begin());
    return true;
}

void BM_BankCorpus(benchmark::State& state) {
    const CorpusEntry& entry = Corpus()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(entry.name);
    CorpusPicture picture;
    if (!entry.file) {
        picture = testing::MakeCorpusPicture(entry.recipe);
    } else if (!LoadPicture(entry.file, picture)) {
        state.SkipWithError("test data missing");
        return;
    }
    const std::array<bool, 256> noneFixed{};
    const ColourIds ids = MakeColourIds(picture.pixels, picture.palette.data(), noneFixed,
                                        entry.sharedZero);
    BankProblem problem;
    problem.capacity = entry.sharedZero ? 15 : 16;
    int misfits = 0;
    for (const ColourSet& set : TileColourSets(picture.pixels, MakeTileGrid(picture.pixels, 8, 8), ids)) {
        if (SetCanBePlaced(problem, set))
            problem.sets.push_back(set);
        else
            ++misfits;
    }
    int search = 0;
    for (auto _ : state) search = BanksUsed(PackBanks(problem));
    state.counters["search"] = search;
    state.counters["first_fit"] = BanksUsed(PackFirstFit(problem));
    state.counters["bound"] = BankLowerBound(problem);
    state.counters["misfits"] = misfits;
    state.counters["tiles"] = static_cast<double>(problem.sets.size() + misfits);
}
BENCHMARK(BM_BankCorpus)->DenseRange(0, 12)->Unit(benchmark::kMillisecond)->Iterations(1);

// The whole arrangement of a 512 x 512 picture that uses all 256 colours, with no tile holding
// a whole group, so few tiles are contained in others.
void BM_ArrangeBanks512(benchmark::State& state) {
    testing::CorpusRecipe recipe{512, 512, 16, 16, 0, 0, 7};
    recipe.wholeGroupTiles = false;
    const CorpusPicture picture = testing::MakeCorpusPicture(recipe);
    BankOptions options;
    options.sharedZero = false;
    options.firstFit = state.range(0) == 1;
    int banks = 0;
    for (auto _ : state) banks = ArrangeBanks(picture.pixels, picture.palette.data(), options).banks;
    state.counters["banks"] = banks;
    state.SetLabel(options.firstFit ? "first fit" : "search");
}
BENCHMARK(BM_ArrangeBanks512)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
