// The console check in the main window, driven by real clicks and strokes.
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QtTest>
#include <memory>

#include "app/command_ids.h"
#include "app/console_check_link.h"
#include "app/qt/main_frame.h"
#include "app/qt/view_bar.h"
#include "app/qt/vorlin_view.h"
#include "gui_suites.h"
#include "gui_test_util.h"

namespace vorlin {

class ConsoleCheckGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void strokeMarksATileAndUndoClearsIt();
    void theToggleIsRemembered();
};

namespace {

// 4-bpp tiles with a map, exporting colour 0 only: any other colour breaks a tile.
ExportDialogValues OnlyColourZero() {
    ExportDialogValues values;
    values.bppIndex = 2;
    values.mapEnabled = true;
    values.palNum = 1;
    return values;
}

}  // namespace

void ConsoleCheckGuiTest::strokeMarksATileAndUndoClearsIt() {
    ToolWindow w;
    ConsoleCheckLink& check = w.frame.ConsoleCheck();
    check.SetSettingsSource(OnlyColourZero);
    QLabel* pane = w.frame.ConsoleCheckPane();
    QVERIFY(pane->isHidden());
    // The tool-bar button beside the grids.
    QWidget* button =
        w.frame.ViewOptionsBar().widgetForAction(w.frame.Action(ID_VIEW_CONSOLE_CHECK));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(w.frame.Action(ID_VIEW_CONSOLE_CHECK)->isChecked());
    QVERIFY(!pane->isHidden());
    const QString clean = QString::fromUtf8("tiles 1/1024 · banks 0 · 0.0 of 32 KB");
    QCOMPARE(pane->text(), clean);

    QTest::mousePress(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(10, 3));
    QTest::mouseMove(w.Area(), ToolWindow::At(11, 3));
    QTest::mouseRelease(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(11, 3));
    QVERIFY(check.Check().MarksAt(1, 0) & kMarkOutsidePalette);
    QCOMPARE(check.Check().MarksAt(0, 0), std::uint8_t{0});
    QVERIFY(pane->text().startsWith("tiles 2/1024"));
    // Hovering the marked tile says what is wrong with it.
    QTest::mouseMove(w.Area(), ToolWindow::At(12, 5));
    QVERIFY2(w.frame.statusBar()->currentMessage().startsWith("the picture shows colours"),
             qPrintable(w.frame.statusBar()->currentMessage()));

    w.frame.RunCommand(ID_EDIT_UNDO);
    QCOMPARE(check.Check().MarksAt(1, 0), std::uint8_t{0});
    QCOMPARE(pane->text(), clean);
    QTest::mouseMove(w.Area(), ToolWindow::At(12, 6));
    QCOMPARE(w.frame.statusBar()->currentMessage(), QString("Ready"));

    w.frame.RunCommand(ID_VIEW_CONSOLE_CHECK);
    QVERIFY(pane->isHidden());
}

void ConsoleCheckGuiTest::theToggleIsRemembered() {
    ScopedTempProfile profile;
    FakeUiServices ui;
    ScopedUiServices installed{ui};
    CVorlinDoc doc;
    auto frame = std::make_unique<CMainFrame>(doc);
    QVERIFY(!frame->Action(ID_VIEW_CONSOLE_CHECK)->isChecked());
    frame->RunCommand(ID_VIEW_CONSOLE_CHECK);
    frame.reset();
    frame = std::make_unique<CMainFrame>(doc);
    QVERIFY(frame->Action(ID_VIEW_CONSOLE_CHECK)->isChecked());
    QVERIFY(!frame->ConsoleCheckPane()->isHidden());
}

int RunConsoleCheckGuiTests(int argc, char* argv[]) {
    ConsoleCheckGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "console_check_gui_test.moc"
