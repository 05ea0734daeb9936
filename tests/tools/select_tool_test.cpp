#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>

#include "tool_fixture.h"
#include "tools/clipboard_dib.h"
#include "tools/tool_messages.h"
#include "app/command_ids.h"

namespace vorlin {
namespace {

class SelectTool : public ToolTest {
  protected:
    SelectTool() { host.toolSwitch.Select(host, ID_TOOL_SELECT); }
    CSelectTool& Sel() { return tools.Select(); }
    void Block(IRect r, int v) {
        FillRect(ViewOf(doc.GetImage().Surface()), r, static_cast<std::uint8_t>(v));
    }
    std::vector<int> RectOf(const IRect& r) const { return {r.left, r.top, r.right, r.bottom}; }
    // Marks and releases a selection from corner to corner.
    void Mark(IPoint a, IPoint b) { Stroke(ID_TOOL_SELECT, kPointerLeft, {a, b}); }
    // Puts a 24-bit w x h bitmap of one colour on the fake clipboard.
    void ClipboardColour(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
        BitmapInfoHeader header{40, w, h, 1, 24, 0, 0, 0, 0, 0, 0};
        std::vector<std::uint8_t> bytes(40 + stride * static_cast<std::size_t>(h), 0);
        std::memcpy(bytes.data(), &header, 40);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint8_t* p = bytes.data() + 40 + stride * static_cast<std::size_t>(y) + 3 * x;
                p[0] = b, p[1] = g, p[2] = r;
            }
        host.clipboard.data[ClipFormat::Dib] = bytes;
    }
    // Every pixel different from its neighbours, so a misplaced or lost pixel shows.
    void Pattern() {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) SetPixelIndex(x, y, (x * 7 + y * 13) % 250 + 5);
    }
    std::vector<std::uint8_t> Picture() const { return doc.GetImage().Surface().bits; }
    // How many pixels of the picture differ from `earlier`.
    long Changed(const std::vector<std::uint8_t>& earlier) const {
        const std::vector<std::uint8_t> now = Picture();
        if (now.size() != earlier.size()) return -1;
        long n = 0;
        for (std::size_t i = 0; i < now.size(); ++i) n += now[i] != earlier[i];
        return n;
    }
    void UndoAll() {
        while (doc.history.CanUndo()) doc.history.Undo();
    }
    void RedoAll() {
        while (doc.history.CanRedo()) doc.history.Redo();
    }
    std::uint32_t PictureChecksum() const {
        std::uint32_t sum = 0;
        const CIndexImage& img = doc.GetImage();
        for (int y = 0; y < img.Height(); ++y)
            for (int x = 0; x < img.Width(); ++x) sum = sum * 31 + img.Row(y)[x];
        return sum;
    }
};

TEST_F(SelectTool, MarqueeOutsideMakesNothingAndPartlyOutsideIsClipped) {
    const std::uint32_t before = PictureChecksum();
    Mark({-10, -10}, {-2, -3});
    EXPECT_FALSE(Sel().HasSelection());
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_EQ(PictureChecksum(), before);  // the inverted marquee is gone again

    Mark({-3, -3}, {4, 5});
    ASSERT_TRUE(Sel().HasSelection());
    EXPECT_EQ(RectOf(Sel().SelectionRect()), (std::vector<int>{0, 0, 5, 6}));
    EXPECT_EQ(PictureChecksum(), before);
    EXPECT_EQ(UndoCount(), 1);  // making a selection is one step
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SelectTool, MarqueeInvertsWhileDraggingAndRestoresBetweenSteps) {
    Press(ID_TOOL_SELECT, kPointerLeft, 2, 2);
    Move(ID_TOOL_SELECT, kPointerLeft, 10, 10);
    EXPECT_NE(PixelsOf(0).size(), 32u * 32u);
    Move(ID_TOOL_SELECT, kPointerLeft, 5, 5);
    EXPECT_EQ(Pixel(10, 10), 0);  // the larger marquee was taken out
    EXPECT_EQ(Pixel(2, 2), 255);
    // Dropping the tool mid-drag must not leave the marquee in the picture.
    Sel().Finish(host);
    EXPECT_EQ(PixelsOf(0).size(), 32u * 32u);
    EXPECT_FALSE(host.captured);
}

TEST_F(SelectTool, MovingLeavesTheBackgroundAndCtrlLeavesACopy) {
    for (bool copy : {false, true}) {
        NewPicture(32, 32);
        Block(IRect{2, 2, 5, 5}, 7);
        Mark({2, 2}, {4, 4});
        const std::uint32_t press = kPointerLeft | (copy ? kPointerCtrl : 0);
        Stroke(ID_TOOL_SELECT, press, {{3, 3}, {8, 4}, {13, 3}});
        EXPECT_EQ(RectOf(Sel().SelectionRect()), (std::vector<int>{12, 2, 15, 5}));
        EXPECT_EQ(Pixel(12, 2), 7);
        EXPECT_EQ(Pixel(14, 4), 7);
        EXPECT_EQ(Pixel(7, 3), 0);  // the intermediate place was restored
        EXPECT_EQ(Pixel(3, 3), copy ? 7 : 3) << copy;
        EXPECT_EQ(UndoCount(), 2);
        EXPECT_EQ(RectOf(NewestRecordRect()), (std::vector<int>{12, 2, 15, 5}));
    }
}

TEST_F(SelectTool, TransparentModeUsesTheBackgroundFromWhenMasksWereBuilt) {
    Sel().SetOption(CSelectTool::kTransparent);
    Block(IRect{0, 0, 2, 1}, 3);  // background-coloured pixels: transparent
    Block(IRect{0, 1, 2, 2}, 5);
    Block(IRect{10, 0, 12, 2}, 8);
    Mark({0, 0}, {1, 1});
    Stroke(ID_TOOL_SELECT, kPointerLeft, {{0, 0}, {10, 0}});
    EXPECT_EQ(Pixel(10, 0), 8);  // shows through
    EXPECT_EQ(Pixel(10, 1), 5);

    host.slots.slots[3] = 5;  // no effect until the masks are rebuilt
    Stroke(ID_TOOL_SELECT, kPointerLeft, {{10, 0}, {20, 0}});
    EXPECT_EQ(Pixel(10, 0), 8);
    EXPECT_EQ(Pixel(20, 0), 0);
    EXPECT_EQ(Pixel(20, 1), 5);

    Sel().SetOption(CSelectTool::kOpaque);
    EXPECT_EQ(Pixel(20, 0), 3);
    Sel().SetOption(CSelectTool::kTransparent);
    EXPECT_EQ(Pixel(20, 0), 3);
    EXPECT_EQ(Pixel(20, 1), 0);  // now 5 is the transparent index
}

TEST_F(SelectTool, RotationKeepsTheCentreAndTurnsTheContent) {
    for (int x = 0; x < 5; ++x) {
        SetPixelIndex(10 + x, 10, 20 + x);
        SetPixelIndex(10 + x, 11, 30 + x);
    }
    Mark({10, 10}, {14, 11});
    ASSERT_TRUE(Sel().RotateSelection(host, true));
    EXPECT_EQ(RectOf(Sel().SelectionRect()), (std::vector<int>{11, 9, 13, 14}));
    // Clockwise: the bottom row becomes the left column, read top to bottom.
    EXPECT_EQ(Pixel(11, 9), 30);
    EXPECT_EQ(Pixel(12, 9), 20);
    EXPECT_EQ(Pixel(11, 13), 34);
    EXPECT_EQ(Pixel(14, 10), 3);  // the uncovered corner shows the background
    ASSERT_TRUE(Sel().RotateSelection(host, false));
    EXPECT_EQ(RectOf(Sel().SelectionRect()), (std::vector<int>{10, 10, 15, 12}));
    EXPECT_EQ(Pixel(10, 10), 20);
    EXPECT_EQ(Pixel(14, 11), 34);
}

TEST_F(SelectTool, UndoBringsBackEveryPixelATurnedOrFlippedSelectionCovered) {
    // A 5 x 2 selection at (10, 10); turning it reaches rows the selection never covered.
    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"rotate", [&] { Sel().RotateSelection(host, true); }},
        {"flip", [&] { Sel().FlipSelection(host, true); }},
        {"flip and rotate back",
         [&] {
             Sel().FlipSelection(host, false);
             Sel().RotateSelection(host, false);
         }},
        {"move then rotate",
         [&] {
             Stroke(ID_TOOL_SELECT, kPointerLeft, {{10, 10}, {16, 16}});
             Sel().RotateSelection(host, true);
         }},
        {"rotate then move",
         [&] {
             Sel().RotateSelection(host, false);
             Stroke(ID_TOOL_SELECT, kPointerLeft, {{11, 9}, {20, 20}});
         }},
        {"transparent rotate",
         [&] {
             Sel().SetOption(CSelectTool::kTransparent);
             Sel().RotateSelection(host, true);
         }},
    };
    const std::vector<std::pair<const char*, std::function<void()>>> drops = {
        {"tool switch", [&] { host.toolSwitch.Select(host, ID_TOOL_PENCIL); }},
        {"click elsewhere",
         [&] {
             Stroke(ID_TOOL_SELECT, kPointerLeft, {{-5, -5}});
         }},
    };
    for (const auto& [editName, edit] : edits) {
        for (const auto& [dropName, drop] : drops) {
            NewPicture(32, 32);
            host.toolSwitch.Select(host, ID_TOOL_SELECT);
            Sel().SetOption(CSelectTool::kOpaque);
            Pattern();
            const std::vector<std::uint8_t> before = Picture();
            Mark({10, 10}, {14, 11});
            edit();
            drop();
            EXPECT_FALSE(Sel().HasSelection());
            const std::vector<std::uint8_t> dropped = Picture();
            ASSERT_NE(dropped, before) << editName;
            UndoAll();
            EXPECT_EQ(Changed(before), 0) << editName << ", " << dropName;
            RedoAll();
            EXPECT_EQ(Changed(dropped), 0) << editName << ", " << dropName;
        }
    }
}

TEST_F(SelectTool, DeleteAfterARotationRecordsWhereTheSelectionLiesNow) {
    for (bool moved : {false, true}) {
        NewPicture(32, 32);
        Pattern();
        const std::vector<std::uint8_t> before = Picture();
        Mark({10, 10}, {14, 11});
        if (moved) Stroke(ID_TOOL_SELECT, kPointerLeft, {{10, 10}, {16, 16}});
        const std::vector<std::uint8_t> unturned = Picture();
        ASSERT_TRUE(Sel().RotateSelection(host, true));
        const std::vector<std::uint8_t> turned = Picture();
        ASSERT_TRUE(Sel().DeleteSelection(host));
        const std::vector<std::uint8_t> deleted = Picture();
        doc.history.Undo();
        EXPECT_EQ(Changed(turned), 0) << moved;
        doc.history.Undo();
        EXPECT_EQ(Changed(unturned), 0) << moved;
        UndoAll();
        EXPECT_EQ(Changed(before), 0) << moved;
        RedoAll();
        EXPECT_EQ(Changed(deleted), 0) << moved;
    }
    // Without a turn, deleting a fresh selection still adds no step of its own.
    NewPicture(32, 32);
    Mark({10, 10}, {14, 11});
    Sel().FlipSelection(host, true);
    ASSERT_TRUE(Sel().DeleteSelection(host));
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(SelectTool, FlipsMirrorTheSelectionOnlyAndNeedOne) {
    SetPixelIndex(0, 0, 9);
    EXPECT_FALSE(Sel().FlipSelection(host, true));
    EXPECT_EQ(Pixel(0, 0), 9);
    SetPixelIndex(2, 2, 4);
    Mark({2, 2}, {4, 3});
    ASSERT_TRUE(Sel().FlipSelection(host, true));
    EXPECT_EQ(Pixel(4, 2), 4);
    EXPECT_EQ(Pixel(2, 2), 0);
    ASSERT_TRUE(Sel().FlipSelection(host, false));
    EXPECT_EQ(Pixel(4, 3), 4);
    EXPECT_EQ(Pixel(0, 0), 9);
    Sel().Finish(host);
    EXPECT_FALSE(Sel().RotateSelection(host, true));
    EXPECT_EQ(Pixel(4, 3), 4);
}

TEST_F(SelectTool, EscDropsTheSelectionWithoutARecordAndOtherButtonsToo) {
    Block(IRect{4, 4, 6, 6}, 7);
    Mark({4, 4}, {5, 5});
    Stroke(ID_TOOL_SELECT, kPointerLeft, {{4, 4}, {8, 8}});
    const int records = UndoCount();
    Sel().Finish(host);
    EXPECT_FALSE(Sel().HasSelection());
    EXPECT_EQ(UndoCount(), records);
    EXPECT_EQ(Pixel(8, 8), 7);

    Mark({8, 8}, {9, 9});
    ASSERT_TRUE(Sel().HasSelection());
    Press(ID_TOOL_SELECT, kPointerRight, 8, 8);
    EXPECT_FALSE(Sel().HasSelection());
    Release(ID_TOOL_SELECT, kPointerRight, 8, 8);
    EXPECT_EQ(UndoCount(), records + 1);
}

TEST_F(SelectTool, CursorIsTheArrowOverTheSelection) {
    Mark({4, 4}, {5, 5});
    Move(ID_TOOL_SELECT, 0, 4, 5);
    EXPECT_FALSE(Sel().SetToolCursor(host));
    Move(ID_TOOL_SELECT, 0, 9, 9);
    EXPECT_TRUE(Sel().SetToolCursor(host));
    EXPECT_EQ(host.cursor, 210);
}

TEST_F(SelectTool, CopyPutsABottomUp256ColourBitmapWithTheDocumentPalette) {
    SetPixelIndex(3, 3, 17);
    Mark({3, 3}, {5, 4});
    ASSERT_TRUE(Sel().CopyToClipboard(host, false));
    const auto& block = host.clipboard.data[ClipFormat::Dib];
    ASSERT_EQ(block.size(), 1064u + 4 * 2);
    BitmapInfoHeader h;
    std::memcpy(&h, block.data(), 40);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(0, std::memcmp(block.data() + 40, doc.GetImage().Palette(), 1024));
    EXPECT_EQ(block[1064 + 4], 17);  // top row stored second
    EXPECT_FALSE(host.clipboard.isOpen);
    EXPECT_TRUE(Sel().HasSelection());
}

TEST_F(SelectTool, CutAndDeleteTakeTheSelectionOutAsOneStep) {
    Block(IRect{3, 3, 5, 5}, 7);
    Mark({3, 3}, {4, 4});
    Stroke(ID_TOOL_SELECT, kPointerLeft, {{3, 3}, {10, 10}});
    ASSERT_TRUE(Sel().CopyToClipboard(host, true));
    EXPECT_FALSE(Sel().HasSelection());
    EXPECT_EQ(Pixel(10, 10), 0);
    EXPECT_EQ(Pixel(3, 3), 3);
    EXPECT_EQ(UndoCount(), 3);
    doc.history.Undo();
    EXPECT_EQ(Pixel(10, 10), 7);
    EXPECT_FALSE(Sel().DeleteSelection(host));
}

TEST_F(SelectTool, ClipboardThatWillNotOpen) {
    Mark({3, 3}, {4, 4});
    host.clipboard.openable = false;
    EXPECT_FALSE(Sel().CopyToClipboard(host, true));
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{std::string(kMsgClipboardOpen)}));
    EXPECT_FALSE(Sel().HasSelection());  // a cut has already removed it
    EXPECT_FALSE(Sel().PasteSequence(host));
}

TEST_F(SelectTool, PasteMatchesColoursAndRevealsThePictureWhenMoved) {
    host.toolSwitch.Select(host, ID_TOOL_PENCIL);
    NewPicture(64, 64);
    Block(IRect{0, 0, 64, 64}, 9);
    host.origin = IPoint{4, 6};
    ClipboardColour(3, 2, 0, 0xF0, 0);  // default palette: entry 31 is green 0xF0
    ASSERT_TRUE(Sel().PasteSequence(host));
    EXPECT_EQ(host.toolSwitch.CurrentId(), ID_TOOL_SELECT);
    EXPECT_EQ(RectOf(Sel().SelectionRect()), (std::vector<int>{4, 6, 7, 8}));
    EXPECT_EQ(Pixel(4, 6), 31);
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    Stroke(ID_TOOL_SELECT, kPointerLeft, {{4, 6}, {20, 20}});
    EXPECT_EQ(Pixel(4, 6), 9);
    EXPECT_EQ(Pixel(21, 21), 31);
    doc.history.Undo();
    doc.history.Undo();
    EXPECT_EQ(Pixel(4, 6), 9);
}

// The clipboard holds two pixels of entries 40 and 41 of its own palette, whose colours are
// entries 7 and 9 of the picture's; the picture's 40 and 41 are other colours.
TEST_F(SelectTool, PasteModesMapIndicesOrColoursAndBringColours) {
    using Mode = CSelectTool::PasteMode;
    struct Row {
        Mode mode;
        bool paletted;  // else the same colours in 24 bits
        int left, right;
        bool coloursBrought;
    };
    const Row rows[] = {
        {Mode::ByColor, true, 7, 9, false},
        {Mode::ByPalette, true, 40, 41, false},
        {Mode::BySource, true, 40, 41, true},
        {Mode::BySource, false, 7, 9, false},  // no palette to bring: by colour
        {Mode::ByPalette, false, 7, 9, false},
    };
    const RgbQuad dark{3, 2, 1, 0}, red{0, 0, 250, 0}, grey{200, 200, 200, 0};
    for (const Row& r : rows) {
        NewPicture(16, 16);
        RgbQuad* pal = doc.GetImage().Palette();
        pal[7] = dark, pal[9] = red, pal[40] = grey, pal[41] = grey, pal[42] = grey;
        std::vector<RgbQuad> clipPalette(256, RgbQuad{0, 255, 0, 0});
        clipPalette[40] = dark, clipPalette[41] = red;
        IndexSurface clip(2, 1);
        clip.Row(0)[0] = 40, clip.Row(0)[1] = 41;
        if (r.paletted) {
            host.clipboard.data[ClipFormat::Dib] = PackClipboardDib(clip, clipPalette.data());
        } else {
            BitmapInfoHeader header{40, 2, 1, 1, 24, 0, 0, 0, 0, 0, 0};
            std::vector<std::uint8_t> bytes(48, 0);
            std::memcpy(bytes.data(), &header, 40);
            const std::uint8_t pixels[6] = {3, 2, 1, 0, 0, 250};  // blue, green, red
            std::memcpy(bytes.data() + 40, pixels, 6);
            host.clipboard.data[ClipFormat::Dib] = bytes;
        }
        Sel().SetPasteMode(r.mode);
        host.origin = IPoint{0, 0};
        ASSERT_TRUE(Sel().PasteSequence(host));
        EXPECT_EQ(Pixel(0, 0), r.left) << static_cast<int>(r.mode);
        EXPECT_EQ(Pixel(1, 0), r.right) << static_cast<int>(r.mode);
        EXPECT_EQ(pal[40].rgbRed, r.coloursBrought ? 1 : 200) << static_cast<int>(r.mode);
        EXPECT_EQ(pal[41].rgbRed, r.coloursBrought ? 250 : 200);
        EXPECT_EQ(pal[42].rgbRed, 200);  // not used by the pasted pixels
        EXPECT_EQ(UndoCount(), 1);
        Sel().Finish(host);
        doc.Undo();  // pixels and colours in one step
        EXPECT_EQ(Pixel(0, 0), 0);
        EXPECT_EQ(pal[40].rgbRed, 200);
    }
    Sel().SetPasteMode(Mode::ByColor);
}

TEST_F(SelectTool, FailedPasteSaysSoAndLeavesTheDocument) {
    const std::uint32_t before = PictureChecksum();
    EXPECT_FALSE(Sel().PasteSequence(host));  // empty clipboard
    host.clipboard.data[ClipFormat::Dib] = {1, 2, 3};
    EXPECT_FALSE(Sel().PasteSequence(host));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, kMsgPasteFailed);
    EXPECT_EQ(ui.messages[0].caption, kCaptionPasteFailed);
    EXPECT_EQ(PictureChecksum(), before);
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(host.clipboard.isOpen);
}

TEST_F(SelectTool, PasteIsOfferedForABitmapOrTheMarkerFormat) {
    EXPECT_FALSE(CanPaste(host.clipboard));
    host.clipboard.data[ClipFormat::Private] = {};
    EXPECT_TRUE(CanPaste(host.clipboard));
}

}  // namespace
}  // namespace vorlin
