// The five undo record kinds. Each owns the state it captured and restores it
// with the same factory used to capture the inverse.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/index_surface.h"
#include "core/packed_dib.h"
#include "document/index_image.h"
#include "document/undo_history.h"

namespace vorlin {

// Pixels inside a rectangle of the picture (from the picture or the backup).
class RegionRecord final : public UndoRecord {
  public:
    RegionRecord(CVorlinDoc* doc, const IRect& rect, IndexSurface pixels);
    UndoRecordPtr Apply() override;
    const IRect& Rect() const { return rect_; }

  private:
    IRect rect_;
    IndexSurface pixels_;
};

// All pixels and the size of the picture; not the palette.
class PixelsRecord final : public UndoRecord {
  public:
    PixelsRecord(CVorlinDoc* doc, IndexSurface pixels);
    UndoRecordPtr Apply() override;
    int Width() const { return pixels_.width; }
    int Height() const { return pixels_.height; }

  private:
    IndexSurface pixels_;
};

// One palette entry.
class EntryRecord final : public UndoRecord {
  public:
    EntryRecord(CVorlinDoc* doc, int index, RgbQuad entry);
    UndoRecordPtr Apply() override;
    int Index() const { return index_; }

  private:
    int index_;
    RgbQuad entry_;
};

// A run of palette entries.
class RangeRecord final : public UndoRecord {
  public:
    RangeRecord(CVorlinDoc* doc, int start, std::vector<RgbQuad> entries);
    UndoRecordPtr Apply() override;
    int Start() const { return start_; }
    int Count() const { return static_cast<int>(entries_.size()); }

  private:
    int start_;
    std::vector<RgbQuad> entries_;
};

// The whole picture: size, palette and pixels.
class SnapshotRecord final : public UndoRecord {
  public:
    SnapshotRecord(CVorlinDoc* doc, CIndexImage image);
    UndoRecordPtr Apply() override;

  private:
    CIndexImage image_;
};

// Factories: null when the state cannot be captured (an empty or out-of-range
// area, an index outside the palette, no memory). A null record pushes nothing.
UndoRecordPtr MakeRegionRecord(CVorlinDoc& doc, const IRect* rect, bool fromBackup);
UndoRecordPtr MakePixelsRecord(CVorlinDoc& doc);
UndoRecordPtr MakeEntryRecord(CVorlinDoc& doc, int index);
UndoRecordPtr MakeRangeRecord(CVorlinDoc& doc, int start, int count);
UndoRecordPtr MakeSnapshotRecord(CVorlinDoc& doc);

}  // namespace vorlin
