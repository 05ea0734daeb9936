#include "export/palette_merge.h"

#include <algorithm>
#include <cstring>

namespace vorlin {

namespace {

bool SameRgb(const RgbQuad& a, const RgbQuad& b) {
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

// An index beyond the colour table shows black, as the readers fill it.
RgbQuad ColorAt(PackedDib picture, int index) {
    return index < DibColorCount(picture) ? DibColors(picture)[index] : RgbQuad{0, 0, 0, 0};
}

std::array<bool, kMergePaletteEntries> UsedIndices(PackedDib picture) {
    std::array<bool, kMergePaletteEntries> used{};
    const int width = DibWidth(picture);
    for (int y = 0; y < DibHeight(picture); ++y) {
        const std::uint8_t* row = DibPictureRow(picture, y);
        for (int x = 0; x < width; ++x) used[row[x]] = true;
    }
    return used;
}

class Merger {
  public:
    Merger(int rangeStart, int rangeEnd) : start_(rangeStart), end_(rangeEnd) {}

    // The first picture sets the palette: its indices never move.
    void Seed(PackedDib picture) {
        for (int i = 0; i < kMergePaletteEntries; ++i) palette_[i] = ColorAt(picture, i);
        claimed_ = UsedIndices(picture);
    }

    // False when a colour finds no index.
    bool Add(PackedDib picture, std::array<std::uint8_t, kMergePaletteEntries>& remap) {
        const std::array<bool, kMergePaletteEntries> used = UsedIndices(picture);
        for (int i = 0; i < kMergePaletteEntries; ++i) {
            if (!used[i]) continue;
            const int to = Place(i, ColorAt(picture, i));
            if (to < 0) return false;
            remap[i] = static_cast<std::uint8_t>(to);
        }
        return true;
    }

    const std::array<RgbQuad, kMergePaletteEntries>& Palette() const { return palette_; }

  private:
    int Place(int index, const RgbQuad& color) {
        if (SameRgb(palette_[index], color) || !claimed_[index]) return Claim(index, color);
        for (int j = 0; j < kMergePaletteEntries; ++j)
            if (claimed_[j] && SameRgb(palette_[j], color)) return j;
        for (int j = start_; j < end_; ++j)
            if (!claimed_[j]) return Claim(j, color);
        return -1;
    }

    int Claim(int index, const RgbQuad& color) {
        if (!claimed_[index]) palette_[index] = color;
        claimed_[index] = true;
        return index;
    }

    int start_, end_;
    std::array<RgbQuad, kMergePaletteEntries> palette_{};
    std::array<bool, kMergePaletteEntries> claimed_{};
};

std::array<std::uint8_t, kMergePaletteEntries> Identity() {
    std::array<std::uint8_t, kMergePaletteEntries> remap{};
    for (int i = 0; i < kMergePaletteEntries; ++i) remap[i] = static_cast<std::uint8_t>(i);
    return remap;
}

}  // namespace

PaletteMerge MergePalettes(const std::vector<PackedDib>& pictures, int rangeStart, int rangeEnd) {
    PaletteMerge merge;
    merge.remap.assign(pictures.size(), Identity());
    if (pictures.empty()) return merge;
    Merger merger(std::clamp(rangeStart, 0, kMergePaletteEntries),
                  std::clamp(rangeEnd, 0, kMergePaletteEntries));
    merger.Seed(pictures[0]);
    for (std::size_t p = 1; p < pictures.size(); ++p) {
        if (merger.Add(pictures[p], merge.remap[p])) continue;
        merge.failedPicture = p;
        merge.reason = "its colours and those of the pictures before it need more than the " +
                       std::to_string(std::max(0, rangeEnd - rangeStart)) +
                       " palette entries exported (" + std::to_string(rangeStart) + "-" +
                       std::to_string(rangeEnd - 1) + ")";
        return merge;
    }
    merge.palette = merger.Palette();
    merge.ok = true;
    return merge;
}

DibPtr RemappedPicture(PackedDib picture, const std::array<std::uint8_t, kMergePaletteEntries>& remap,
                       const std::array<RgbQuad, kMergePaletteEntries>& palette) {
    const int width = DibWidth(picture), height = DibHeight(picture);
    DibPtr out(DibCreate(width, height, 8, nullptr, 1));
    if (!out) return nullptr;
    std::memcpy(DibColors(out.get()), palette.data(), sizeof(RgbQuad) * kMergePaletteEntries);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = DibPictureRow(picture, y);
        std::uint8_t* to = DibPictureRow(out.get(), y);
        for (int x = 0; x < width; ++x) to[x] = remap[from[x]];
    }
    return out;
}

}  // namespace vorlin
