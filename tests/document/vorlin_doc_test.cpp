// The document's life cycle, framework state and backup.
#include "document/vorlin_doc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/save_prompt.h"
#include "core/palette_refine.h"
#include "support/fake_ui_services.h"
#include "support/rgb.h"
#include "support/synthetic_photo.h"
#include "support/temp_profile.h"
#include "platform/profile.h"

namespace vorlin {
namespace {

// A file layer that serves a fixed palette and remembers what it was asked.
struct ScriptedHooks : DocumentFileHooks {
    std::vector<RgbQuad> ReadPaletteFile(const std::string& path) override {
        asked.push_back(path);
        return colours;
    }
    void ResetCurrentFormat() override { ++resets; }
    int CurrentDepth() const override { return depth; }
    bool SaveDocument(CVorlinDoc& doc) override {
        ++saves;
        if (saveWorks) doc.SetModifiedFlag(false);
        return saveWorks;
    }
    std::vector<RgbQuad> colours;
    std::vector<std::string> asked;
    int resets = 0;
    int depth = 4;
    int saves = 0;
    bool saveWorks = true;
};

struct OrderView : ViewObserver {
    OrderView(int id, std::vector<int>* log) : id(id), log(log) {}
    void OnUpdate(int hint, const void*) override { log->push_back(id * 10 + hint); }
    int id;
    std::vector<int>* log;
};

// An 8-bpp block with `colours` table entries, all pixels `index`.
DibPtr Block(int w, int h, int colours, int index) {
    DibPtr dib(DibCreate(w, h, 8, nullptr, 1));
    DibHeader(dib.get())->biClrUsed = static_cast<std::uint32_t>(colours);
    for (int i = 0; i < colours; ++i) DibColors(dib.get())[i] = Rgb(100 + i, 0, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            DibPictureRow(dib.get(), y)[x] = static_cast<std::uint8_t>(index);
    return dib;
}

TEST(VorlinDoc, FirstDocumentTakesItsSizeFromTheSettingsAndCloseStoresIt) {
    ScopedTempProfile profile;
    {
        CVorlinDoc doc(ReadDocumentSettings(profile.Get()));
        EXPECT_EQ(doc.image.Width(), 256);
        EXPECT_EQ(doc.image.Height(), 256);
        EXPECT_EQ(doc.history.Cap(), 32);
        EXPECT_EQ(doc.GetTitle(), "Untitled [256x256@8]");
        EXPECT_FALSE(doc.IsModified());
        doc.ResizeImage(64, 32, 0);
        doc.OnCloseDocument(profile.Get());
    }
    EXPECT_EQ(profile.Get().GetInt("image", "width", 0), 64);
    CVorlinDoc next(ReadDocumentSettings(profile.Get()));
    EXPECT_EQ(next.image.Width(), 64);
    EXPECT_EQ(next.image.Height(), 32);
    EXPECT_EQ(next.backup.Height(), 32);
}

TEST(VorlinDoc, WithoutSettingsGivenTheDocumentIgnoresTheSettingsFile) {
    ScopedTempProfile profile;
    profile.Get().WriteInt("image", "width", 64);
    profile.Get().WriteInt("main", "PalClear", 1);
    CVorlinDoc doc;
    EXPECT_EQ(doc.image.Width(), 256);
    ScriptedHooks hooks;
    doc.SetFileHooks(&hooks);
    doc.OnNewDocument();
    EXPECT_TRUE(hooks.asked.empty());  // no default palette without settings
    doc.SetPaletteEntry(20, Rgb(7, 7, 7));
    DibPtr dib = Block(8, 8, 16, 3);
    ASSERT_TRUE(doc.OpenFromDib(dib.get(), "/pics/a.pcx"));
    EXPECT_EQ(doc.image.Palette()[20], Rgb(7, 7, 7));
}

TEST(VorlinDoc, DamagedSizeSettingStillGivesAPicture) {
    ScopedTempProfile profile;
    profile.Get().WriteInt("image", "width", -4);
    profile.Get().WriteString("image", "height", "lots");
    CVorlinDoc doc(ReadDocumentSettings(profile.Get()));
    EXPECT_EQ(doc.image.Width(), 256);
    EXPECT_EQ(doc.image.Height(), 256);
}

TEST(VorlinDoc, NewKeepsTheSizeClearsPixelsLoadsDefaultPaletteAndForgetsHistory) {
    ScopedTempProfile profile;
    ScopedTempDir dir;
    const std::string palPath = dir.File("mine.pal");
    std::ofstream(palPath) << "x";
    profile.Get().WriteString("main", "PalDefault", palPath);
    CVorlinDoc doc(ReadDocumentSettings(profile.Get()));
    ScriptedHooks hooks;
    hooks.colours = {Rgb(1, 2, 3), Rgb(4, 5, 6)};
    doc.SetFileHooks(&hooks);
    doc.ResizeImage(64, 32, 0);
    doc.image.Row(3)[3] = 7;
    doc.SetPaletteEntry(200, Rgb(9, 9, 9));
    std::vector<int> log;
    OrderView view(1, &log);
    doc.AddView(&view);

    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.image.Width(), 64);
    EXPECT_EQ(doc.image.Height(), 32);
    EXPECT_EQ(doc.image.GetPixel(3, 3), 0);
    EXPECT_EQ(doc.image.Palette()[1], Rgb(4, 5, 6));
    EXPECT_EQ(doc.image.Palette()[2], Rgb(0, 0, 0));
    EXPECT_EQ(doc.image.Palette()[200], Rgb(0, 0, 0));
    EXPECT_FALSE(doc.history.CanUndo());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(hooks.resets, 1);
    ASSERT_EQ(hooks.asked.size(), 1u);
    EXPECT_EQ(hooks.asked[0], palPath);
    EXPECT_EQ(doc.GetTitle(), "Untitled [64x32@4]");
    EXPECT_EQ(log, (std::vector<int>{11}));
}

TEST(VorlinDoc, NewAfterOpenForgetsThePathSoSaveCannotOverwriteTheOldFile) {
    ScopedTempProfile profile;
    CVorlinDoc doc;
    DibPtr dib = Block(16, 8, 16, 3);
    ASSERT_TRUE(doc.OpenFromDib(dib.get(), "/pics/hero.pcx"));
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_EQ(doc.GetTitle(), "Untitled [16x8@8]");
    EXPECT_EQ(doc.RecentFiles().Entries().front(), "/pics/hero.pcx");
}

TEST(VorlinDoc, MissingDefaultPaletteIsLookedForBesideTheProgramAndLeavesBlack) {
    ScopedTempProfile profile;
    profile.Get().WriteString("main", "PalDefault", "no-such-palette.pal");
    CVorlinDoc doc(ReadDocumentSettings(profile.Get()));
    ScriptedHooks hooks;  // reads nothing
    doc.SetFileHooks(&hooks);
    doc.OnNewDocument();
    ASSERT_EQ(hooks.asked.size(), 1u);
    EXPECT_NE(hooks.asked[0], "no-such-palette.pal");
    EXPECT_TRUE(hooks.asked[0].ends_with("/no-such-palette.pal"));
    for (int i = 0; i < 256; ++i) EXPECT_EQ(doc.image.Palette()[i], Rgb(0, 0, 0)) << i;
}

TEST(VorlinDoc, OpenKeepsUpperEntriesUnlessPalClear) {
    ScopedTempProfile profile;
    CVorlinDoc doc;
    doc.SetPaletteEntry(20, Rgb(7, 7, 7));
    DibPtr dib = Block(32, 16, 16, 3);
    ASSERT_TRUE(doc.OpenFromDib(dib.get(), "/pics/hero.pcx"));
    EXPECT_EQ(doc.image.Width(), 32);
    EXPECT_EQ(doc.image.GetPixel(31, 15), 3);
    EXPECT_EQ(doc.image.Palette()[15], Rgb(115, 0, 0));
    EXPECT_EQ(doc.image.Palette()[20], Rgb(7, 7, 7));
    EXPECT_EQ(doc.backup.Width(), 32);
    EXPECT_FALSE(doc.history.CanUndo());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "/pics/hero.pcx");
    EXPECT_EQ(doc.GetTitle(), "hero.pcx [32x16@8]");
    EXPECT_EQ(doc.RecentFiles().Entries().front(), "/pics/hero.pcx");

    profile.Get().WriteInt("main", "PalClear", 1);
    doc.SetSettings(ReadDocumentSettings(profile.Get()));
    doc.SetPaletteEntry(20, Rgb(7, 7, 7));
    ASSERT_TRUE(doc.OpenFromDib(dib.get(), "/pics/hero.pcx"));
    EXPECT_EQ(doc.image.Palette()[20], Rgb(0, 0, 0));
}

TEST(VorlinDoc, OpenReducesTrueColourAsTheSettingSays) {
    ScopedTempProfile profile;
    DibPtr photo = test::SyntheticPhoto(96, 64, test::PhotoScene::kObjects, 5);
    std::uint64_t errors[3] = {};
    // Fast, best, and a value from a hand-edited file, which counts as fast.
    const int settings[3] = {0, 1, 7};
    for (int i = 0; i < 3; ++i) {
        profile.Get().WriteInt("main", "Quantize", settings[i]);
        CVorlinDoc doc(ReadDocumentSettings(profile.Get()));
        ASSERT_TRUE(doc.OpenFromDib(photo.get(), "/pics/photo.bmp"));
        DibPtr opened(doc.image.ToDib(8, 0));
        errors[i] = QuantizeError(photo.get(), opened.get());
    }
    EXPECT_LT(errors[1], errors[0]);
    EXPECT_EQ(errors[2], errors[0]);
}

TEST(VorlinDoc, FailedOpenChangesNothing) {
    ScopedTempProfile profile;
    CVorlinDoc doc;
    doc.image.Row(0)[0] = 5;
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.OpenFromDib(nullptr, "/x.bmp"));
    EXPECT_EQ(doc.image.GetPixel(0, 0), 5);
    EXPECT_TRUE(doc.GetPathName().empty());
}

TEST(VorlinDoc, ReplacingAModifiedDocumentAsksAndCancelAbandons) {
    ScopedTempProfile profile;
    FakeUiServices ui;
    CVorlinDoc doc;
    ScriptedHooks hooks;
    doc.SetFileHooks(&hooks);
    EXPECT_TRUE(SaveModified(doc, ui));  // unmodified: no question
    EXPECT_TRUE(ui.messages.empty());

    doc.SetPaletteEntry(3, Rgb(1, 2, 3));
    ui.QueueAnswer(UiAnswer::Cancel);
    EXPECT_FALSE(SaveModified(doc, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Save changes to Untitled?");
    EXPECT_EQ(ui.messages[0].caption, "Vorlin");
    EXPECT_EQ(ui.messages[0].buttons, UiButtons::YesNoCancel);
    EXPECT_EQ(hooks.saves, 0);
    EXPECT_TRUE(doc.IsModified());

    ui.QueueAnswer(UiAnswer::No);
    EXPECT_TRUE(SaveModified(doc, ui));
    EXPECT_EQ(hooks.saves, 0);

    hooks.saveWorks = false;
    ui.QueueAnswer(UiAnswer::Yes);
    EXPECT_FALSE(SaveModified(doc, ui));  // a failed save stops the command
    hooks.saveWorks = true;
    ui.QueueAnswer(UiAnswer::Yes);
    EXPECT_TRUE(SaveModified(doc, ui));
    EXPECT_EQ(hooks.saves, 2);
    EXPECT_FALSE(doc.IsModified());
}

TEST(VorlinDoc, ViewsAreToldInRegistrationOrderAndCanLeave) {
    ScopedTempProfile profile;
    CVorlinDoc doc;
    std::vector<int> log;
    OrderView a(1, &log), b(2, &log), c(3, &log);
    doc.AddView(&a);
    doc.AddView(&b);
    doc.AddView(&c);
    doc.AddView(&b);  // already there
    doc.UpdateAllViews(HINT_GEOMETRY);
    doc.RemoveView(&b);
    doc.UpdateAllViews(HINT_PALETTE);
    EXPECT_EQ(log, (std::vector<int>{14, 24, 34, 12, 32}));
}

TEST(VorlinDoc, RestoreFromBackupCopiesOnlyTheRectangle) {
    ScopedTempProfile profile;
    CVorlinDoc doc;
    doc.ResizeImage(8, 8, 0);
    doc.SyncBackup();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) doc.image.Row(y)[x] = 9;
    const IRect r{2, 2, 4, 5};
    EXPECT_EQ(doc.RestoreFromBackup(&r, false), 1);
    EXPECT_EQ(doc.image.GetPixel(2, 2), 0);
    EXPECT_EQ(doc.image.GetPixel(3, 4), 0);
    EXPECT_EQ(doc.image.GetPixel(4, 4), 9);
    EXPECT_EQ(doc.image.GetPixel(2, 5), 9);
    const IRect wild{-50, -50, 100, 100};  // clipped, never written outside
    EXPECT_EQ(doc.RestoreFromBackup(&wild, false), 1);
    EXPECT_EQ(doc.image.GetPixel(7, 7), 0);
}

TEST(VorlinDoc, RestoreWithNotifySendsTheRegion) {
    ScopedTempProfile profile;
    CVorlinDoc doc;
    struct RegionView : ViewObserver {
        void OnUpdate(int hint, const void* object) override {
            ASSERT_EQ(hint, HINT_REGION);
            ASSERT_NE(object, nullptr);
            got = *static_cast<const IRect*>(object);
        }
        IRect got;
    } view;
    doc.AddView(&view);
    doc.RestoreFromBackup(nullptr, true);  // whole picture
    EXPECT_EQ(view.got.right, doc.image.Width());
    EXPECT_EQ(view.got.bottom, doc.image.Height());
    const IRect wild{-5, 10, 9999, 20};
    doc.RestoreFromBackup(&wild, true);
    EXPECT_EQ(view.got.left, 0);
    EXPECT_EQ(view.got.top, 10);
    EXPECT_EQ(view.got.right, doc.image.Width());
}

TEST(RecentFileList, KeepsFourNewestWithoutRepeatsAndSurvivesRestart) {
    ScopedTempProfile profile;
    RecentFileList list;
    for (const char* p : {"/a", "/b", "/c", "/d", "/e", "/c"}) list.Add(p);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    list.Save(profile.Get());
    RecentFileList again;
    again.Load(profile.Get());
    EXPECT_EQ(again.Entries(), list.Entries());
    EXPECT_EQ(profile.Get().GetString("Recent File List", "File1", ""), "/c");
}

// A name given relative to the folder the editor started in must still open
// the same file once it starts elsewhere.
TEST(RecentFileList, KeepsNamesFromTheCommandLineAsAbsolutePaths) {
    const std::string here = std::filesystem::current_path().string();
    const struct {
        const char* given;
        std::string stored;
    } rows[] = {{"work/test64.png", here + "/work/test64.png"},
                {"./pic.bmp", here + "/pic.bmp"},
                {"a/./b/../c.pcx", here + "/a/b/../c.pcx"},
                {"/pics/hero.pcx", "/pics/hero.pcx"}};
    for (const auto& row : rows) {
        RecentFileList list;
        list.Add(row.given);
        list.Add(row.stored);  // the same file: moves up, no second entry
        EXPECT_EQ(list.Entries(), std::vector<std::string>{row.stored}) << row.given;
    }
    ScopedTempProfile profile;
    CVorlinDoc doc;
    DibPtr dib = Block(16, 8, 16, 3);
    ASSERT_TRUE(doc.OpenFromDib(dib.get(), "work/test64.png"));
    EXPECT_EQ(doc.RecentFiles().Entries().front(), here + "/work/test64.png");
}

}  // namespace
}  // namespace vorlin
