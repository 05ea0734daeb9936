#include "document/undo_records.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "document/vorlin_doc.h"

namespace vorlin {

namespace {

IRect Intersect(const IRect& a, const IRect& b) {
    return IRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
}

// Copies the rectangle (inside `src`) into a surface of its own size.
bool CopyArea(const IndexSurface& src, const IRect& r, IndexSurface& out) {
    try {
        out = IndexSurface(r.Width(), r.Height());
    } catch (const std::bad_alloc&) {
        return false;
    }
    const auto bytes = static_cast<std::size_t>(r.Width());
    for (int y = 0; y < r.Height(); ++y)
        std::memcpy(out.Row(y), src.Row(r.top + y) + r.left, bytes);
    return true;
}

// What every restore of palette entries tells the others.
void PaletteRestored(CVorlinDoc& doc) {
    doc.RefreshPaletteBar();
    doc.UpdateAllViews(HINT_PALETTE, nullptr);
    doc.SetModifiedFlag(true);
}

}  // namespace

RegionRecord::RegionRecord(CVorlinDoc* doc, const IRect& rect, IndexSurface pixels)
    : UndoRecord(UNDO_REGION, doc), rect_(rect), pixels_(std::move(pixels)) {}

UndoRecordPtr RegionRecord::Apply() {
    CVorlinDoc& doc = *Document();
    UndoRecordPtr inverse = MakeRegionRecord(doc, &rect_, false);
    // The picture may have changed size since; write only what still overlaps.
    const IRect area = Intersect(rect_, doc.image.Bounds());
    if (!area.IsEmpty()) {
        const auto bytes = static_cast<std::size_t>(area.Width());
        for (int y = area.top; y < area.bottom; ++y)
            std::memcpy(doc.image.Row(y) + area.left,
                        pixels_.Row(y - rect_.top) + (area.left - rect_.left), bytes);
    }
    doc.UpdateAllViews(HINT_REGION, &rect_);
    doc.SetModifiedFlag(true);
    return inverse;
}

PixelsRecord::PixelsRecord(CVorlinDoc* doc, IndexSurface pixels)
    : UndoRecord(UNDO_PIXELS, doc), pixels_(std::move(pixels)) {}

UndoRecordPtr PixelsRecord::Apply() {
    CVorlinDoc& doc = *Document();
    UndoRecordPtr inverse = MakePixelsRecord(doc);
    doc.image.AttachSurface(std::move(pixels_));
    doc.backup.CopyFrom(&doc.image);
    doc.UpdateAllViews(HINT_IMAGE, &doc.image);
    doc.SetTitle();
    doc.SetModifiedFlag(true);
    return inverse;
}

EntryRecord::EntryRecord(CVorlinDoc* doc, int index, RgbQuad entry)
    : UndoRecord(UNDO_ENTRY, doc), index_(index), entry_(entry) {}

UndoRecordPtr EntryRecord::Apply() {
    CVorlinDoc& doc = *Document();
    UndoRecordPtr inverse = MakeEntryRecord(doc, index_);
    doc.image.SetColors(index_, 1, &entry_);
    PaletteRestored(doc);
    return inverse;
}

RangeRecord::RangeRecord(CVorlinDoc* doc, int start, std::vector<RgbQuad> entries)
    : UndoRecord(UNDO_RANGE, doc), start_(start), entries_(std::move(entries)) {}

UndoRecordPtr RangeRecord::Apply() {
    CVorlinDoc& doc = *Document();
    UndoRecordPtr inverse = MakeRangeRecord(doc, start_, Count());
    doc.image.SetColors(start_, Count(), entries_.data());
    PaletteRestored(doc);
    return inverse;
}

SnapshotRecord::SnapshotRecord(CVorlinDoc* doc, CIndexImage image)
    : UndoRecord(UNDO_SNAPSHOT, doc), image_(std::move(image)) {}

UndoRecordPtr SnapshotRecord::Apply() {
    CVorlinDoc& doc = *Document();
    UndoRecordPtr inverse = MakeSnapshotRecord(doc);
    doc.image.CopyFrom(&image_);
    doc.backup.CopyFrom(&doc.image);
    doc.RefreshPaletteBar();
    doc.UpdateAllViews(HINT_IMAGE, &doc.image);
    doc.SetModifiedFlag(true);
    return inverse;
}

UndoRecordPtr MakeRegionRecord(CVorlinDoc& doc, const IRect* rect, bool fromBackup) {
    const CIndexImage& source = fromBackup ? doc.backup : doc.image;
    IRect area = Intersect(rect ? *rect : doc.image.Bounds(), doc.image.Bounds());
    area = Intersect(area, source.Bounds());
    if (area.IsEmpty()) return nullptr;
    IndexSurface pixels;
    if (!CopyArea(source.Surface(), area, pixels)) return nullptr;
    return std::make_unique<RegionRecord>(&doc, area, std::move(pixels));
}

UndoRecordPtr MakePixelsRecord(CVorlinDoc& doc) {
    try {
        return std::make_unique<PixelsRecord>(&doc, doc.image.Surface());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

UndoRecordPtr MakeEntryRecord(CVorlinDoc& doc, int index) {
    if (index < 0 || index >= kPaletteSize) return nullptr;
    return std::make_unique<EntryRecord>(&doc, index, doc.image.Palette()[index]);
}

UndoRecordPtr MakeRangeRecord(CVorlinDoc& doc, int start, int count) {
    if (start < 0 || start >= kPaletteSize || count <= 0) return nullptr;
    const int n = std::min(count, kPaletteSize - start);
    const RgbQuad* first = doc.image.Palette() + start;
    return std::make_unique<RangeRecord>(&doc, start, std::vector<RgbQuad>(first, first + n));
}

UndoRecordPtr MakeSnapshotRecord(CVorlinDoc& doc) {
    CIndexImage copy;
    if (!copy.CopyFrom(&doc.image)) return nullptr;
    return std::make_unique<SnapshotRecord>(&doc, std::move(copy));
}

}  // namespace vorlin
