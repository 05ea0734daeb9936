// The document's changes and how undo and redo bring them back.
#include <gtest/gtest.h>

#include <vector>

#include "document/undo_records.h"
#include "document/vorlin_doc.h"
#include "support/rgb.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

struct RecordingView : ViewObserver {
    struct Call {
        int hint;
        const void* object;
        IRect rect;  // copied while the call lasts, for region hints
    };
    void OnUpdate(int hint, const void* object) override {
        Call c{hint, object, {}};
        if (hint == HINT_REGION && object) c.rect = *static_cast<const IRect*>(object);
        calls.push_back(c);
    }
    std::vector<Call> calls;
};

struct RecordingBar : PaletteBarSink {
    void SetPalette(const ColorRef* colors) override {
        ++refreshes;
        last.assign(colors, colors + 256);
    }
    int refreshes = 0;
    std::vector<ColorRef> last;
};

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest() {
        doc.AddView(&view);
        doc.SetPaletteBar(&bar);
    }
    void Fill(int index) {
        for (int y = 0; y < doc.image.Height(); ++y)
            for (int x = 0; x < doc.image.Width(); ++x)
                doc.image.Row(y)[x] = static_cast<std::uint8_t>(index);
    }
    // Paints a rectangle the way a stroke does: backup first, record from the backup after.
    void Stroke(const IRect& r, int index) {
        doc.SyncBackup();
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                doc.image.Row(y)[x] = static_cast<std::uint8_t>(index);
        doc.SetModifiedFlag(true);
        doc.history.Push(doc.MakeRegionRecord(&r, true));
    }

    ScopedTempProfile profile;
    CVorlinDoc doc;
    RecordingView view;
    RecordingBar bar;
};

TEST_F(DocumentTest, FortyPaletteEditsLeaveThirtyThreeUndoSteps) {
    for (int i = 0; i < 40; ++i) doc.SetPaletteEntry(i, Rgb(255, i, 0));
    EXPECT_EQ(doc.history.UndoCount(), 33);
    for (int n = 0; n < 33; ++n) {
        ASSERT_TRUE(doc.history.CanUndo());
        doc.history.Undo();
    }
    EXPECT_FALSE(doc.history.CanUndo());
    // The oldest seven edits can no longer be taken back; the rest are.
    EXPECT_EQ(doc.image.Palette()[6], Rgb(255, 6, 0));
    EXPECT_EQ(doc.image.Palette()[7], DefaultPalette()[7]);
    EXPECT_EQ(doc.image.Palette()[39], DefaultPalette()[39]);
}

TEST_F(DocumentTest, EditsOfOneEntryCoalesceUntilAnotherEntryIntervenes) {
    const RgbQuad before = doc.image.Palette()[7];
    doc.SetPaletteEntry(7, Rgb(255, 0, 0));
    doc.SetPaletteEntry(7, Rgb(0, 255, 0));
    doc.SetPaletteEntry(7, Rgb(0, 0, 255));
    doc.SetPaletteEntry(8, Rgb(1, 1, 1));
    doc.SetPaletteEntry(7, Rgb(2, 2, 2));
    EXPECT_EQ(doc.history.UndoCount(), 3);
    doc.history.Undo();
    EXPECT_EQ(doc.image.Palette()[7], Rgb(0, 0, 255));
    doc.history.Undo();
    EXPECT_EQ(doc.image.Palette()[8], DefaultPalette()[8]);
    doc.history.Undo();
    EXPECT_EQ(doc.image.Palette()[7], before);
}

TEST_F(DocumentTest, SameColourPushesNothingButStillNotifiesAndMarksModified) {
    doc.SetModifiedFlag(false);
    EXPECT_EQ(doc.SetPaletteEntry(5, doc.image.Palette()[5]), 1);
    EXPECT_FALSE(doc.history.CanUndo());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(view.calls.size(), 1u);
    EXPECT_EQ(view.calls[0].hint, HINT_PALETTE);
    EXPECT_EQ(bar.refreshes, 0);  // the bar is the usual caller
    EXPECT_EQ(doc.SetPaletteEntry(256, Rgb(1, 2, 3)), 0);
    EXPECT_EQ(doc.SetPaletteEntry(-1, Rgb(1, 2, 3)), 0);
}

TEST_F(DocumentTest, ReservedByteDoesNotCountAsAChange) {
    RgbQuad same = doc.image.Palette()[9];
    same.rgbReserved = 77;
    doc.SetPaletteEntry(9, same);
    EXPECT_FALSE(doc.history.CanUndo());
    EXPECT_EQ(doc.image.Palette()[9].rgbReserved, 77);
}

TEST_F(DocumentTest, UndoThenNewEditEmptiesRedo) {
    doc.SetPaletteEntry(1, Rgb(9, 9, 9));
    doc.history.Undo();
    EXPECT_TRUE(doc.history.CanRedo());
    doc.SetPaletteEntry(2, Rgb(8, 8, 8));
    EXPECT_FALSE(doc.history.CanRedo());
}

TEST_F(DocumentTest, PaletteUndoRefreshesBarAndViewsAndMarksModified) {
    doc.SetPaletteEntry(4, Rgb(10, 20, 30));
    doc.SetModifiedFlag(false);
    view.calls.clear();
    doc.history.Undo();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(bar.refreshes, 1);
    EXPECT_EQ(bar.last[4], ToColorRef(DefaultPalette()[4]));
    ASSERT_EQ(view.calls.size(), 1u);
    EXPECT_EQ(view.calls[0].hint, HINT_PALETTE);
    doc.history.Redo();
    EXPECT_EQ(bar.last[4], 0x1E140Au);  // red in the low byte
}

TEST_F(DocumentTest, RangeEditIsOneStepAndClipsAt256) {
    std::vector<RgbQuad> colours(10, Rgb(5, 5, 5));
    EXPECT_EQ(doc.SetPaletteEntries(colours.data(), 250, 10, true), 1);
    EXPECT_EQ(doc.image.Palette()[255], Rgb(5, 5, 5));
    EXPECT_EQ(bar.refreshes, 1);
    EXPECT_EQ(doc.history.UndoCount(), 1);
    doc.history.Undo();
    EXPECT_EQ(doc.image.Palette()[250], DefaultPalette()[250]);
    EXPECT_EQ(doc.image.Palette()[255], DefaultPalette()[255]);
    EXPECT_EQ(doc.SetPaletteEntries(colours.data(), 256, 1, true), 0);
    EXPECT_EQ(doc.SetPaletteEntries(colours.data(), 0, 0, true), 0);
    EXPECT_FALSE(doc.history.CanUndo());
    EXPECT_TRUE(doc.history.CanRedo());  // failed calls pushed nothing
}

TEST_F(DocumentTest, ResizeUndoAndRedoRestoreSizePixelsAndTitle) {
    doc.ResizeImage(4, 3, 0);
    doc.history.Clear();
    Fill(6);
    doc.image.Row(2)[3] = 9;
    const std::string smallTitle = doc.GetTitle();
    EXPECT_EQ(smallTitle, "Untitled [4x3@8]");

    ASSERT_EQ(doc.ResizeImage(8, 5, 0), 1);
    EXPECT_EQ(doc.GetTitle(), "Untitled [8x5@8]");
    EXPECT_EQ(doc.backup.Width(), 8);
    EXPECT_EQ(doc.image.GetPixel(7, 4), 0);

    doc.history.Undo();
    EXPECT_EQ(doc.image.Width(), 4);
    EXPECT_EQ(doc.image.Height(), 3);
    EXPECT_EQ(doc.image.GetPixel(3, 2), 9);
    EXPECT_EQ(doc.backup.Width(), 4);
    EXPECT_EQ(doc.GetTitle(), smallTitle);
    EXPECT_EQ(view.calls.back().hint, HINT_IMAGE);
    EXPECT_EQ(view.calls.back().object, &doc.image);

    doc.history.Redo();
    EXPECT_EQ(doc.image.Width(), 8);
    EXPECT_EQ(doc.GetTitle(), "Untitled [8x5@8]");
    EXPECT_EQ(doc.image.GetPixel(3, 2), 9);
}

TEST_F(DocumentTest, ResizeToTheSameSizeRecordsButChangesNothing) {
    doc.SetModifiedFlag(false);
    EXPECT_EQ(doc.ResizeImage(doc.image.Width(), 0, 1), 0);
    EXPECT_EQ(doc.history.UndoCount(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(DocumentTest, StrokeUndoRestoresOnlyTheStrokeRectangle) {
    doc.ResizeImage(16, 16, 0);
    Fill(1);
    Stroke(IRect{4, 5, 9, 7}, 2);
    // Pixels outside the stroke change afterwards without a record of their own.
    doc.image.Row(0)[0] = 3;
    doc.image.Row(15)[15] = 3;
    doc.history.Undo();
    EXPECT_EQ(doc.image.GetPixel(4, 5), 1);
    EXPECT_EQ(doc.image.GetPixel(8, 6), 1);
    EXPECT_EQ(doc.image.GetPixel(0, 0), 3);
    EXPECT_EQ(doc.image.GetPixel(15, 15), 3);
    EXPECT_EQ(view.calls.back().hint, HINT_REGION);
    EXPECT_EQ(view.calls.back().rect.left, 4);
    EXPECT_EQ(view.calls.back().rect.bottom, 7);
    doc.history.Redo();
    EXPECT_EQ(doc.image.GetPixel(8, 6), 2);
    EXPECT_EQ(doc.image.GetPixel(9, 6), 1);
}

TEST_F(DocumentTest, FailedFactoryLetsTheChangeGoAheadWithoutUndo) {
    doc.ResizeImage(8, 8, 0);
    doc.history.Clear();
    const IRect outside{20, 20, 30, 30};
    EXPECT_EQ(doc.MakeRegionRecord(&outside, true), nullptr);
    EXPECT_EQ(doc.history.Push(doc.MakeRegionRecord(&outside, true)), 0);
    EXPECT_EQ(doc.MakeEntryRecord(300), nullptr);
    EXPECT_EQ(doc.MakeRangeRecord(-1, 4), nullptr);
    EXPECT_FALSE(doc.history.CanUndo());

    const IRect partly{6, 6, 30, 30};
    UndoRecordPtr clipped = doc.MakeRegionRecord(&partly, false);
    ASSERT_NE(clipped, nullptr);
    EXPECT_EQ(static_cast<RegionRecord*>(clipped.get())->Rect().right, 8);
}

TEST_F(DocumentTest, SnapshotUndoRestoresPaletteOrderAndPixelsTogether) {
    doc.ResizeImage(2, 1, 0);
    doc.image.Row(0)[0] = 1;
    doc.image.Row(0)[1] = 2;
    const RgbQuad one = doc.image.Palette()[1];
    const RgbQuad two = doc.image.Palette()[2];
    // A swap of entries 1 and 2 as the palette commands do it.
    doc.history.Push(doc.MakeSnapshotRecord());
    doc.image.Palette()[1] = two;
    doc.image.Palette()[2] = one;
    doc.image.Row(0)[0] = 2;
    doc.image.Row(0)[1] = 1;
    bar.refreshes = 0;

    doc.history.Undo();
    EXPECT_EQ(doc.image.Palette()[1], one);
    EXPECT_EQ(doc.image.GetPixel(0, 0), 1);
    EXPECT_EQ(doc.image.GetPixel(1, 0), 2);
    EXPECT_EQ(doc.backup.GetPixel(1, 0), 2);
    EXPECT_EQ(bar.refreshes, 1);
    doc.history.Redo();
    EXPECT_EQ(doc.image.Palette()[1], two);
    EXPECT_EQ(doc.image.GetPixel(0, 0), 2);
}

}  // namespace
}  // namespace vorlin
