#include "document/undo_history.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorlin {
namespace {

// A record that logs its applications and returns a twin, so list movement is visible.
class TagRecord final : public UndoRecord {
  public:
    TagRecord(int tag, std::vector<int>* log)
        : UndoRecord(UNDO_ENTRY, nullptr), tag_(tag), log_(log) {}
    UndoRecordPtr Apply() override {
        log_->push_back(tag_);
        return std::make_unique<TagRecord>(-tag_, log_);
    }

  private:
    int tag_;
    std::vector<int>* log_;
};

TEST(UndoHistory, CapIsTestedBeforeAddingSoCapPlusOneStay) {
    std::vector<int> log;
    UndoHistory h(32);
    for (int i = 1; i <= 40; ++i) EXPECT_EQ(h.Push(std::make_unique<TagRecord>(i, &log)), 1);
    EXPECT_EQ(h.UndoCount(), 33);
    while (h.CanUndo()) h.Undo();
    ASSERT_EQ(log.size(), 33u);
    EXPECT_EQ(log.front(), 40);
    EXPECT_EQ(log.back(), 8);  // records 1..7 were evicted from the tail
    EXPECT_EQ(h.RedoCount(), 33);
}

TEST(UndoHistory, NullPushChangesNothingAndPushEmptiesRedo) {
    std::vector<int> log;
    UndoHistory h(8);
    h.Push(std::make_unique<TagRecord>(1, &log));
    h.Push(std::make_unique<TagRecord>(2, &log));
    h.Undo();
    ASSERT_TRUE(h.CanRedo());
    EXPECT_EQ(h.Push(nullptr), 0);
    EXPECT_TRUE(h.CanRedo());
    EXPECT_EQ(h.UndoCount(), 1);
    h.Push(std::make_unique<TagRecord>(3, &log));
    EXPECT_FALSE(h.CanRedo());
}

TEST(UndoHistory, UndoAndRedoMoveInversesBetweenLists) {
    std::vector<int> log;
    UndoHistory h(8);
    h.Push(std::make_unique<TagRecord>(5, &log));
    h.Undo();
    EXPECT_EQ(h.UndoCount(), 0);
    EXPECT_EQ(h.RedoCount(), 1);
    h.Redo();
    EXPECT_EQ(h.UndoCount(), 1);
    EXPECT_EQ(h.RedoCount(), 0);
    h.Undo();
    EXPECT_EQ(log, (std::vector<int>{5, -5, 5}));
    h.Undo();  // empty lists: nothing happens
    h.Clear();
    h.Redo();
    EXPECT_EQ(log.size(), 3u);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.CanRedo());
}

TEST(UndoHistory, RedoLeavesTheOtherRedoRecordsInPlace) {
    std::vector<int> log;
    UndoHistory h(8);
    for (int i = 1; i <= 3; ++i) h.Push(std::make_unique<TagRecord>(i, &log));
    for (int i = 0; i < 3; ++i) h.Undo();
    h.Redo();
    EXPECT_EQ(h.UndoCount(), 1);
    EXPECT_EQ(h.RedoCount(), 2);
    h.Redo();
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1, -1, -2}));  // oldest change comes back first
}

}  // namespace
}  // namespace vorlin
