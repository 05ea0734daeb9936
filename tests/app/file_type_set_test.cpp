#include "app/file_type_set.h"

#include <gtest/gtest.h>

#include "support/fake_ui_services.h"
#include "support/temp_profile.h"
#include "platform/profile.h"

namespace vorlin {
namespace {

FileTypeSet MakeSet(const char* entry, std::span<const int> ids) {
    FileTypeSet set;
    set.entryName = entry;
    EXPECT_TRUE(LoadFilters(set, ids));
    return set;
}

TEST(FileTypeSet, LoadFiltersSkipsUnknownIdsAndKeepsOrder) {
    FileTypeSet set;
    EXPECT_FALSE(LoadFilters(set, std::vector<int>{1, 2}));
    EXPECT_TRUE(set.filters.empty());
    const int ids[] = {2109, 9999, 2101};
    EXPECT_TRUE(LoadFilters(set, ids));
    ASSERT_EQ(set.filters.size(), 2u);
    EXPECT_EQ(set.filters[0], "Portable Network Graphics (*.png)|*.png|");
    EXPECT_EQ(set.filters[1], "Windows Bitmap (*.bmp)|*.bmp|");
}

TEST(FileTypeSet, FindFilterAndFirstExtension) {
    const FileTypeSet open = MakeSet("Open", kOpenFilterIds);
    EXPECT_EQ(FindFilter(open, "bmp", false), 0);  // the "All supported types" list
    EXPECT_EQ(FindFilter(open, "bmp", true), 1);
    EXPECT_EQ(FindFilter(open, "tga", true), 4);
    EXPECT_EQ(FindFilter(open, "", false), -1);
    EXPECT_EQ(FindFilter(open, "xyz", false), -1);

    EXPECT_EQ(FirstExtension(open, 0), "bmp");
    EXPECT_EQ(FirstExtension(open, 3), "png");
    EXPECT_EQ(FirstExtension(open, 5), "*");
    EXPECT_EQ(FirstExtension(open, 6), "");
    EXPECT_EQ(FirstExtension(open, -1), "");
    FileTypeSet odd;
    odd.filters = {"no bar at all", "Short|*", "Open end|*.abc"};
    EXPECT_EQ(FirstExtension(odd, 0), "");
    EXPECT_EQ(FirstExtension(odd, 1), "");
    EXPECT_EQ(FirstExtension(odd, 2), "");
}

class FileDialogTest : public ::testing::Test {
  protected:
    int Choose(FileTypeSet& set, std::string& path, bool open) {
        return DoFileDialog(set, path, open, ui, profile.Get());
    }
    ScopedTempProfile profile;
    FakeUiServices ui;
    FileTypeSet saveAs = MakeSet("Save As", kSaveAsFilterIds);
};

TEST_F(FileDialogTest, TypedNameGetsTheChosenFiltersExtension) {
    std::string path = "/work/art/old.pcx";
    ui.QueueFile("/work/art/pic", 1);
    EXPECT_EQ(Choose(saveAs, path, false), 0);
    EXPECT_EQ(path, "/work/art/pic.bmp");
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    const FileDialogRequest& shown = ui.fileRequests[0];
    EXPECT_FALSE(shown.open);
    EXPECT_EQ(shown.caption, "Save As");
    EXPECT_EQ(shown.initialDir, "/work/art");
    EXPECT_EQ(shown.initialName, "old");
    EXPECT_EQ(shown.filterIndex, 1);  // first use after a fresh install
    EXPECT_EQ(shown.filter,
              "Windows Bitmap (*.bmp)|*.bmp|ZSoft PaintBrush (*.pcx)|*.pcx|"
              "Portable Network Graphics (*.png)|*.png|Targa (*.tga)|*.tga|");
    EXPECT_EQ(profile.Get().GetString("Last File", "Save As", ""), "/work/art/pic.bmp");
    EXPECT_EQ(profile.Get().GetInt("Last Filter", "Save As", -1), 0);
}

TEST_F(FileDialogTest, WildcardFilterCannotCompleteAName) {
    FileTypeSet open = MakeSet("Open", kOpenFilterIds);
    std::string path;
    ui.QueueFile("/work/pic", 6);  // "All Files(*.*)|*.*|"
    EXPECT_EQ(Choose(open, path, true), kFileDialogNoExtension);
    EXPECT_TRUE(path.empty());
    EXPECT_EQ(profile.Get().GetString("Last File", "Open", "unset"), "unset");
    EXPECT_EQ(profile.Get().GetInt("Last Filter", "Open", -1), -1);
}

TEST_F(FileDialogTest, NameWithAnyDotIsLeftAsItIs) {
    std::string path;
    ui.QueueFile("/work/v1.2/pic", 2);
    EXPECT_EQ(Choose(saveAs, path, false), 1);
    EXPECT_EQ(path, "/work/v1.2/pic");
    ui.QueueFile("/work/pic.png", 1);
    Choose(saveAs, path, false);
    EXPECT_EQ(path, "/work/pic.png");
}

TEST_F(FileDialogTest, CancelEmptiesThePathAndRemembersNothing) {
    std::string path = "/work/a.bmp";
    ui.QueueFileCancel();
    EXPECT_EQ(Choose(saveAs, path, false), kFileDialogCancelled);
    EXPECT_TRUE(path.empty());
    EXPECT_EQ(profile.Get().GetString("Last File", "Save As", "unset"), "unset");
}

TEST_F(FileDialogTest, FilterAndFolderAreRememberedPerCommand) {
    std::string path;
    ui.QueueFile("/one/a.png", 3);
    Choose(saveAs, path, false);
    // A later run reads the filter from the settings; the folder comes from the
    // remembered path when the given one has no folder.
    FileTypeSet fresh = MakeSet("Save As", kSaveAsFilterIds);
    std::string bare = "untitled";
    ui.QueueFileCancel();
    Choose(fresh, bare, false);
    EXPECT_EQ(ui.fileRequests.back().filterIndex, 3);
    EXPECT_EQ(ui.fileRequests.back().initialDir, "/one");
    EXPECT_EQ(ui.fileRequests.back().initialName, "untitled");

    FileTypeSet import = MakeSet("Import", kImportFilterIds);
    std::string none;
    ui.QueueFileCancel();
    Choose(import, none, true);
    EXPECT_EQ(ui.fileRequests.back().initialDir, "");  // Import has its own memory
    EXPECT_EQ(ui.fileRequests.back().filterIndex, 1);
}

TEST_F(FileDialogTest, SharedFolderCarriesFromOpenToImport) {
    profile.Get().WriteInt("Last File", "IsSharedDir", 1);
    FileTypeSet open = MakeSet("Open", kOpenFilterIds);
    FileTypeSet import = MakeSet("Import", kImportFilterIds);
    std::string path;
    ui.QueueFile("/shared/pics/hero.pcx", 3);
    Choose(open, path, true);
    EXPECT_EQ(profile.Get().GetString("Last File", "Shared", ""), "/shared/pics/hero.pcx");
    EXPECT_EQ(profile.Get().GetString("Last File", "Open", "unset"), "unset");
    EXPECT_EQ(profile.Get().GetInt("Last Filter", "Open", -1), 2);

    std::string importPath;
    ui.QueueFileCancel();
    Choose(import, importPath, true);
    EXPECT_EQ(ui.fileRequests.back().initialDir, "/shared/pics");
}

TEST_F(FileDialogTest, DamagedRememberedFilterIsBroughtIntoRange) {
    profile.Get().WriteInt("Last Filter", "Save As", 40);
    std::string path;
    ui.QueueFile("/x/pic", 99);
    EXPECT_EQ(ui.files.size(), 1u);
    Choose(saveAs, path, false);
    EXPECT_EQ(ui.fileRequests.back().filterIndex, 4);
    EXPECT_EQ(path, "/x/pic.tga");
}

}  // namespace
}  // namespace vorlin
