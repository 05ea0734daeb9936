// Picking a bank in sixteen-colour mode moves the picture into it: silently for a picture
// drawn in one bank, after a question for one whose pixels lie in several.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/palette_bar_link.h"
#include "document/vorlin_doc.h"
#include "support/fake_ui_services.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

// Mode, bank, Left, Mid, Right and the active slot, as the bar shows them.
std::vector<int> BarState(const PaletteBarModel& bar) {
    return {bar.SixteenMode(),
            bar.Bank(),
            bar.GetSlotIndex(kSlotLeft),
            bar.GetSlotIndex(kSlotMid),
            bar.GetSlotIndex(kSlotRight),
            bar.ActiveSlot()};
}

// Entry i gets a colour of its own.
void DistinctPalette(CIndexImage& image) {
    std::vector<RgbQuad> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[static_cast<std::size_t>(i)] = RgbQuad{static_cast<std::uint8_t>(i), 3, 9, 0};
    image.SetColors(0, 256, colours.data());
}

std::vector<std::uint8_t> Pixels(const CIndexImage& image) {
    return {image.Row(0), image.Row(0) + image.Width()};
}

class BankMoveTest : public ::testing::Test {
  protected:
    BankMoveTest() {
        doc.image.Create(4, 1, nullptr, nullptr);
        DistinctPalette(doc.image);
    }
    ScopedTempProfile profile;
    FakeUiServices ui;
    ScopedUiServices installed{ui};
    CVorlinDoc doc;
    PaletteBarModel bar;
    PaletteBarDocumentLink link{doc, bar};
};

// Every way of picking a bank: the "16" button, the bank strip, a swatch of another bank.
TEST_F(BankMoveTest, AMultiBankPictureIsMovedOnlyAfterYesAndUndoRestoresTheBar) {
    const struct {
        const char* name;
        bool sixteenFirst;
        std::function<void(PaletteBarModel&, PaletteBarDocumentLink&)> pick;
        int bank;
    } rows[] = {
        {"16 button", false,
         [](PaletteBarModel&, PaletteBarDocumentLink& l) { l.OnSixteenClicked(); }, 0},
        {"bank strip", true, [](PaletteBarModel& b, PaletteBarDocumentLink&) { b.SelectBank(3); },
         3},
        {"swatch", true,
         [](PaletteBarModel& b, PaletteBarDocumentLink&) { b.Select(kSlotRight, 0x52); }, 5},
    };
    const std::vector<std::uint8_t> picture{0x01, 0x17, 0x17, 0x2E};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        bar.SetSixteenMode(false);
        bar.Select(kSlotLeft, 1);
        std::fill(doc.image.Row(0), doc.image.Row(0) + 4, 0);
        if (row.sixteenFirst) bar.SetSixteenMode(true);  // a blank picture moves silently
        std::copy(picture.begin(), picture.end(), doc.image.Row(0));
        doc.history.Clear();
        ui.messages.clear();
        const std::vector<int> before = BarState(bar);

        ui.QueueAnswer(UiAnswer::No);
        row.pick(bar, link);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].buttons, UiButtons::YesNo);
        EXPECT_EQ(ui.messages[0].text.substr(0, 44),
                  "The picture uses colours of 3 palette banks.");
        EXPECT_EQ(Pixels(doc.image), picture);
        EXPECT_EQ(BarState(bar), before);
        EXPECT_EQ(doc.history.UndoCount(), 0);

        ui.QueueAnswer(UiAnswer::Yes);
        row.pick(bar, link);
        const std::vector<int> after = BarState(bar);
        EXPECT_EQ(bar.Bank(), row.bank);
        for (std::size_t i = 0; i < picture.size(); ++i)
            EXPECT_EQ(doc.image.Row(0)[i], 16 * row.bank + picture[i] % 16);

        doc.history.Undo();
        EXPECT_EQ(Pixels(doc.image), picture);
        EXPECT_EQ(BarState(bar), before);
        doc.history.Redo();
        EXPECT_EQ(doc.image.Row(0)[1], 16 * row.bank + 7);
        EXPECT_EQ(BarState(bar), after);
    }
}

}  // namespace
}  // namespace vorlin
