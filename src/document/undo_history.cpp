#include "document/undo_history.h"

#include <utility>

namespace vorlin {

void UndoHistory::AddCapped(UndoRecordPtr record) {
    if (static_cast<int>(undo_.size()) > cap_) undo_.pop_back();
    undo_.push_front(std::move(record));
}

int UndoHistory::Push(UndoRecordPtr record) {
    if (!record) return 0;
    AddCapped(std::move(record));
    redo_.clear();
    return 1;
}

void UndoHistory::Undo() {
    if (undo_.empty()) return;
    // Taken off the list first, so the list never holds the record being applied.
    UndoRecordPtr record = std::move(undo_.front());
    undo_.pop_front();
    if (UndoRecordPtr inverse = record->Apply()) redo_.push_front(std::move(inverse));
}

void UndoHistory::Redo() {
    if (redo_.empty()) return;
    UndoRecordPtr record = std::move(redo_.front());
    redo_.pop_front();
    if (UndoRecordPtr inverse = record->Apply()) AddCapped(std::move(inverse));
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace vorlin
