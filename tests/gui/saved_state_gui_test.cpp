// The title's asterisk through drawing, undo, redo and saving, and the keys that save and quit.
#include <QtTest>
#include <filesystem>

#include "app/command_ids.h"
#include "gui_suites.h"
#include "gui_test_util.h"

namespace vorlin {

class SavedStateGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void asteriskFollowsEditsUndoAndSave();
    void quitKeyAsksOnlyWithUnsavedChanges();
};

namespace {

bool Starred(const CMainFrame& frame) {
    return frame.windowTitle().endsWith(" *");
}

void Dot(ToolWindow& w, int x, int y) {
    QTest::mouseClick(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(x, y));
}

void Keys(ToolWindow& w, const char* keys) {
    QTest::keySequence(&w.frame, QKeySequence(keys));
}

}  // namespace

void SavedStateGuiTest::asteriskFollowsEditsUndoAndSave() {
    ToolWindow w;
    ScopedTempDir dir;
    w.frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.frame));
    QVERIFY(!Starred(w.frame));
    Dot(w, 2, 2);
    QVERIFY(Starred(w.frame));
    Keys(w, "Ctrl+Z");
    QVERIFY(!Starred(w.frame));
    QVERIFY(!w.doc.IsModified());
    Keys(w, "Ctrl+Y");
    QVERIFY(Starred(w.frame));

    const std::string saved = dir.File("pic.tga");
    w.ui.QueueFile(saved);
    Keys(w, "Ctrl+Shift+S");
    QVERIFY(std::filesystem::exists(saved));
    QCOMPARE(w.frame.windowTitle(), QString("pic.tga [256x256@8]"));

    Dot(w, 3, 3);
    QVERIFY(Starred(w.frame));
    Keys(w, "Ctrl+Z");  // back to what the file holds
    QVERIFY(!Starred(w.frame));
    Keys(w, "Ctrl+Z");  // before the first dot: not what the file holds
    QVERIFY(Starred(w.frame));
    Keys(w, "Ctrl+Y");
    QVERIFY(!Starred(w.frame));

    // A palette edit shows at once, before any other update.
    w.doc.SetPaletteEntry(7, RgbQuad{1, 2, 3, 0});
    QVERIFY(Starred(w.frame));
}

void SavedStateGuiTest::quitKeyAsksOnlyWithUnsavedChanges() {
    ToolWindow w;
    w.frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.frame));
    Dot(w, 1, 1);
    w.ui.QueueAnswer(UiAnswer::Cancel);
    QTest::keySequence(&w.frame, QKeySequence("Ctrl+Q"));
    QCOMPARE(w.ui.messages.size(), size_t{1});
    QVERIFY(w.frame.isVisible());
    // Undone to the saved state: closing no longer asks.
    QTest::keySequence(&w.frame, QKeySequence("Ctrl+Z"));
    QTest::keySequence(&w.frame, QKeySequence("Ctrl+Q"));
    QCOMPARE(w.ui.messages.size(), size_t{1});
    QVERIFY(!w.frame.isVisible());
}

int RunSavedStateGuiTests(int argc, char* argv[]) {
    SavedStateGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "saved_state_gui_test.moc"
