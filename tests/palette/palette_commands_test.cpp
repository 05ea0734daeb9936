#include "palette/palette_commands.h"
#include "app/palette_quick_commands.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "document/undo_records.h"
#include "document/vorlin_doc.h"
#include "app/palette_bar_link.h"
#include "app/palette_dialogs.h"
#include "support/fake_ui_services.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

RgbQuad Rgb(int r, int g, int b) {
    return RgbQuad{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                   static_cast<std::uint8_t>(r), 0};
}

struct CountingView : ViewObserver {
    void OnUpdate(int hint, const void*) override { hints.push_back(hint); }
    std::vector<int> hints;
};

// A small document whose palette entry i is (i, 255 − i, i / 2) and whose pixels
// use a known mix of indices.
class PaletteCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<RgbQuad> pal;
        for (int i = 0; i < 256; ++i) pal.push_back(Rgb(i, 255 - i, i / 2));
        std::vector<std::uint8_t> bits(8 * 4, 0);
        const std::uint8_t rows[4][7] = {{3, 3, 3, 3, 11, 12, 13},
                                         {3, 3, 14, 15, 10, 10, 2},
                                         {200, 3, 3, 1, 1, 1, 2},
                                         {5, 5, 5, 5, 5, 250, 255}};
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 7; ++x) bits[static_cast<std::size_t>(y * 8 + x)] = rows[y][x];
        ASSERT_EQ(doc.image.Create(7, 4, pal.data(), bits.data()), 1);
        doc.history.Clear();
        doc.AddView(&view);
    }

    // Each pixel's colour: what the user sees.
    std::vector<RgbQuad> Look() const {
        std::vector<RgbQuad> look;
        for (int y = 0; y < doc.image.Height(); ++y)
            for (int x = 0; x < doc.image.Width(); ++x)
                look.push_back(doc.image.Palette()[doc.image.GetPixel(x, y)]);
        return look;
    }
    std::vector<RgbQuad> Palette() const {
        return {doc.image.Palette(), doc.image.Palette() + 256};
    }
    std::vector<int> Pixels() const {
        std::vector<int> px;
        for (int y = 0; y < doc.image.Height(); ++y)
            for (int x = 0; x < doc.image.Width(); ++x) px.push_back(doc.image.GetPixel(x, y));
        return px;
    }

    ScopedTempProfile profile;
    CVorlinDoc doc;
    CountingView view;
};

TEST_F(PaletteCommandsTest, PopulationSortKeepsTheLookAndUndoesInOneStep) {
    const auto look = Look(), palette = Palette();
    const auto pixels = Pixels();
    ASSERT_EQ(SortPalette(doc, 0, 255, PaletteSortKey::Population, false, 0), 1);
    EXPECT_EQ(Look(), look);
    EXPECT_EQ(doc.image.Palette()[0], palette[3]);  // index 3: 8 pixels
    EXPECT_EQ(doc.image.Palette()[1], palette[5]);  // index 5: 5 pixels
    EXPECT_EQ(doc.image.Palette()[2], palette[1]);  // index 1: 3 pixels
    // Equal counts keep palette order: 2 and 10 (two pixels each).
    EXPECT_EQ(doc.image.Palette()[3], palette[2]);
    EXPECT_EQ(doc.image.Palette()[4], palette[10]);
    // After the 13 used entries the unused ones keep their order: 0, 4, 6 …
    EXPECT_EQ(doc.image.Palette()[13], palette[0]);
    EXPECT_EQ(doc.image.Palette()[14], palette[4]);
    EXPECT_EQ(doc.image.Palette()[255], palette[254]);
    EXPECT_EQ(doc.image.GetPixel(0, 0), 0);
    EXPECT_EQ(doc.history.UndoCount(), 1);
    EXPECT_EQ(doc.history.NewestUndo()->Kind(), UNDO_SNAPSHOT);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.hints.back(), HINT_IMAGE);

    doc.history.Undo();
    EXPECT_EQ(Palette(), palette);
    EXPECT_EQ(Pixels(), pixels);
}

TEST_F(PaletteCommandsTest, AppearanceAndHueSortsReorderOnlyTheRange) {
    const auto look = Look(), palette = Palette();
    ASSERT_EQ(SortPalette(doc, 10, 15, PaletteSortKey::Appearance, false, 0), 1);
    // Met first: 11, 12, 13, 14, 15, 10.
    EXPECT_EQ(doc.image.Palette()[10], palette[11]);
    EXPECT_EQ(doc.image.Palette()[15], palette[10]);
    EXPECT_EQ(doc.image.Palette()[9], palette[9]);
    EXPECT_EQ(doc.image.Palette()[16], palette[16]);
    EXPECT_EQ(Look(), look);

    // Greys key by brightness: an ascending hue sort of three greys orders them by level.
    doc.image.Palette()[20] = Rgb(90, 90, 90);
    doc.image.Palette()[21] = Rgb(30, 30, 30);
    doc.image.Palette()[22] = Rgb(60, 61, 63);  // grey at 5 bits only
    SortPalette(doc, 20, 22, PaletteSortKey::Hue, true, 3);
    EXPECT_EQ(doc.image.Palette()[20], Rgb(30, 30, 30));
    EXPECT_EQ(doc.image.Palette()[21], Rgb(60, 61, 63));
    EXPECT_EQ(doc.image.Palette()[22], Rgb(90, 90, 90));
}

TEST_F(PaletteCommandsTest, OverlappingSwapRotatesAndPixelsFollow) {
    const auto look = Look(), palette = Palette();
    int count = 4;
    ASSERT_EQ(SwapPaletteBlocks(doc, 10, 12, count), 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(doc.image.Palette()[12 + i], palette[10 + i]) << i;
    EXPECT_EQ(doc.image.Palette()[10], palette[14]);
    EXPECT_EQ(doc.image.Palette()[11], palette[15]);
    EXPECT_EQ(doc.image.GetPixel(4, 0), 13);  // was 11
    EXPECT_EQ(doc.image.GetPixel(2, 1), 10);  // was 14
    EXPECT_EQ(Look(), look);
    doc.history.Undo();
    EXPECT_EQ(Palette(), palette);

    // Moves that cannot be made change nothing and are not reported as done.
    const std::uint8_t from[] = {1, 2};
    doc.SetModifiedFlag(false);
    EXPECT_EQ(PermutePalette(doc, from, nullptr, 2), 0);
    EXPECT_EQ(Palette(), palette);
    EXPECT_EQ(doc.history.UndoCount(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PaletteCommandsTest, SwapDialogCutsTheCountAndShowsIt) {
    PaletteSwapperModel swapper(&doc, nullptr);
    swapper.SetFieldText(IDC_PAL_SWAP_A, "0");
    swapper.SetFieldText(IDC_PAL_SWAP_B, "250");
    swapper.SetFieldText(IDC_PAL_COUNT, "10");
    const auto palette = Palette();
    EXPECT_EQ(swapper.Apply(), "");
    EXPECT_EQ(swapper.Field(IDC_PAL_COUNT)->text, "6");
    EXPECT_EQ(doc.image.Palette()[0], palette[250]);
    EXPECT_EQ(doc.image.Palette()[255], palette[5]);
    EXPECT_EQ(doc.image.Palette()[6], palette[6]);
    EXPECT_EQ(doc.image.GetPixel(5, 3), 0);

    // Equal starts: nothing moves, but the step is still recorded.
    swapper.SetFieldText(IDC_PAL_SWAP_B, "0");
    swapper.Apply();
    EXPECT_EQ(doc.history.UndoCount(), 2);

    swapper.SetFieldText(IDC_PAL_COUNT, "257");
    EXPECT_EQ(swapper.Apply(), "Please enter an integer between 1 and 256.");
    swapper.SetFieldText(IDC_PAL_COUNT, "x");
    EXPECT_EQ(swapper.Apply(), "Please enter an integer.");
    EXPECT_EQ(doc.history.UndoCount(), 2);
}

TEST_F(PaletteCommandsTest, GradientRampsBetweenTheEndsAsOneUndoStep) {
    doc.image.Palette()[0] = Rgb(0, 0, 0);
    doc.image.Palette()[4] = Rgb(255, 0, 0);
    const auto before = Palette();
    ASSERT_EQ(GradientPalette(doc, 4, 0), 1);
    EXPECT_EQ(doc.image.Palette()[1], Rgb(63, 0, 0));
    EXPECT_EQ(doc.image.Palette()[2], Rgb(127, 0, 0));
    EXPECT_EQ(doc.image.Palette()[3], Rgb(191, 0, 0));
    EXPECT_EQ(doc.image.Palette()[4], Rgb(255, 0, 0));
    EXPECT_EQ(doc.history.NewestUndo()->Kind(), UNDO_RANGE);
    EXPECT_EQ(GradientPalette(doc, 7, 7), 0);
    EXPECT_EQ(doc.history.UndoCount(), 1);
    doc.history.Undo();
    EXPECT_EQ(Palette(), before);
}

TEST_F(PaletteCommandsTest, CopyClipsAtTheEndAndTurnsHues) {
    const auto palette = Palette();
    PaletteCopyModel copier(&doc, nullptr);
    copier.SetFieldText(IDC_PAL_COPY_SOURCE, "250");
    copier.SetFieldText(IDC_PAL_COPY_DEST, "0");
    copier.SetFieldText(IDC_PAL_COUNT, "20");
    EXPECT_FALSE(copier.HueSourceEnabled());
    EXPECT_EQ(copier.Apply(), "");
    for (int i = 0; i < 6; ++i) EXPECT_EQ(doc.image.Palette()[i], palette[250 + i]) << i;
    EXPECT_EQ(doc.image.Palette()[6], palette[6]);
    EXPECT_EQ(view.hints.back(), HINT_PALETTE);

    doc.image.Palette()[40] = Rgb(200, 0, 0);
    doc.image.Palette()[41] = Rgb(50, 50, 50);
    doc.image.Palette()[7] = Rgb(0, 0, 200);
    ASSERT_EQ(CopyPalette(doc, 40, 41, 2, true, 7), 1);  // overlapping, turned to blue
    EXPECT_EQ(doc.image.Palette()[41], Rgb(0, 0, 200));
    EXPECT_EQ(doc.image.Palette()[42], Rgb(50, 50, 50));
    doc.history.Undo();
    EXPECT_EQ(doc.image.Palette()[41], Rgb(50, 50, 50));
}

TEST_F(PaletteCommandsTest, QuickCommandsUseTheBarAndNeedIt) {
    const auto palette = Palette();
    QuickSwap(doc, nullptr);
    QuickGradient(doc, nullptr);
    QuickCopy(doc, nullptr);
    QuickInvert(doc, nullptr);
    EXPECT_EQ(Palette(), palette);
    EXPECT_EQ(doc.history.UndoCount(), 0);

    PaletteBarModel bar;  // 5 bits; Left 1, Right 0
    doc.image.Palette()[0] = Rgb(0, 0, 0);
    doc.image.Palette()[1] = Rgb(255, 255, 255);
    QuickInvert(doc, &bar);
    EXPECT_EQ(doc.image.Palette()[0], Rgb(248, 248, 248));
    EXPECT_EQ(doc.image.Palette()[1], Rgb(0, 0, 0));
    QuickSwap(doc, &bar);
    EXPECT_EQ(doc.image.Palette()[0], Rgb(0, 0, 0));
    EXPECT_EQ(doc.image.GetPixel(3, 2), 0);  // pixels of index 1 followed their colour
    EXPECT_EQ(doc.history.UndoCount(), 2);
    const auto swapped = Palette();
    doc.history.Undo();
    doc.history.Undo();
    EXPECT_EQ(doc.image.Palette()[0], Rgb(0, 0, 0));
    EXPECT_EQ(doc.image.Palette()[1], Rgb(255, 255, 255));
    EXPECT_EQ(doc.image.GetPixel(3, 2), 1);
    doc.history.Redo();
    doc.history.Redo();
    EXPECT_EQ(Palette(), swapped);

    // Quick Copy with Left = Right: no undo state, yet views notified and document modified.
    bar.Select(kSlotRight, 1);
    doc.SetModifiedFlag(false);
    view.hints.clear();
    const auto same = Palette();
    QuickCopy(doc, &bar);
    EXPECT_EQ(Palette(), same);
    EXPECT_EQ(doc.history.UndoCount(), 2);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.hints, (std::vector<int>{HINT_PALETTE}));

    bar.Select(kSlotRight, 9);
    QuickCopy(doc, &bar);
    EXPECT_EQ(doc.image.Palette()[9], doc.image.Palette()[1]);
    EXPECT_EQ(doc.history.NewestUndo()->Kind(), UNDO_ENTRY);
}

TEST_F(PaletteCommandsTest, ClearAsksFirst) {
    FakeUiServices ui;
    const auto palette = Palette();
    ui.QueueAnswer(UiAnswer::No);
    EXPECT_FALSE(AskAndClearPalette(doc, ui));
    EXPECT_EQ(Palette(), palette);
    ui.QueueAnswer(UiAnswer::Yes);
    EXPECT_TRUE(AskAndClearPalette(doc, ui));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Clear the palette, are you sure?");
    EXPECT_EQ(ui.messages[1].buttons, UiButtons::YesNo);
    for (const auto& c : Palette()) EXPECT_EQ(c, Rgb(0, 0, 0));
    EXPECT_EQ(doc.image.GetPixel(0, 0), 3);
    doc.history.Undo();
    EXPECT_EQ(Palette(), palette);
}

TEST_F(PaletteCommandsTest, MoveToSubPaletteRemapsEveryPixelIntoTheBank) {
    const auto pixels = Pixels();
    ASSERT_EQ(MoveToSubPalette(doc, 2), 1);
    EXPECT_EQ(doc.image.GetPixel(0, 2), 32 + 200 % 16);
    EXPECT_EQ(doc.image.GetPixel(6, 3), 47);
    EXPECT_EQ(doc.image.GetPixel(0, 0), 35);
    EXPECT_EQ(MoveToSubPalette(doc, 16), 0);
    EXPECT_EQ(doc.history.UndoCount(), 1);
    doc.history.Undo();
    EXPECT_EQ(Pixels(), pixels);
}

TEST_F(PaletteCommandsTest, SorterTakesTheBarAndExchangesReversedBounds) {
    PaletteBarModel bar;
    bar.Select(kSlotLeft, 15);
    bar.Select(kSlotRight, 10);
    PaletteSorterModel sorter(&doc, &bar);
    EXPECT_EQ(sorter.Field(IDC_PAL_LAST)->text, "255");
    sorter.Show();
    EXPECT_TRUE(sorter.IsVisible());
    EXPECT_EQ(sorter.Field(IDC_PAL_FIRST)->text, "15");
    bar.Select(kSlotLeft, 3);
    sorter.Hide();
    sorter.Show();  // showing again keeps what the fields hold
    EXPECT_EQ(sorter.Field(IDC_PAL_FIRST)->text, "15");
    sorter.key = PaletteSortKey::Brightness;
    sorter.ascending = true;
    EXPECT_EQ(sorter.Ok(), "");
    EXPECT_FALSE(sorter.IsVisible());
    EXPECT_EQ(sorter.Field(IDC_PAL_FIRST)->text, "10");
    EXPECT_EQ(sorter.Field(IDC_PAL_LAST)->text, "15");
    EXPECT_EQ(doc.history.UndoCount(), 1);

    sorter.SetFieldText(IDC_PAL_LAST, "256");
    sorter.Show();
    EXPECT_EQ(sorter.Ok(), "Please enter an integer between 0 and 255.");
    EXPECT_TRUE(sorter.IsVisible());
    EXPECT_EQ(doc.history.UndoCount(), 1);

    PaletteCopyModel copier(&doc, &bar);
    copier.GetFromBar();
    EXPECT_EQ(copier.Field(IDC_PAL_COPY_SOURCE)->text, "3");
    EXPECT_EQ(copier.Field(IDC_PAL_HUE_FROM)->text, "15");
    EXPECT_EQ(copier.Field(IDC_PAL_COPY_DEST)->text, "10");
}

TEST_F(PaletteCommandsTest, BarLinkCarriesEditsBanksAndPalettesBothWays) {
    PaletteBarModel bar;
    {
        PaletteBarDocumentLink link(doc, bar);
        EXPECT_EQ(bar.Color(200), ToColorRef(doc.image.Palette()[200]));
        doc.image.Palette()[7] = Rgb(1, 2, 3);
        doc.RefreshPaletteBar();
        EXPECT_EQ(bar.Color(7), 0x030201u);

        // A slider drag on one entry is one undo step.
        bar.Select(kSlotLeft, 7);
        for (const char* v : {"4", "9", "20"}) bar.OnChannelEdited(kChannelRed, v);
        EXPECT_EQ(doc.image.Palette()[7].rgbRed, 20 * 255 / 31);
        EXPECT_EQ(doc.history.UndoCount(), 1);
        doc.history.Undo();
        EXPECT_EQ(doc.image.Palette()[7], Rgb(1, 2, 3));
        EXPECT_EQ(bar.Color(7), 0x030201u);

        // Switching the depth from 8 to 5 re-stores the active colour in the document.
        bar.SetBitsPerChannel(8);
        doc.image.Palette()[7] = Rgb(135, 0, 0);
        doc.RefreshPaletteBar();
        bar.SetBitsPerChannel(5);
        EXPECT_EQ(doc.image.Palette()[7].rgbRed, 131);

        FakeUiServices ui;
        ScopedUiServices installed(ui);
        ui.QueueAnswer(UiAnswer::Yes);  // the picture uses banks 0, 12 and 15
        link.OnSixteenClicked();
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(bar.SixteenMode());
        EXPECT_EQ(doc.image.GetPixel(0, 0), 3);  // bank 0 keeps the low indices
        bar.SelectBank(2);
        EXPECT_EQ(doc.image.GetPixel(0, 0), 35);
    }
    EXPECT_EQ(doc.GetPaletteBar(), nullptr);
}

TEST_F(PaletteCommandsTest, BitsPerChannelComeFromAndGoToTheSettings) {
    PaletteBarModel bar;
    LoadPaletteBarSettings(bar, profile.Get());
    EXPECT_EQ(bar.BitsPerChannel(), 5);
    profile.Get().WriteInt("main", "PalBPC", 6);
    LoadPaletteBarSettings(bar, profile.Get());
    EXPECT_EQ(bar.BitsPerChannel(), 6);
    profile.Get().WriteInt("main", "PalBPC", 99);
    LoadPaletteBarSettings(bar, profile.Get());
    EXPECT_EQ(bar.BitsPerChannel(), 8);
    bar.SetBitsPerChannel(4);
    SavePaletteBarSettings(bar, profile.Get());
    EXPECT_EQ(profile.Get().GetInt("main", "PalBPC", 0), 4);
}

}  // namespace
}  // namespace vorlin
