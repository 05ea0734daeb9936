// The conversion of several pictures into one palette, one tileset and one
// map each: palettes merged first, then every picture's tiles in export order,
// reduced together so tile numbers follow first use over the pictures.
#include "export/export_set.h"

#include <cstdint>
#include <new>
#include <utility>

#include "export/export_names.h"
#include "export/export_steps.h"
#include "export/palette_merge.h"
#include "export/tile_ops.h"

namespace vorlin {

namespace {

int Refuse(ExportSet& set, std::size_t picture, const char* reason) {
    set.failedPicture = picture;
    set.failedReason = reason;
    return 0;
}

bool SameNames(const ExportJob& a, const ExportJob& b) {
    return a.title == b.title || a.symbol == b.symbol;
}

// Without an exported palette every index may take a colour: the game keeps
// its own palette, and the pictures still need one numbering.
bool MergePictures(ExportSet& set) {
    const ExportJob& shared = *set.shared;
    std::vector<PackedDib> images;
    for (const ExportJobPtr& picture : set.pictures) images.push_back(picture->image.get());
    const bool palette = ExportsPalette(shared);
    const PaletteMerge merge = MergePalettes(images, palette ? shared.palStart : 0,
                                             palette ? shared.palEnd : kMergePaletteEntries);
    if (!merge.ok) {
        set.failedPicture = merge.failedPicture;
        set.failedReason = merge.reason;
        return false;
    }
    for (std::size_t p = 0; p < set.pictures.size(); ++p) {
        DibPtr remapped = RemappedPicture(images[p], merge.remap[p], merge.palette);
        if (!remapped) throw std::bad_alloc();
        set.pictures[p]->image = std::move(remapped);
    }
    set.shared->image.reset(DibDuplicate(set.pictures[0]->image.get()));
    if (!set.shared->image) throw std::bad_alloc();
    return true;
}

// Every picture's tiles in export order, one after the other; starts[p] is the
// first tile of picture p, starts.back() the total.
struct SourceTiles {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> starts;
};

bool CollectTiles(const ExportSet& set, SourceTiles& out) {
    for (const ExportJobPtr& picture : set.pictures) {
        std::vector<std::uint8_t> tiles = WorkTileBytes(*picture);
        if (tiles.empty() && ExportAreaTiles(*picture) > 0) return false;
        out.starts.push_back(out.bytes.size() / kTileBytes);
        // The first picture's tiles are taken over, not copied: a picture's worth of memory less.
        if (out.bytes.empty())
            out.bytes = std::move(tiles);
        else
            out.bytes.insert(out.bytes.end(), tiles.begin(), tiles.end());
    }
    out.starts.push_back(out.bytes.size() / kTileBytes);
    return true;
}

// For each shared tile, the tile of picture tiles [begin, end) that brings it
// in there: where it was first used when that is in this picture, else the
// first of this picture's tiles showing its index (tiles of earlier pictures
// are in the tileset already).
std::vector<std::size_t> LocalFirstUse(const TileEntries& mapped, std::size_t begin,
                                       std::size_t end) {
    std::vector<std::size_t> showing(kMapIndexMask + 1, SIZE_MAX);
    for (std::size_t n = end; n-- > begin;) showing[mapped.entries[n] & kMapIndexMask] = n - begin;
    std::vector<std::size_t> local(mapped.firstUse.size());
    for (std::size_t k = 0; k < local.size(); ++k) {
        const std::size_t first = mapped.firstUse[k];
        local[k] = first >= begin && first < end ? first - begin : showing[(k + 1) & kMapIndexMask];
    }
    return local;
}

void BuildMaps(ExportSet& set, const SourceTiles& source, TileEntries& mapped) {
    for (std::size_t p = 0; p < set.pictures.size(); ++p) {
        const std::size_t begin = source.starts[p], end = source.starts[p + 1];
        ExportJob& picture = *set.pictures[p];
        BuildMapBlocks(picture, std::vector<std::uint16_t>(mapped.entries.begin() + begin,
                                                           mapped.entries.begin() + end));
        if (mapped.reduced) picture.tileFirstUse = LocalFirstUse(mapped, begin, end);
    }
}

bool BuildSharedTiles(ExportSet& set) {
    ExportJob& shared = *set.shared;
    SourceTiles source;
    if (!CollectTiles(set, source)) return false;
    std::vector<std::uint8_t> graphics;
    if (ExportsMap(shared)) {
        TileEntries mapped = EntriesOf(shared, source.bytes);
        BuildMaps(set, source, mapped);
        if (mapped.reduced) graphics = std::move(mapped.tiles);
    }
    PackedDib column =
        TileColumn(graphics.empty() ? source.bytes : graphics, set.pictures[0]->work.get());
    if (!column) throw std::bad_alloc();
    shared.work.reset(column);
    if (ExportsGraphics(shared)) BuildGraphics(shared);
    return true;
}

// Bitmaps follow each other in the graphics block; each picture also keeps its
// own, so its preview shows it.
void BuildSharedBitmaps(ExportSet& set) {
    ExportJob& shared = *set.shared;
    shared.work.reset(DibDuplicate(set.pictures[0]->work.get()));
    if (!shared.work) throw std::bad_alloc();
    if (!ExportsGraphics(shared)) return;
    std::vector<std::uint8_t> all, bytes;
    for (const ExportJobPtr& picture : set.pictures) {
        if (!GraphicsBytes(shared, picture->work.get(), bytes)) return;
        all.insert(all.end(), bytes.begin(), bytes.end());
        DataBlockAssign(picture->imgData, 1, std::move(bytes));
        CompressBlock(picture->imgData, picture->imgFlags, Lz77ParseOf(*picture));
    }
    DataBlockAssign(shared.imgData, 1, std::move(all));
    CompressBlock(shared.imgData, shared.imgFlags, Lz77ParseOf(shared));
}

// Each picture becomes a complete export of itself: the shared palette and
// tiles beside its own map.
void ShareBlocks(ExportSet& set) {
    const ExportJob& shared = *set.shared;
    const bool ownBitmaps = (shared.imgFlags & IMG_BITMAP) && set.pictures.size() > 1;
    for (const ExportJobPtr& picture : set.pictures) {
        picture->palData = shared.palData;
        if (!ownBitmaps) picture->imgData = shared.imgData;
        picture->work.reset(DibDuplicate(shared.work.get()));
        if (!picture->work) throw std::bad_alloc();
    }
}

}  // namespace

int ExportSetValidate(ExportSet& set) {
    set.failedPicture = 0;
    set.failedReason.clear();
    if (!set.shared || set.pictures.empty() || !ExportValidate(set.shared.get())) return 0;
    const bool several = set.pictures.size() > 1;
    for (std::size_t p = 0; p < set.pictures.size(); ++p) {
        ExportJob& picture = *set.pictures[p];
        if (several) {
            picture.title = PathFileTitle(picture.sourcePath.value_or(""));
            picture.symbol.clear();
        }
        if (!picture.image || !ExportValidate(&picture)) return Refuse(set, p, kSetInvalid);
        for (std::size_t q = 0; several && q < p; ++q)
            if (SameNames(*set.pictures[q], picture)) return Refuse(set, p, kSetSameTitle);
    }
    return 1;
}

int ExportSetConvert(ExportSet& set) {
    set.failedReason.clear();
    if (!set.shared || set.pictures.empty()) return 0;
    ExportJob& shared = *set.shared;
    try {
        if (set.pictures.size() > 1 && !MergePictures(set)) return 0;
        for (const ExportJobPtr& picture : set.pictures)
            if (!PrepareWork(*picture)) return 0;
        for (DataBlock* block : {&shared.palData, &shared.imgData, &shared.mapData, &shared.metaData})
            DataBlockClear(*block);
        if (shared.imgFlags & IMG_BITMAP) {
            BuildSharedBitmaps(set);
        } else if (!BuildSharedTiles(set)) {
            return 0;
        }
        if (ExportsPalette(shared)) BuildPalette(shared);
        ShareBlocks(set);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

}  // namespace vorlin
