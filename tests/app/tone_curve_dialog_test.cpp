#include "app/tone_curve_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/undo_records.h"
#include "document/vorlin_doc.h"
#include "app/palette_bar_model.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

class ToneCurveDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<RgbQuad> pal;
        for (int i = 0; i < 256; ++i)
            pal.push_back(RgbQuad{static_cast<std::uint8_t>(i), 64, 128, 9});
        doc.image.Create(4, 4, pal.data(), nullptr);
        doc.history.Clear();
        doc.SetModifiedFlag(false);
        before = Palette();
    }
    std::vector<RgbQuad> Palette() const {
        return {doc.image.Palette(), doc.image.Palette() + 256};
    }

    ScopedTempProfile profile;
    CVorlinDoc doc;
    ToneCurveDialogModel dialog;
    std::vector<RgbQuad> before;
};

TEST_F(ToneCurveDialogTest, OkWithoutChangesRecordsOneStateAndMarksModified) {
    dialog.Open(&doc, nullptr);
    dialog.Close(true);
    EXPECT_EQ(Palette(), before);
    EXPECT_EQ(doc.history.UndoCount(), 1);
    EXPECT_EQ(doc.history.NewestUndo()->Kind(), UNDO_RANGE);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(dialog.EditText(ToneControl::Gamma), "1.00");
}

TEST_F(ToneCurveDialogTest, AdjustPaletteOrdersAndClampsItsRange) {
    ToneSettings bright;
    bright.brightness = 100;
    AdjustPalette(doc, 3, 1, bright);
    EXPECT_EQ(doc.image.Palette()[1], (RgbQuad{255, 255, 255, 9}));
    EXPECT_EQ(doc.image.Palette()[3], (RgbQuad{255, 255, 255, 9}));
    EXPECT_EQ(doc.image.Palette()[4], before[4]);
    EXPECT_EQ(doc.history.UndoCount(), 0);
    EXPECT_TRUE(doc.IsModified());

    // Ranges lying wholly outside the palette leave every entry alone.
    AdjustPalette(doc, 300, 400, bright);
    AdjustPalette(doc, -50, -10, bright);
    EXPECT_EQ(doc.image.Palette()[255], before[255]);
    EXPECT_EQ(doc.image.Palette()[0], before[0]);
    AdjustPalette(doc, -5, 300, bright);
    EXPECT_EQ(doc.image.Palette()[0], (RgbQuad{255, 255, 255, 9}));
    EXPECT_EQ(doc.image.Palette()[255], (RgbQuad{255, 255, 255, 9}));
}

TEST_F(ToneCurveDialogTest, CancelRestoresAndRedoReappliesTheAdjustment) {
    dialog.Open(&doc, nullptr);
    EXPECT_EQ(dialog.OnSliderMoved(ToneControl::Brightness, 100), "100");
    const auto r = dialog.OnEditChanged(ToneControl::Brightness, "100");
    EXPECT_FALSE(r.rewritten);
    EXPECT_EQ(r.sliderPosition, 100);
    for (const auto& c : Palette()) EXPECT_EQ(c, (RgbQuad{255, 255, 255, 9}));
    dialog.Close(false);
    EXPECT_EQ(Palette(), before);
    ASSERT_TRUE(doc.history.CanRedo());
    doc.history.Redo();
    EXPECT_EQ(doc.image.Palette()[3], (RgbQuad{255, 255, 255, 9}));
}

TEST_F(ToneCurveDialogTest, EditsAreClampedAndRewritten) {
    dialog.Open(&doc, nullptr);
    auto r = dialog.OnEditChanged(ToneControl::Contrast, "250");
    EXPECT_TRUE(r.rewritten);
    EXPECT_EQ(r.text, "100");
    EXPECT_EQ(dialog.Settings().contrast, 100);
    EXPECT_EQ(doc.image.Palette()[64].rgbBlue, 1);  // contrast 100: 64 → 1
    EXPECT_EQ(doc.image.Palette()[200].rgbBlue, 255);
    r = dialog.OnEditChanged(ToneControl::Contrast, "-101");
    EXPECT_EQ(r.text, "-100");
    r = dialog.OnEditChanged(ToneControl::Contrast, "0");
    EXPECT_FALSE(r.rewritten);

    r = dialog.OnEditChanged(ToneControl::Gamma, "20");
    EXPECT_TRUE(r.rewritten);
    EXPECT_EQ(r.text, "10.00");
    EXPECT_EQ(dialog.Settings().gamma, 10.0);
    EXPECT_EQ(r.sliderPosition, 100);
    r = dialog.OnEditChanged(ToneControl::Gamma, "0.05");
    EXPECT_EQ(r.text, "0.10");
    EXPECT_EQ(dialog.Settings().gamma, 0.1);
    EXPECT_GE(r.sliderPosition, -100);
    EXPECT_LE(r.sliderPosition, -99);
    r = dialog.OnEditChanged(ToneControl::Gamma, "nan");
    EXPECT_EQ(r.text, "0.10");
}

TEST_F(ToneCurveDialogTest, GammaSliderGoesThroughTheTwoDecimalText) {
    dialog.Open(&doc, nullptr);
    const std::string text = dialog.OnSliderMoved(ToneControl::Gamma, 30);  // 10^0.3 = 1.995…
    EXPECT_EQ(text, "2.00");
    const auto r = dialog.OnEditChanged(ToneControl::Gamma, text);
    EXPECT_EQ(dialog.Settings().gamma, 2.0);
    EXPECT_EQ(r.sliderPosition, 30);
    EXPECT_EQ(doc.image.Palette()[64].rgbBlue, 128);
    EXPECT_EQ(doc.image.Palette()[10].rgbRed, 181);  // trunc(sqrt(128 · 255) + 0.5)
    EXPECT_EQ(GammaForSliderPosition(-100), 0.1);
    EXPECT_EQ(SliderPositionForGamma(1.0), 0);
}

TEST_F(ToneCurveDialogTest, NarrowingTheRangeRestoresOnlyThatRange) {
    dialog.Open(&doc, nullptr);
    dialog.OnEditChanged(ToneControl::Brightness, "100");
    dialog.First().text = "16";
    dialog.Last().text = "31";
    dialog.OnEditChanged(ToneControl::Brightness, "-100");
    EXPECT_EQ(doc.image.Palette()[16], (RgbQuad{0, 0, 0, 9}));
    EXPECT_EQ(doc.image.Palette()[31], (RgbQuad{0, 0, 0, 9}));
    EXPECT_EQ(doc.image.Palette()[15], (RgbQuad{255, 255, 255, 9}));  // keeps the wider pass
    EXPECT_EQ(doc.image.Palette()[32], (RgbQuad{255, 255, 255, 9}));

    dialog.Last().text = "300";
    const auto r = dialog.OnEditChanged(ToneControl::Brightness, "0");
    EXPECT_EQ(r.refusal, "Please enter an integer between 0 and 255.");
    EXPECT_EQ(doc.image.Palette()[16], (RgbQuad{0, 0, 0, 9}));  // no preview ran
    // OK is refused as well: the dialog stays open with the adjustment in place.
    EXPECT_EQ(dialog.Close(true), "Please enter an integer between 0 and 255.");
    EXPECT_EQ(doc.image.Palette()[16], (RgbQuad{0, 0, 0, 9}));
    EXPECT_EQ(dialog.Close(false), "");
    EXPECT_EQ(Palette(), before);

    // The range is kept, so the next opening reports it instead of previewing.
    EXPECT_EQ(dialog.Open(&doc, nullptr), "Please enter an integer between 0 and 255.");
    dialog.Last().text = "31";
    EXPECT_EQ(dialog.Close(true), "");
    EXPECT_EQ(doc.history.UndoCount(), 1);
}

TEST_F(ToneCurveDialogTest, RangeComesFromTheBarLowerFirstAndIsKept) {
    PaletteBarModel bar;
    bar.Select(kSlotLeft, 40);
    bar.Select(kSlotRight, 20);
    dialog.Open(&doc, &bar);
    dialog.GetFromBar();
    EXPECT_EQ(dialog.First().text, "20");
    EXPECT_EQ(dialog.Last().text, "40");
    dialog.OnEditChanged(ToneControl::Intensity, "-100");
    EXPECT_EQ(doc.image.Palette()[20], (RgbQuad{0, 0, 0, 9}));
    EXPECT_EQ(doc.image.Palette()[19], before[19]);
    dialog.Close(true);
    dialog.Open(&doc, &bar);  // values reset, range kept
    EXPECT_EQ(dialog.Settings().intensity, 0);
    EXPECT_EQ(dialog.First().text, "20");
    EXPECT_EQ(doc.image.Palette()[20], (RgbQuad{0, 0, 0, 9}));
    dialog.Close(false);
    EXPECT_EQ(doc.history.UndoCount(), 1);
}

}  // namespace
}  // namespace vorlin
