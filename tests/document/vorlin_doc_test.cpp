#include "document/vorlin_doc.h"

#include <gtest/gtest.h>

#include "support/fake_ui_services.h"
#include "support/temp_profile.h"
#include "ui/profile.h"

namespace vorlin {
namespace {

TEST(VorlinDoc, FirstDocumentTakesItsSizeFromTheSettings) {
    ScopedTempProfile profile;
    {
        CVorlinDoc doc;
        EXPECT_EQ(doc.image.Width(), 256);
        EXPECT_EQ(doc.image.Height(), 256);
        EXPECT_EQ(doc.history.Cap(), 32);
        EXPECT_EQ(doc.GetTitle(), "Untitled [256x256@8]");
        doc.ResizeImage(64, 32, 0);
        doc.OnCloseDocument();
    }
    CVorlinDoc next;
    EXPECT_EQ(next.image.Width(), 64);
    EXPECT_EQ(next.image.Height(), 32);
    EXPECT_EQ(next.backup.Width(), 64);
}

TEST(VorlinDoc, ReplacingAModifiedDocumentAsksAndCancelAbandons) {
    ScopedTempProfile profile;
    FakeUiServices ui;
    ScopedUiServices installed(ui);
    CVorlinDoc doc;
    EXPECT_TRUE(doc.SaveModified());  // unmodified: no question
    EXPECT_TRUE(ui.messages.empty());

    doc.SetPaletteEntry(3, RgbQuad{1, 2, 3, 0});
    ui.QueueAnswer(UiAnswer::Cancel);
    EXPECT_FALSE(doc.SaveModified());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Save changes to Untitled?");
    EXPECT_EQ(ui.messages[0].buttons, UiButtons::YesNoCancel);
    EXPECT_TRUE(doc.IsModified());

    ui.QueueAnswer(UiAnswer::No);
    EXPECT_TRUE(doc.SaveModified());
    ui.QueueAnswer(UiAnswer::Yes);  // no file layer: the save fails, so the command stops
    EXPECT_FALSE(doc.SaveModified());
}

}  // namespace
}  // namespace vorlin
