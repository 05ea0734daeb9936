// Undo and redo lists. Records are symmetrical: applying one restores what it
// holds and returns the record of what it replaced, which goes to the other list.
#pragma once

#include <deque>
#include <memory>

namespace vorlin {

class CVorlinDoc;

enum UndoKind : int {
    UNDO_REGION = 1,    // RegionRecord
    UNDO_PIXELS = 2,    // PixelsRecord
    UNDO_ENTRY = 3,     // EntryRecord
    UNDO_RANGE = 4,     // RangeRecord
    UNDO_SNAPSHOT = 5,  // SnapshotRecord
};

class UndoRecord {
  public:
    UndoRecord(int kind, CVorlinDoc* doc) : kind_(kind), doc_(doc) {}
    virtual ~UndoRecord() = default;
    UndoRecord(const UndoRecord&) = delete;
    UndoRecord& operator=(const UndoRecord&) = delete;

    int Kind() const { return kind_; }
    CVorlinDoc* Document() const { return doc_; }
    // Restores the held state into the document and returns the record of the
    // state it replaced (null when that could not be captured; the restore still happens).
    virtual std::unique_ptr<UndoRecord> Apply() = 0;

  private:
    int kind_;
    CVorlinDoc* doc_;  // not owned
};

using UndoRecordPtr = std::unique_ptr<UndoRecord>;

class UndoHistory {
  public:
    static constexpr int kDefaultCap = 8;
    explicit UndoHistory(int cap = kDefaultCap) : cap_(cap) {}

    // Null: 0 and nothing changes. Otherwise the oldest record is dropped when the
    // undo list already holds more than the cap (tested before adding, so cap + 1
    // records stay), the record goes on top and the redo list is emptied. 1.
    int Push(UndoRecordPtr record);
    // Applies the newest record of one list and files its inverse on the other.
    void Undo();
    void Redo();
    void Clear();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    int UndoCount() const { return static_cast<int>(undo_.size()); }
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    int Cap() const { return cap_; }
    void SetCap(int cap) { cap_ = cap; }
    // Newest record of each list, or null.
    const UndoRecord* NewestUndo() const { return undo_.empty() ? nullptr : undo_.front().get(); }
    const UndoRecord* NewestRedo() const { return redo_.empty() ? nullptr : redo_.front().get(); }

  private:
    void AddCapped(UndoRecordPtr record);

    std::deque<UndoRecordPtr> undo_;  // newest first
    std::deque<UndoRecordPtr> redo_;  // newest first
    int cap_;
};

}  // namespace vorlin
