#include <gtest/gtest.h>

#include "tool_fixture.h"
#include "tools/text_font.h"
#include "tools/tool_messages.h"
#include "app/command_ids.h"

namespace vorlin {
namespace {

class TextTool : public ToolTest {
  protected:
    TextTool() {
        NewPicture(64, 48);
        host.editor.font.height = 13;  // the fake font's ascent is 11
    }
    CTextTool& Text() { return tools.Text(); }
    void Type(const std::string& text) {
        host.editor.text = text;
        Text().OnEditorChanged(host);
    }
    void Click(std::uint32_t flags, int x, int y) {
        Press(ID_TOOL_TEXT, flags, x, y);
        Release(ID_TOOL_TEXT, flags, x, y);
    }
};

TEST_F(TextTool, FirstBaselineOnTheClickRowAndRecordToTheCorner) {
    Click(kPointerLeft, 10, 20);
    ASSERT_TRUE(Text().IsActive());
    EXPECT_TRUE(host.editor.visible);
    EXPECT_EQ(UndoCount(), 0);
    Type("AB");
    EXPECT_EQ(Pixel(10, 9), 1);  // top = 20 - 11
    EXPECT_EQ(Pixel(10, 8), 0);
    EXPECT_EQ(Pixel(11, 21), 1);  // cell bottom: 9 + 13 - 1
    EXPECT_EQ(Pixel(11, 22), 0);
    EXPECT_EQ(Pixel(12, 9), 0);  // the gap between the glyphs
    EXPECT_EQ(Pixel(14, 9), 1);
    EXPECT_EQ(Pixel(16, 9), 0);
    Click(kPointerRight, 0, 0);
    EXPECT_FALSE(Text().IsActive());
    EXPECT_FALSE(host.editor.visible);
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(NewestRecordRect().left, 10);
    EXPECT_EQ(NewestRecordRect().top, 9);
    EXPECT_EQ(NewestRecordRect().right, 64);
    EXPECT_EQ(NewestRecordRect().bottom, 48);
    EXPECT_TRUE(doc.IsModified());
    doc.history.Undo();
    EXPECT_EQ(PixelsOf(0).size(), 64u * 48u);
}

TEST_F(TextTool, EachEditReplacesThePreviousRenderingAndLinesStackByCell) {
    Click(kPointerRight, 4, 12);
    Type("WWWW");
    Type("W\r\nW\nW");
    EXPECT_EQ(Pixel(9, 1), 0);   // the longer first rendering is gone
    EXPECT_EQ(Pixel(4, 1), 3);   // Right slot colour
    EXPECT_EQ(Pixel(4, 15), 3);  // second line from 1 + 14
    EXPECT_EQ(Pixel(4, 29), 3);
    EXPECT_EQ(Pixel(4, 28), 0);  // between the cells
    Type("");
    EXPECT_EQ(PixelsOf(0).size(), 64u * 48u);
    Text().Finish(host);
    EXPECT_EQ(UndoCount(), 1);  // nothing left, still one step
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TextTool, LeftClickWhileEditingKeepsThePlaceAndOutsideClickDoesNothing) {
    Click(kPointerLeft, 70, 5);
    EXPECT_FALSE(Text().IsActive());
    EXPECT_FALSE(host.editor.exists);
    Click(kPointerLeft, 10, 20);
    Click(kPointerLeft, 30, 30);
    EXPECT_TRUE(Text().IsActive());
    EXPECT_EQ(Text().TextRect().left, 10);
    EXPECT_EQ(Text().TextRect().top, 20);
}

TEST_F(TextTool, LargeTextIsNotClippedToTheBox) {
    host.editor.font.height = 40;
    Click(kPointerLeft, 2, 40);
    Type("WWWWWWWWWWWWWWWWWWWW");
    EXPECT_EQ(Pixel(60, 2), 1);
    EXPECT_EQ(Pixel(60, 41), 1);
}

TEST_F(TextTool, ClosingTheEditorCommitsOnce) {
    Click(kPointerLeft, 10, 20);
    Type("A");
    host.editor.visible = false;
    Text().OnEditorChanged(host);
    EXPECT_FALSE(Text().IsActive());
    Text().OnEditorChanged(host);
    Text().Finish(host);
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(Pixel(10, 9), 1);
}

TEST_F(TextTool, ToolSwitchFinishesTheEdit) {
    host.toolSwitch.Select(host, ID_TOOL_TEXT);
    Click(kPointerLeft, 10, 20);
    Type("A");
    host.toolSwitch.Select(host, ID_TOOL_PENCIL);
    EXPECT_FALSE(Text().IsActive());
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(TextTool, EditorThatCannotBeCreated) {
    host.editor.creatable = false;
    Click(kPointerLeft, 10, 20);
    EXPECT_FALSE(Text().IsActive());
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{std::string(kMsgTextWindow)}));
}

TEST(TextLines, SplitAtEveryKindOfLineBreak) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines(""), (Lines{""}));
    EXPECT_EQ(SplitTextLines("x\n"), (Lines{"x", ""}));
}

TEST(TextFont, SizesStylesAndFaceLength) {
    FontDescription font = InitialFontDescription("Serif", 96);
    EXPECT_EQ(font.height, 13);
    SetFontSize(font, 60, 96);
    EXPECT_EQ(font.height, 80);
    ToggleBold(font);
    EXPECT_EQ(font.weight, 700);
    ToggleBold(font);
    EXPECT_EQ(font.weight, 400);
    ToggleItalic(font);
    ToggleUnderline(font);
    EXPECT_TRUE(font.italic && font.underline);
    SetFontFace(font, std::string(40, 'f'));
    EXPECT_EQ(font.face.size(), 31u);
    EXPECT_EQ(std::count(kTextSizes.begin(), kTextSizes.end(), 20), 0);
}

}  // namespace
}  // namespace vorlin
