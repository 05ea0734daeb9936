#include "support/bank_corpus.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace vorlin::testing {
namespace {

// Group g's colours as palette indices: the shared ones first, then its own.
std::vector<std::vector<int>> GroupIndices(const CorpusSpec& spec, std::mt19937& rng) {
    // Index 0 is a colour like the others only in pictures without transparent pixels.
    const int first = spec.transparentShare > 0 ? 1 : 0;
    std::vector<int> entries(256 - first);
    std::iota(entries.begin(), entries.end(), first);
    std::shuffle(entries.begin(), entries.end(), rng);
    std::size_t next = 0;
    const std::vector<int> shared(entries.begin(), entries.begin() + spec.shared);
    next = static_cast<std::size_t>(spec.shared);
    std::vector<std::vector<int>> groups;
    for (int g = 0; g < spec.groups; ++g) {
        std::vector<int> group = shared;
        for (int c = spec.shared; c < spec.groupSize && next < entries.size(); ++c)
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

CorpusPicture MakeCorpusPicture(const CorpusSpec& spec) {
    std::mt19937 rng(spec.seed);
    CorpusPicture picture;
    picture.pixels = IndexSurface(spec.width, spec.height);
    for (int i = 0; i < 256; ++i)
        picture.palette[i] = {static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 11),
                              static_cast<std::uint8_t>(i), 0};
    const std::vector<std::vector<int>> groups = GroupIndices(spec, rng);
    const int side = spec.tileSide;
    const int columns = (spec.width + side - 1) / side, rows = (spec.height + side - 1) / side;
    for (int t = 0; t < columns * rows; ++t) {
        const int g = t < spec.groups ? t : static_cast<int>(rng() % spec.groups);
        std::vector<int> colours = groups[g];
        std::shuffle(colours.begin(), colours.end(), rng);
        // The first tile of each group uses the whole group; the others a random part of it.
        if (t >= spec.groups) colours.resize(1 + rng() % colours.size());
        FillTile(picture, t % columns * side, t / columns * side, side, colours,
                 spec.transparentShare, rng);
    }
    return picture;
}

}  // namespace vorlin::testing
