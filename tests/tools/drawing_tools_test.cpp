#include <gtest/gtest.h>

#include "tool_fixture.h"
#include "app/command_ids.h"

namespace vorlin {
namespace {

using Strings = std::vector<std::string>;

class DrawingTools : public ToolTest {
  protected:
    // The pixels of index v inside the box, as rows of '#' and '.'.
    std::vector<std::string> Picture(int v, int x0, int y0, int x1, int y1) const {
        std::vector<std::string> rows;
        for (int y = y0; y <= y1; ++y) {
            std::string row;
            for (int x = x0; x <= x1; ++x) row += Pixel(x, y) == v ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(DrawingTools, PencilClickSetsOnePixelAndFastDragJoinsWithALine) {
    Stroke(ID_TOOL_PENCIL, kPointerLeft, {{5, 7}});
    EXPECT_EQ(PixelsOf(1), (Strings{"5,7"}));
    EXPECT_EQ(NewestRecordRect().left, 5);
    EXPECT_EQ(NewestRecordRect().right, 6);

    NewPicture(32, 32);
    Stroke(ID_TOOL_PENCIL, kPointerRight, {{0, 0}, {10, 3}});
    const Strings line = PixelsOf(3);  // Right slot
    EXPECT_EQ(line.size(), 11u);
    EXPECT_EQ(line.front(), "0,0");
    EXPECT_EQ(line.back(), "10,3");
    for (int x = 0; x <= 10; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 5; ++y) inColumn += Pixel(x, y) == 3;
        EXPECT_EQ(inColumn, 1) << x;
    }
}

TEST_F(DrawingTools, BorderRectangleIsTheOutlineOfTheInclusiveBox) {
    Tool(ID_TOOL_RECT).SetOption(1);
    Stroke(ID_TOOL_RECT, kPointerLeft, {{2, 2}, {5, 4}});
    EXPECT_EQ(Picture(1, 1, 1, 6, 5), (Strings{"......", ".####.", ".#..#.", ".####.", "......"}));
    EXPECT_EQ(NewestRecordRect().right, 6);
    EXPECT_EQ(NewestRecordRect().bottom, 5);
}

TEST_F(DrawingTools, FilledOptionsUseButtonAndBackgroundColours) {
    host.slots.slots[3] = 9;
    Tool(ID_TOOL_RECT).SetOption(2);
    Stroke(ID_TOOL_RECT, kPointerMiddle, {{2, 2}, {5, 5}});
    EXPECT_EQ(Picture(2, 2, 2, 5, 5), (Strings{"####", "#..#", "#..#", "####"}));
    EXPECT_EQ(Picture(9, 2, 2, 5, 5), (Strings{"....", ".##.", ".##.", "...."}));
    Tool(ID_TOOL_RECT).SetOption(0);
    Stroke(ID_TOOL_RECT, kPointerLeft, {{10, 10}, {12, 12}});
    EXPECT_EQ(PixelsOf(1).size(), 9u);
}

TEST_F(DrawingTools, ShiftCentresRectanglesWithAsymmetricSpans) {
    Press(ID_TOOL_RECT, kPointerLeft | kPointerShift, 10, 10);
    Move(ID_TOOL_RECT, kPointerLeft, 13, 12);
    const IRect right = tools.Stroke().shapeRect;
    EXPECT_EQ((std::vector<int>{right.left, right.top, right.right, right.bottom}),
              (std::vector<int>{6, 7, 14, 13}));
    Move(ID_TOOL_RECT, kPointerLeft, 7, 8);
    const IRect left = tools.Stroke().shapeRect;
    EXPECT_EQ((std::vector<int>{left.left, left.top, left.right, left.bottom}),
              (std::vector<int>{7, 8, 14, 13}));
    Release(ID_TOOL_RECT, kPointerLeft, 7, 8);
    // Only the last shape remains: nothing from the larger previous one.
    EXPECT_EQ(Pixel(6, 7), 0);
    EXPECT_EQ(Pixel(7, 8), 1);
    EXPECT_EQ(Pixel(13, 12), 1);
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(DrawingTools, CtrlSquaresLinesAndWinsOverShift) {
    Stroke(ID_TOOL_LINE, kPointerLeft | kPointerCtrl | kPointerShift, {{10, 10}, {15, 8}});
    EXPECT_EQ(PixelsOf(1), (Strings{"15,5", "14,6", "13,7", "12,8", "11,9", "10,10"}));
    EXPECT_EQ(NewestRecordRect().top, 5);

    NewPicture(32, 32);
    Stroke(ID_TOOL_LINE, kPointerLeft | kPointerShift, {{0, 0}, {3, 3}});
    EXPECT_EQ(PixelsOf(1), (Strings{"0,0", "1,0", "2,0", "3,0"}));
    NewPicture(32, 32);
    Stroke(ID_TOOL_LINE, kPointerLeft | kPointerShift, {{0, 0}, {2, 3}});
    EXPECT_EQ(PixelsOf(1), (Strings{"0,0", "0,1", "0,2", "0,3"}));
}

TEST_F(DrawingTools, PatternedLinesLeaveGapsButSetTheEndPoint) {
    for (unsigned option : {1u, 2u}) {
        NewPicture(32, 32);
        FillPicture(7);
        Tool(ID_TOOL_LINE).SetOption(option);
        Stroke(ID_TOOL_LINE, kPointerLeft, {{0, 0}, {19, 0}});
        const std::size_t drawn = PixelsOf(1).size();
        EXPECT_GT(drawn, 1u) << option;
        EXPECT_LT(drawn, 20u) << option;
        EXPECT_EQ(PixelsOf(7).size(), 32u * 32u - drawn) << option;  // gaps untouched
        EXPECT_EQ(Pixel(19, 0), 1) << option;
    }
}

TEST_F(DrawingTools, OneByOneShapesSetOnlyTheAnchorWhateverTheOption) {
    for (int id : {ID_TOOL_RECT, ID_TOOL_ELLIPSE}) {
        for (unsigned option : {0u, 1u, 2u}) {
            NewPicture(16, 16);
            Tool(id).SetOption(option);
            Stroke(id, kPointerLeft, {{4, 4}});
            EXPECT_EQ(PixelsOf(1), (Strings{"4,4"})) << id << " " << option;
            EXPECT_EQ(PixelsOf(0).size(), 255u);
        }
    }
}

TEST_F(DrawingTools, EllipseTouchesItsBoxAndBorderLeavesTheInside) {
    Tool(ID_TOOL_ELLIPSE).SetOption(1);
    Stroke(ID_TOOL_ELLIPSE, kPointerLeft, {{2, 2}, {12, 8}});
    EXPECT_EQ(Pixel(7, 2), 1);
    EXPECT_EQ(Pixel(7, 8), 1);
    EXPECT_EQ(Pixel(2, 5), 1);
    EXPECT_EQ(Pixel(12, 5), 1);
    EXPECT_EQ(Pixel(7, 5), 0);
    EXPECT_EQ(Pixel(2, 2), 0);
}

TEST_F(DrawingTools, BrushSquareNibSweepsWithoutGaps) {
    Tool(ID_TOOL_BRUSH).SetOption(1);  // sq4
    Stroke(ID_TOOL_BRUSH, kPointerLeft, {{4, 10}, {20, 14}});
    for (int x = 2; x <= 21; ++x) {
        // Along the path every column holds paint on the line between the centres.
        const int y = 10 + (x - 4) * 4 / 16;
        EXPECT_EQ(Pixel(std::clamp(x, 4, 20), y), 1) << x;
    }
    // The first footprint is x 2..5, y 8..11; nothing lies above or left of it.
    EXPECT_EQ(Picture(1, 0, 6, 3, 9), (Strings{"....", "....", "..##", "..##"}));
    EXPECT_EQ(Pixel(19, 15), 1);  // footprint at the end: 18..21 x 12..15
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(DrawingTools, SlashAndBackslashNibsAreDiagonalSegments) {
    Tool(ID_TOOL_BRUSH).SetOption(3);  // " /4"
    Stroke(ID_TOOL_BRUSH, kPointerLeft, {{10, 10}});
    EXPECT_EQ(Picture(1, 8, 8, 11, 11), (Strings{"...#", "..#.", ".#..", "#..."}));
    NewPicture(32, 32);
    Tool(ID_TOOL_BRUSH).SetOption(5);  // " \4"
    Stroke(ID_TOOL_BRUSH, kPointerLeft, {{10, 10}});
    EXPECT_EQ(Picture(1, 8, 8, 11, 11), (Strings{"#...", ".#..", "..#.", "...#"}));

    // A drag sweeps the nib segment back to the previous position: a parallelogram.
    NewPicture(32, 32);
    Tool(ID_TOOL_BRUSH).SetOption(2);  // " /2"
    Stroke(ID_TOOL_BRUSH, kPointerLeft, {{10, 10}, {14, 10}});
    EXPECT_EQ(Picture(1, 8, 8, 15, 11), (Strings{"........", "..#####.", ".#####..", "........"}));
    EXPECT_EQ(NewestRecordRect().left, 9);
    EXPECT_EQ(NewestRecordRect().right, 16);
}

TEST_F(DrawingTools, EraserButtonsChooseWhatIsErased) {
    host.slots.slots[1] = 5;  // fore
    host.slots.slots[3] = 9;  // background
    auto paint = [&] {
        NewPicture(16, 16);
        for (int x = 0; x < 16; ++x) SetPixelIndex(x, 8, x % 2 ? 5 : 6);
    };
    Tool(ID_TOOL_ERASER).SetOption(0);  // nib 4: x 6..9, y 6..9 around (8, 8)

    paint();
    Stroke(ID_TOOL_ERASER, kPointerLeft, {{8, 8}});
    EXPECT_EQ(PixelsOf(9).size(), 16u);

    paint();
    Stroke(ID_TOOL_ERASER, kPointerRight, {{8, 8}});
    EXPECT_EQ(PixelsOf(9), (Strings{"7,8", "9,8"}));
    // No sweep with the right button: a jump leaves the fore colour between the nibs.
    paint();
    Stroke(ID_TOOL_ERASER, kPointerRight, {{2, 8}, {14, 8}});
    EXPECT_EQ(Pixel(7, 8), 5);
    EXPECT_EQ(Pixel(13, 8), 9);

    for (std::uint32_t middle : {kPointerMiddle, kPointerMiddle | kPointerRight}) {
        paint();
        Stroke(ID_TOOL_ERASER, middle, {{8, 8}});
        EXPECT_EQ(PixelsOf(9).size(), 14u) << middle;
        EXPECT_EQ(Pixel(7, 8), 5);
        EXPECT_EQ(Pixel(8, 8), 9);
    }
}

TEST_F(DrawingTools, EraserRightButtonWithoutForeColourStillRecords) {
    host.slots.slots[1] = 5;
    Stroke(ID_TOOL_ERASER, kPointerRight, {{8, 8}, {9, 8}});
    EXPECT_EQ(PixelsOf(0).size(), 32u * 32u);
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(DrawingTools, HoveringBrushRepaintsOldAndNewNibOutline) {
    Move(ID_TOOL_ERASER, 0, 10, 10);
    host.repainted.clear();
    Move(ID_TOOL_ERASER, 0, 12, 10);
    ASSERT_EQ(host.repainted.size(), 2u);
    EXPECT_EQ(host.repainted[0].left, 8);
    EXPECT_EQ(host.repainted[1].left, 10);
    EXPECT_EQ(PixelsOf(0).size(), 32u * 32u);
}

TEST_F(DrawingTools, FillSurfaceAndBorderModes) {
    FrameRect(ViewOf(doc.GetImage().Surface()), IRect{0, 0, 8, 8}, 1);
    SetPixelIndex(3, 3, 4);
    Stroke(ID_TOOL_FILL, kPointerRight, {{2, 2}});  // surface: the zeros inside the frame
    EXPECT_EQ(PixelsOf(3).size(), 35u);
    EXPECT_EQ(Pixel(3, 3), 4);
    EXPECT_EQ(Pixel(10, 10), 0);
    EXPECT_EQ(NewestRecordRect().right, 32);
    EXPECT_EQ(NewestRecordRect().bottom, 32);

    Stroke(ID_TOOL_FILL, kPointerLeft | kPointerCtrl, {{2, 2}});  // bounded by index 1
    EXPECT_EQ(PixelsOf(1).size(), 28u + 36u);
    EXPECT_EQ(Pixel(10, 10), 0);
    EXPECT_EQ(UndoCount(), 2);
}

TEST_F(DrawingTools, FillThatChangesNothingStillRecordsTheWholePicture) {
    FillPicture(1);
    Stroke(ID_TOOL_FILL, kPointerLeft, {{5, 5}});
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    Stroke(ID_TOOL_FILL, kPointerLeft | kPointerCtrl, {{5, 5}});
    EXPECT_EQ(PixelsOf(1).size(), 32u * 32u);
    Stroke(ID_TOOL_FILL, kPointerLeft, {{-1, 5}});  // outside: ignored
    EXPECT_EQ(UndoCount(), 2);
}

TEST_F(DrawingTools, PipettePicksIntoTheButtonSlotAndReturnsToThePreviousTool) {
    SetPixelIndex(6, 6, 42);
    host.toolSwitch.Select(host, ID_TOOL_LINE);
    host.toolSwitch.Select(host, ID_TOOL_PIPETTE);
    Stroke(ID_TOOL_PIPETTE, kPointerMiddle, {{6, 6}});
    EXPECT_EQ(host.slots.slots[2], 42);
    EXPECT_EQ(host.slots.active, 2);
    EXPECT_EQ(host.toolSwitch.CurrentId(), ID_TOOL_LINE);
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_FALSE(host.captured);
}

TEST_F(DrawingTools, ZoomAlternatesBetweenTheChosenAndThePreviousFactor) {
    NewPicture(256, 256);
    Tool(ID_TOOL_ZOOM).SetOption(3);
    Stroke(ID_TOOL_ZOOM, kPointerLeft, {{100, 60}});
    EXPECT_EQ(host.zoom, 6);
    EXPECT_EQ(Tool(ID_TOOL_ZOOM).Option(), 0u);
    EXPECT_EQ(host.shownOption, 0);
    EXPECT_EQ(host.origin.x, 100 - 4);  // 8 pixels visible at zoom 6
    EXPECT_EQ(host.origin.y, 60 - 4);
    Stroke(ID_TOOL_ZOOM, kPointerLeft, {{100, 60}});
    EXPECT_EQ(host.zoom, 1);
    EXPECT_EQ(Tool(ID_TOOL_ZOOM).Option(), 3u);
    EXPECT_EQ(UndoCount(), 0);

    host.zoom = 16;
    Stroke(ID_TOOL_ZOOM, kPointerLeft, {{1, 1}});
    EXPECT_EQ(Tool(ID_TOOL_ZOOM).Option(), 4u);
    host.zoom = 3.5;
    Stroke(ID_TOOL_ZOOM, kPointerLeft, {{1, 1}});
    EXPECT_EQ(Tool(ID_TOOL_ZOOM).Option(), 2u);
}

}  // namespace
}  // namespace vorlin
