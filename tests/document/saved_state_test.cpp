// Undo and redo lead back to the saved state, and only to a state the file really holds.
#include <gtest/gtest.h>

#include <string>

#include "document/vorlin_doc.h"

namespace vorlin {
namespace {

struct FlagView : ViewObserver {
    void OnUpdate(int, const void*) override {}
    void OnModifiedChanged(bool modified) override { told.push_back(modified ? '*' : '-'); }
    std::string told;
};

// Ops: e edit (a palette entry, one undo step each), s save that wrote everything,
// l save that lost pixels (the document stays modified), u undo, r redo.
void Play(CVorlinDoc& doc, const std::string& ops) {
    int entry = 0;
    for (char op : ops) {
        switch (op) {
            case 'e':
                doc.SetPaletteEntry(++entry, RgbQuad{9, 9, 9, 0});
                break;
            case 's':
            case 'l':
                doc.SetPathName("/nowhere/pic.bmp", false);
                doc.SetModifiedFlag(op == 'l');
                break;
            case 'u':
                doc.Undo();
                break;
            case 'r':
                doc.Redo();
                break;
        }
    }
}

TEST(SavedState, UndoAndRedoFindTheSavedPicture) {
    struct Row {
        const char* ops;
        bool modified;
    };
    const Row rows[] = {
        {"", false},       {"eu", false},  // back to the picture as it started
        {"eeuur", true},   {"esu", true},  // the file holds the edit
        {"eseu", false},   {"eseuu", true},
        {"eseuur", false}, {"elu", true},   // the file lacks pixels: no state matches it
        {"eleu", true},    {"elsu", true},  // saved whole after the loss, then undone
        {"elseu", false},
    };
    for (const Row& r : rows) {
        CVorlinDoc doc;
        Play(doc, r.ops);
        EXPECT_EQ(doc.IsModified(), r.modified) << r.ops;
    }
}

TEST(SavedState, ViewsAreToldWhenTheFlagChanges) {
    CVorlinDoc doc;
    FlagView view;
    doc.AddView(&view);
    Play(doc, "eeuursu");
    // Set by the first edit only, cleared by the second undo, set by redo, cleared by the save,
    // set by the last undo.
    EXPECT_EQ(view.told, "*-*-*");
    doc.RemoveView(&view);
}

}  // namespace
}  // namespace vorlin
