#include "app/palette_bar_model.h"
#include "app/palette_bar_slots.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vorlin {
namespace {

struct RecordingListener : PaletteBarListener {
    void OnActiveColorEdited(int index, ColorRef color) override {
        edits.emplace_back(index, color);
    }
    void OnBankSelected(int bank, const PaletteBarBankState&) override { banks.push_back(bank); }
    std::vector<std::pair<int, ColorRef>> edits;
    std::vector<int> banks;
};

class PaletteBarModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<ColorRef> colors(256, 0);
        for (int i = 0; i < 256; ++i)
            colors[static_cast<std::size_t>(i)] = static_cast<ColorRef>(i);
        bar.SetPalette(colors.data());
        bar.SetListener(&listener);
    }
    PaletteBarModel bar;
    RecordingListener listener;
};

TEST_F(PaletteBarModelTest, StartsWithLeftActiveAndTheDocumentedSlots) {
    EXPECT_EQ(bar.ActiveSlot(), kSlotLeft);
    EXPECT_EQ(bar.GetSlotIndex(kSlotLeft), 1);
    EXPECT_EQ(bar.GetSlotIndex(kSlotMid), 15);
    EXPECT_EQ(bar.GetSlotIndex(kSlotRight), 0);
    EXPECT_EQ(bar.GetSlotIndex(kSlotActive), 1);
    EXPECT_EQ(bar.Bank(), -1);
    EXPECT_EQ(bar.BitsPerChannel(), 5);
    EXPECT_EQ(bar.ChannelMax(), 31);
    bar.SetPalette(nullptr);  // built-in palette: entry 20 is green 0x40
    EXPECT_EQ(bar.Color(20), 0x004000u);
    EXPECT_EQ(bar.Color(255), 0xF8F8F8u);
}

TEST_F(PaletteBarModelTest, ChannelEditsClampScaleAndReportOnlyChanges) {
    auto r = bar.OnChannelEdited(kChannelRed, "31");
    EXPECT_FALSE(r.rewritten);
    EXPECT_EQ(r.sliderPosition, 0);
    EXPECT_EQ(bar.Color(1) & 0xFF, 255u);
    bar.OnChannelEdited(kChannelRed, "16");
    EXPECT_EQ(bar.Color(1) & 0xFF, 131u);
    r = bar.OnChannelEdited(kChannelGreen, "40");
    EXPECT_TRUE(r.rewritten);
    EXPECT_EQ(r.text, "31");
    EXPECT_EQ((bar.Color(1) >> 8) & 0xFF, 255u);
    r = bar.OnChannelEdited(kChannelBlue, "-3");
    EXPECT_EQ(r.text, "0");
    EXPECT_EQ(r.sliderPosition, 31);
    ASSERT_EQ(listener.edits.size(), 3u);  // the blue edit changed nothing
    EXPECT_EQ(listener.edits.back(), std::make_pair(1, ColorRef{0x00FF83}));
    EXPECT_EQ(bar.ChannelText(kChannelRed), "16");
    EXPECT_EQ(bar.SliderPosition(kChannelRed), 15);
    EXPECT_EQ(bar.OnSliderMoved(kChannelRed, 0), "31");
    EXPECT_EQ(bar.OnSliderMoved(kChannelRed, 31), "0");
}

TEST_F(PaletteBarModelTest, NewDepthRequantisesTheActiveColourAndReportsIt) {
    EXPECT_EQ(bar.SetBitsPerChannel(8), 5);
    std::vector<ColorRef> colors(256, 0);
    colors[1] = 135 | (40 << 8) | (255 << 16);
    colors[2] = 5;  // dark enough to vanish at 5 bits
    bar.SetPalette(colors.data());
    EXPECT_EQ(bar.SetBitsPerChannel(5), 8);
    ASSERT_EQ(listener.edits.size(), 1u);
    // 135 >> 3 = 16 → 131; 40 >> 3 = 5 → 41; 255 stays.
    EXPECT_EQ(listener.edits[0], std::make_pair(1, ColorRef{131 | (41 << 8) | (255 << 16)}));
    EXPECT_EQ(bar.SetBitsPerChannel(5), 5);   // unchanged: nothing happens
    EXPECT_EQ(bar.SetBitsPerChannel(12), 5);  // clamped to 8
    EXPECT_EQ(bar.BitsPerChannel(), 8);
    bar.Select(kSlotLeft, 2);
    bar.SetBitsPerChannel(3);  // clamped to 4
    EXPECT_EQ(bar.BitsPerChannel(), 4);
    EXPECT_EQ(bar.Color(2), 0u);
    ASSERT_EQ(listener.edits.size(), 2u);  // the document learns of the dropped shade too
    EXPECT_EQ(listener.edits[1], std::make_pair(2, ColorRef{0}));
}

TEST_F(PaletteBarModelTest, SixteenColourModeMovesSlotsIntoBanks) {
    bar.SelectBank(3);  // mode off: the strip does nothing
    EXPECT_EQ(bar.Bank(), -1);
    EXPECT_TRUE(listener.banks.empty());

    bar.Select(kSlotLeft, 0x23);
    bar.SetSixteenMode(true);
    EXPECT_EQ(bar.Bank(), 2);
    EXPECT_EQ(bar.GetSlotIndex(kSlotMid), 0x2F);
    EXPECT_EQ(bar.GetSlotIndex(kSlotRight), 0x20);
    EXPECT_EQ(listener.banks, (std::vector<int>{2}));

    bar.OnMousePress(kSlotRight, 38 + 8 * 8, 208 + 12 * 8);  // index 200
    EXPECT_EQ(bar.GetSlotIndex(kSlotRight), 200);
    EXPECT_EQ(bar.ActiveSlot(), kSlotRight);
    EXPECT_EQ(bar.Bank(), 12);
    EXPECT_EQ(bar.GetSlotIndex(kSlotLeft), 0xC3);
    EXPECT_EQ(listener.banks, (std::vector<int>{2, 12}));

    bar.Select(kSlotRight, 201);  // same bank: no bank change
    EXPECT_EQ(listener.banks.size(), 2u);
    bar.OnMousePress(kSlotLeft, 25, 208 + 8 * 5 + 3);  // bank strip row 5
    EXPECT_EQ(bar.Bank(), 5);
    EXPECT_EQ(bar.GetSlotIndex(kSlotRight), 0x59);

    bar.ToggleSixteenMode();
    EXPECT_EQ(bar.Bank(), -1);
    EXPECT_FALSE(bar.SixteenMode());
    bar.Select(kSlotBank, 7);
    EXPECT_EQ(bar.Bank(), -1);
}

TEST_F(PaletteBarModelTest, IndicatorsPickTheActiveSlotAndBadInputIsIgnored) {
    bar.OnMousePress(kSlotRight, 80, 150);  // Mid indicator, any button
    EXPECT_EQ(bar.ActiveSlot(), kSlotMid);
    EXPECT_EQ(bar.GetSlotIndex(kSlotActive), 15);
    EXPECT_EQ((bar.FrameDrawOrder()), (std::array<int, 4>{3, 2, 1, 2}));
    bar.Select(kSlotLeft, 256);
    bar.Select(kSlotLeft, -1);
    bar.Select(4, 3);
    bar.Select(kSlotActive, 9);
    EXPECT_EQ(bar.ActiveSlot(), kSlotMid);
    EXPECT_EQ(bar.GetSlotIndex(kSlotLeft), 1);
    EXPECT_EQ(bar.OnChannelEdited(7, "3").sliderPosition, 0);
    EXPECT_TRUE(listener.edits.empty());

    // The tools pick colours through the same slots (the pipette makes its slot active).
    PaletteBarButtonSlots slots(bar);
    slots.Select(kSlotLeft, 9);
    EXPECT_EQ(slots.GetSlotIndex(kSlotActive), 9);
    EXPECT_EQ(bar.ActiveSlot(), kSlotLeft);
}

TEST_F(PaletteBarModelTest, HoverTextsFollowThePointer) {
    std::vector<ColorRef> colors(256, 0);
    colors[31] = 0xFF | (8 << 8) | (7 << 16);
    bar.SetPalette(colors.data());
    bar.OnMouseMove(38 + 15 * 8 + 7, 208 + 8 + 7);  // index 31
    EXPECT_EQ(bar.IndexText(), "1fh");
    EXPECT_EQ(bar.ColorText(), "r31, g1, b0");
    bar.OnMouseMove(22, 208 + 8 * 3);
    EXPECT_EQ(bar.ColorText(), "");  // bank strip with the mode off counts as elsewhere
    bar.SetSixteenMode(true);
    bar.OnMouseMove(38, 208);
    bar.OnMouseMove(29, 208 + 8 * 3 + 7);
    EXPECT_EQ(bar.IndexText(), "00h");
    EXPECT_EQ(bar.ColorText(), "Palette 3");
    bar.OnMouseMove(0, 0);
    EXPECT_EQ(bar.IndexText(), "");
    EXPECT_EQ(bar.ColorText(), "");
}

TEST(PaletteBarGeometry, HitTestingAndRectangles) {
    EXPECT_EQ(HitTestPaletteBar(38, 208).kind, PaletteBarHit::Swatch);
    EXPECT_EQ(HitTestPaletteBar(165, 335).value, 255);
    EXPECT_EQ(HitTestPaletteBar(37, 208).kind, PaletteBarHit::None);
    EXPECT_EQ(HitTestPaletteBar(166, 300).kind, PaletteBarHit::None);
    EXPECT_EQ(HitTestPaletteBar(22, 335).value, 15);
    EXPECT_EQ(HitTestPaletteBar(30, 300).kind, PaletteBarHit::None);
    const PaletteBarHit right = HitTestPaletteBar(165, 171);
    EXPECT_EQ(right.kind, PaletteBarHit::Indicator);
    EXPECT_EQ(right.value, kSlotRight);
    const IRect cell = SwatchCellRect(17);
    EXPECT_EQ(cell.left, 46);
    EXPECT_EQ(cell.top, 216);
    const IRect swatch = SwatchRect(17);
    EXPECT_EQ(swatch.Width(), 6);
    EXPECT_EQ(swatch.left, 47);
    const IRect fill = IndicatorFillRect(kSlotLeft);
    EXPECT_EQ(fill.left, 18);
    EXPECT_EQ(fill.bottom, 169);
    EXPECT_STREQ(IndicatorLabel(kSlotMid), "Mid");
    EXPECT_EQ(BankRowRect(2).top, 224);
    EXPECT_EQ(SlotFrameColor(kSlotRight), 0xFFFF00u);
}

}  // namespace
}  // namespace vorlin
