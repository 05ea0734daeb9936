#include "support/bank_corpus.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace vorlin::testing {
namespace {

// Group g's colours as palette indices: the shared ones first, then its own.
std::vector<std::vector<int>> GroupIndices(const CorpusRecipe& recipe, std::mt19937& rng) {
    // Index 0 is a colour like the others only in pictures without transparent pixels.
    const int first = recipe.transparentShare > 0 ? 1 : 0;
    std::vector<int> entries(256 - first);
    std::iota(entries.begin(), entries.end(), first);
    std::shuffle(entries.begin(), entries.end(), rng);
    std::size_t next = 0;
    const std::vector<int> shared(entries.begin(), entries.begin() + recipe.shared);
    next = static_cast<std::size_t>(recipe.shared);
    std::vector<std::vector<int>> groups;
    for (int g = 0; g < recipe.groups; ++g) {
        std::vector<int> group = shared;
        for (int c = recipe.shared; c < recipe.groupSize && next < entries.size(); ++c)
            group.push_back(entries[next++]);
        groups.push_back(group);
    }
    return groups;
}

void FillTile(CorpusPicture& picture, int left, int top, int side, const std::vector<int>& colours,
              int transparentShare, std::mt19937& rng) {
    const int right = std::min(left + side, picture.pixels.width);
    const int bottom = std::min(top + side, picture.pixels.height);
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x, ++n) {
            // Every colour once first, so a tile really uses all it was given.
            int index = n < static_cast<int>(colours.size())
                            ? colours[n]
                            : colours[rng() % colours.size()];
            if (n >= static_cast<int>(colours.size()) && transparentShare > 0 &&
                rng() % transparentShare == 0)
                index = 0;
            picture.pixels.Row(y)[x] = static_cast<std::uint8_t>(index);
        }
}

}  // namespace

CorpusPicture MakeCorpusPicture(const CorpusRecipe& recipe) {
    std::mt19937 rng(recipe.seed);
    CorpusPicture picture;
    picture.pixels = IndexSurface(recipe.width, recipe.height);
    for (int i = 0; i < 256; ++i)
        picture.palette[i] = {static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 11),
                              static_cast<std::uint8_t>(i), 0};
    const std::vector<std::vector<int>> groups = GroupIndices(recipe, rng);
    const int side = recipe.tileSide;
    const int columns = (recipe.width + side - 1) / side, rows = (recipe.height + side - 1) / side;
    for (int t = 0; t < columns * rows; ++t) {
        // The whole-group tiles come last, after parts that a greedy packing may already
        // have mixed up.
        const int wholeIndex = t - (columns * rows - recipe.groups);
        const bool whole = recipe.wholeGroupTiles && wholeIndex >= 0;
        const int g = whole ? wholeIndex : static_cast<int>(rng() % recipe.groups);
        std::vector<int> colours = groups[g];
        std::shuffle(colours.begin(), colours.end(), rng);
        // One tile of each group uses the whole group; the others a random part of it.
        if (!whole) colours.resize(1 + rng() % colours.size());
        FillTile(picture, t % columns * side, t / columns * side, side, colours,
                 recipe.transparentShare, rng);
    }
    return picture;
}

DibPtr CorpusDib(const CorpusPicture& picture) {
    DibPtr dib(DibCreate(picture.pixels.width, picture.pixels.height, 8, nullptr, 1));
    if (!dib) return dib;
    for (int y = 0; y < picture.pixels.height; ++y)
        std::copy_n(picture.pixels.Row(y), picture.pixels.width, DibPictureRow(dib.get(), y));
    std::copy(picture.palette.begin(), picture.palette.end(), DibColors(dib.get()));
    return dib;
}

}  // namespace vorlin::testing
