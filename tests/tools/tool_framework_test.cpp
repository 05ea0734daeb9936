#include <gtest/gtest.h>

#include "tool_fixture.h"
#include "tools/tool_catalog.h"
#include "app/command_ids.h"

namespace vorlin {
namespace {

using Strings = std::vector<std::string>;

TEST(ToolCatalog, RegistryOrderOptionListsAndBarDefaults) {
    ToolBox box;
    ASSERT_EQ(box.Registry().size(), 11u);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(box.Registry()[i]->Id(), ID_TOOL_SELECT + i);
    EXPECT_EQ(box.Find(1024), nullptr);
    EXPECT_EQ(box.Find(ID_TOOL_BRUSH)->CursorId(), 216);

    EXPECT_EQ(OptionEntries(box.Find(ID_TOOL_BRUSH)),
              (Strings{"sq2", "sq4", " /2", " /4", " \\2", " \\4"}));
    EXPECT_EQ(OptionEntries(box.Find(ID_TOOL_ZOOM)), (Strings{" 1x", " 2x", " 4x", " 6x", " 8x"}));
    EXPECT_TRUE(OptionEntries(box.Find(ID_TOOL_PENCIL)).empty());
    EXPECT_TRUE(OptionEntries(nullptr).empty());
    EXPECT_EQ(SplitOptions("a\n\nb\n"), (Strings{"a", "", "b"}));

    for (CTool* tool : box.Registry()) EXPECT_EQ(tool->Option(), 0u);
    box.ApplyBarDefaults();
    EXPECT_EQ(box.Find(ID_TOOL_SELECT)->Option(), 1u);
    EXPECT_EQ(box.Find(ID_TOOL_ZOOM)->Option(), 3u);
    EXPECT_EQ(box.Find(ID_TOOL_ERASER)->Option(), 2u);
    EXPECT_EQ(box.Find(ID_TOOL_LINE)->Option(), 0u);
}

TEST(ToolCatalog, SetOptionClampsAndReturnsThePrevious) {
    ToolBox box;
    auto& eraser = static_cast<CBrushTool&>(*box.Find(ID_TOOL_ERASER));
    EXPECT_EQ(eraser.NibSize(), 4);
    EXPECT_EQ(eraser.SetOption(9), 0u);
    EXPECT_EQ(eraser.Option(), 3u);
    EXPECT_EQ(eraser.NibSize(), 16);
    EXPECT_EQ(eraser.SetOption(1), 3u);
    EXPECT_EQ(eraser.NibSize(), 6);
    CTool& pencil = *box.Find(ID_TOOL_PENCIL);
    EXPECT_EQ(pencil.SetOption(2), 0u);
    EXPECT_EQ(pencil.Option(), 0u);
}

TEST(ButtonSlotRule, RightAloneRightMiddleAloneMidEverythingElseLeft) {
    EXPECT_EQ(ButtonSlot(kPointerRight | kPointerCtrl), kSlotRight);
    EXPECT_EQ(ButtonSlot(kPointerMiddle), kSlotMid);
    EXPECT_EQ(ButtonSlot(kPointerLeft), kSlotLeft);
    EXPECT_EQ(ButtonSlot(kPointerLeft | kPointerRight), kSlotLeft);
    EXPECT_EQ(ButtonSlot(kPointerRight | kPointerMiddle), kSlotLeft);
}

using StrokeModel = ToolTest;

TEST_F(StrokeModel, SecondButtonDuringAStrokeIsIgnoredAndTheFirstReleaseEndsIt) {
    Press(ID_TOOL_PENCIL, kPointerLeft, 2, 2);
    EXPECT_TRUE(host.captured);
    Tool(ID_TOOL_PENCIL).OnPress(host, kPointerLeft | kPointerRight, 2, 2);
    EXPECT_EQ(Pixel(2, 2), 1);                    // still the Left colour, not redrawn in Right
    Release(ID_TOOL_PENCIL, kPointerLeft, 2, 2);  // the right button's release
    EXPECT_FALSE(tools.Stroke().Active());
    EXPECT_FALSE(host.captured);
    Release(ID_TOOL_PENCIL, 0, 2, 2);  // the left button's release finds no stroke
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(StrokeModel, StrokeOutsideThePictureRecordsNothingAndLeavesTheFlag) {
    Stroke(ID_TOOL_PENCIL, kPointerLeft, {{-5, -5}, {-1, -9}, {40, -1}});
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(StrokeModel, OneRecordCoversTheBoundsOfEverythingChangedAndUndoesIt) {
    SetPixelIndex(20, 20, 7);
    Stroke(ID_TOOL_PENCIL, kPointerLeft, {{0, 0}, {1, 0}, {31, 31}});
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(NewestRecordRect().right, 32);
    EXPECT_EQ(NewestRecordRect().left, 0);
    EXPECT_EQ(NewestRecordRect().bottom, 32);
    doc.history.Undo();
    EXPECT_EQ(PixelsOf(1).size(), 0u);
    EXPECT_EQ(Pixel(20, 20), 7);
}

TEST_F(StrokeModel, ModifiersCountOnlyAsPressed) {
    Press(ID_TOOL_LINE, kPointerLeft, 0, 0);
    Move(ID_TOOL_LINE, kPointerLeft | kPointerCtrl, 6, 2);
    Release(ID_TOOL_LINE, kPointerLeft, 6, 2);
    EXPECT_EQ(Pixel(6, 2), 1);
    EXPECT_EQ(Pixel(6, 6), 0);
}

TEST_F(StrokeModel, InvalidateClipsToTheVisibleRectWidenedByOne) {
    host.clientSide = 10;  // visible (0,0)-(10,10)
    CTool& pencil = Tool(ID_TOOL_PENCIL);
    EXPECT_FALSE(pencil.InvalidateImageRect(host, IRect{11, 0, 20, 5}));
    EXPECT_TRUE(pencil.InvalidateImageRect(host, IRect{5, 5, 20, 20}));
    ASSERT_EQ(host.repainted.size(), 1u);
    EXPECT_EQ(host.repainted[0].right, 11);
    EXPECT_EQ(host.repainted[0].bottom, 11);
}

using ToolSwitching = ToolTest;

TEST_F(ToolSwitching, PreviousToolAndFinishingTheRunningStroke) {
    ToolSwitch& sw = host.toolSwitch;
    EXPECT_EQ(sw.CurrentId(), ID_TOOL_PENCIL);
    EXPECT_EQ(sw.PreviousId(), ID_TOOL_PENCIL);
    Press(ID_TOOL_PENCIL, kPointerLeft, 3, 3);
    EXPECT_TRUE(sw.Select(host, ID_TOOL_LINE));
    EXPECT_EQ(UndoCount(), 1);  // the stroke was committed by the switch
    EXPECT_FALSE(tools.Stroke().Active());
    EXPECT_EQ(sw.PreviousId(), ID_TOOL_PENCIL);
    EXPECT_TRUE(sw.Select(host, -1));
    EXPECT_EQ(sw.CurrentId(), ID_TOOL_PENCIL);
    EXPECT_EQ(sw.PreviousId(), ID_TOOL_LINE);
    EXPECT_TRUE(sw.Select(host, ID_TOOL_PENCIL));
    EXPECT_EQ(sw.PreviousId(), ID_TOOL_PENCIL);  // its own previous tool
    EXPECT_FALSE(sw.Select(host, 4242));
    EXPECT_EQ(sw.CurrentId(), ID_TOOL_PENCIL);
    EXPECT_TRUE(sw.IsEnabled(ID_TOOL_TEXT));
    EXPECT_FALSE(sw.IsEnabled(1024));
}

TEST_F(ToolSwitching, OptionListChangeRepaintsOnlyWhenDifferent) {
    ToolSwitch& sw = host.toolSwitch;
    sw.Select(host, ID_TOOL_RECT);
    const int repaints = host.fullRepaints;
    sw.ChooseOption(host, 0);
    EXPECT_EQ(host.fullRepaints, repaints);
    sw.ChooseOption(host, 2);
    EXPECT_EQ(host.fullRepaints, repaints + 1);
    EXPECT_EQ(Tool(ID_TOOL_RECT).Option(), 2u);
}

}  // namespace
}  // namespace vorlin
