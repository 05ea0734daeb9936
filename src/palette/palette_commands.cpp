#include "palette/palette_commands.h"

#include <algorithm>
#include <vector>

#include "core/packed_dib.h"
#include "document/vorlin_doc.h"
#include "palette/hue_turn.h"
#include "palette/palette_colors.h"
#include "palette/palette_permutation.h"

namespace vorlin {
namespace {

bool IsIndex(int i) {
    return i >= 0 && i <= 255;
}

int Permute(CVorlinDoc& doc, const PalettePermutation& p) {
    return PermutePalette(doc, p.from.data(), p.to.data(), p.Count());
}

}  // namespace

int PermutePalette(CVorlinDoc& doc, const std::uint8_t* from, const std::uint8_t* to, int count) {
    // The work copy is finished first so that a failure leaves neither an empty undo
    // step nor a picture whose pixels moved without their colours.
    DibPtr dib(doc.image.ToDib(8, 0));
    if (!dib) return 0;
    if (count > 0 && (!DibMovePaletteEntries(dib.get(), to, from, count) ||
                      !DibRemapPixels(dib.get(), from, to, count)))
        return 0;
    doc.history.Push(doc.MakeSnapshotRecord());
    if (!doc.image.SetFromDib(dib.get())) return 0;
    doc.RefreshPaletteBar();
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(HINT_IMAGE, &doc.image);
    return 1;
}

int MoveToSubPalette(CVorlinDoc& doc, int bank,
                     const std::function<UndoRecordPtr(UndoRecordPtr)>& wrapRecord) {
    if (bank < 0 || bank > 15) return 0;
    UndoRecordPtr record = doc.MakeRegionRecord(nullptr, false);
    doc.history.Push(wrapRecord && record ? wrapRecord(std::move(record)) : std::move(record));
    CIndexImage& image = doc.image;
    const int base = 16 * bank;
    for (int y = 0; y < image.Height(); ++y) {
        std::uint8_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x)
            row[x] = static_cast<std::uint8_t>(base + row[x] % 16);
    }
    doc.UpdateAllViews(HINT_IMAGE, &image);
    doc.SetModifiedFlag(true);
    return 1;
}

bool ClearPalette(CVorlinDoc& doc) {
    const std::vector<RgbQuad> black(256, RgbQuad{0, 0, 0, 0});
    return doc.SetPaletteEntries(black.data(), 0, 256, true) != 0;
}

int SortPalette(CVorlinDoc& doc, int first, int last, PaletteSortKey key, bool ascending,
                int shift) {
    if (!IsIndex(first) || !IsIndex(last) || last < first) return 0;
    const CIndexImage& image = doc.image;
    const IndexPixelsView pixels{image.Bits(), image.Width(), image.Height(),
                                 static_cast<std::size_t>(image.Stride())};
    const auto keys = PaletteSortKeys(image.Palette(), first, last, key, ascending, shift, pixels);
    return Permute(doc, SortedRangePermutation(first, StableKeyOrder(keys)));
}

int SwapPaletteBlocks(CVorlinDoc& doc, int a, int b, int& count) {
    if (!IsIndex(a) || !IsIndex(b)) return 0;
    return Permute(doc, SwapBlocksPermutation(a, b, count));
}

int GradientPalette(CVorlinDoc& doc, int a, int b) {
    if (!IsIndex(a) || !IsIndex(b) || a == b) return 0;
    const int lo = std::min(a, b);
    const auto ramp = GradientEntries(doc.image.Palette(), a, b);
    doc.history.Push(doc.MakeRangeRecord(lo, static_cast<int>(ramp.size())));
    std::copy(ramp.begin(), ramp.end(), doc.image.Palette() + lo);
    doc.RefreshPaletteBar();
    doc.UpdateAllViews(HINT_IMAGE, &doc.image);
    doc.SetModifiedFlag(true);
    return 1;
}

int CopyPalette(CVorlinDoc& doc, int src, int dst, int count, bool hueRotate, int hueFrom) {
    if (!IsIndex(src) || !IsIndex(dst) || !IsIndex(hueFrom)) return 0;
    count = ClippedCopyCount(src, dst, count);
    if (count <= 0) return 0;
    const RgbQuad* pal = doc.image.Palette();
    std::vector<RgbQuad> scratch(pal + src, pal + src + count);
    if (hueRotate) TurnHues(scratch, pal[hueFrom]);
    return doc.SetPaletteEntries(scratch.data(), dst, count, true);
}

int InvertPalette(CVorlinDoc& doc, int l, int r, int shift) {
    if (!IsIndex(l) || !IsIndex(r)) return 0;
    const auto inverted = InvertedEntries(doc.image.Palette(), l, r, shift);
    return doc.SetPaletteEntries(inverted.data(), std::min(l, r), static_cast<int>(inverted.size()),
                                 true);
}

}  // namespace vorlin
