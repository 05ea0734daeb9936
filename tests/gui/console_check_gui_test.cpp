// The console check in the main window, driven by real clicks and strokes.
#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/command_ids.h"
#include "app/console_check_link.h"
#include "app/qt/image_size_dialog.h"
#include "app/qt/int_field.h"
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
    void marksFollowEveryChangeOnScreen();
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

ExportDialogValues EveryColour() {
    ExportDialogValues values = OnlyColourZero();
    values.palNum = 256;
    return values;
}

const QRgb kMagenta = qRgb(255, 0, 255);

// A pencil stroke over picture pixels (x, y) and (x + 1, y) at any zoom.
void Stroke(ToolWindow& w, int x, int y) {
    const auto at = [&](int px) {
        const IRect r = w.View().Viewport().ImageRectToClient({px, y, px + 1, y + 1});
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    QTest::mousePress(w.Area(), Qt::LeftButton, Qt::NoModifier, at(x));
    QTest::mouseMove(w.Area(), at(x + 1));
    QTest::mouseRelease(w.Area(), Qt::LeftButton, Qt::NoModifier, at(x + 1));
}

// What the view shows disagrees with the check: a marked tile on screen without
// magenta at its corner, or magenta outside every marked tile. "" when they agree.
QString ScreenDisagreement(ToolWindow& w) {
    const QImage shown = w.Area()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const ImageViewport& viewport = w.View().Viewport();
    const ConsoleCheck& check = w.frame.ConsoleCheck().Check();
    const CheckRules& rules = check.Rules();
    QRegion marked;
    for (int row = 0; row < rules.down; ++row)
        for (int column = 0; column < rules.across; ++column) {
            if (!check.MarksAt(column, row)) continue;
            const int x = rules.left + column * 8, y = rules.top + row * 8;
            const IRect r = viewport.ImageRectToClient({x, y, x + 8, y + 8});
            const QRect tile(r.left, r.top, r.Width(), r.Height());
            marked += tile;
            if (shown.rect().contains(tile.topLeft()) && shown.pixel(tile.topLeft()) != kMagenta)
                return QString("tile %1,%2 is marked but not shown").arg(column).arg(row);
        }
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) == kMagenta && !marked.contains(QPoint(x, y)))
                return QString("magenta at %1,%2 outside the marked tiles").arg(x).arg(y);
    return "";
}

}  // namespace

// The marks on screen follow the check through everything that moves, adds or
// removes them; the zoomed-out view keeps them in a layer that must not go stale.
void ConsoleCheckGuiTest::marksFollowEveryChangeOnScreen() {
    struct Step {
        const char* what;
        std::function<void(ToolWindow&)> act;
        bool anyMark;
    };
    const auto zoom = [](double factor) { return [factor](ToolWindow& w) { w.View().SetZoom(factor); }; };
    const auto command = [](int id) { return [id](ToolWindow& w) { w.frame.RunCommand(id); }; };
    const auto settings = [](ExportDialogValues (*values)()) {
        return [values](ToolWindow& w) {
            w.frame.ConsoleCheck().SetSettingsSource(values);
            w.frame.ConsoleCheck().SettingsChanged();
        };
    };
    const Step steps[] = {
        {"zoomed out to 1", zoom(1), false},
        {"a stroke breaks a tile", [](ToolWindow& w) { Stroke(w, 10, 3); }, true},
        {"a second one far away", [](ToolWindow& w) { Stroke(w, 200, 180); }, true},
        {"undo clears its mark", command(ID_EDIT_UNDO), true},
        {"redo brings it back", command(ID_EDIT_REDO), true},
        {"zoom 2", zoom(2), true},
        {"zoom 1/2", zoom(0.5), true},
        {"zoom 4", zoom(4), true},
        {"scrolled",
         [](ToolWindow& w) {
             w.View().horizontalScrollBar()->setValue(40);
             w.View().verticalScrollBar()->setValue(24);
         },
         true},
        {"tile grid off", command(ID_VIEW_TILE_GRID), true},
        {"tile grid on", command(ID_VIEW_TILE_GRID), true},
        {"zoom 8, drawn without the layer", zoom(8), true},
        {"zoom 3", zoom(3), true},
        {"settings that allow every colour", settings(EveryColour), false},
        {"settings back", settings(OnlyColourZero), true},
        {"picture shrunk to its first tiles",
         [](ToolWindow& w) {
             WhenModal<ImageSizeDialog>([](ImageSizeDialog* d) {
                 d->widthField->setText("16");
                 d->heightField->setText("8");
                 d->accept();
             });
             w.frame.RunCommand(ID_IMAGE_SIZE);
         },
         true},
        {"undo both strokes' tiles away", [](ToolWindow& w) {
             w.frame.RunCommand(ID_EDIT_UNDO);
             w.frame.RunCommand(ID_EDIT_UNDO);
             w.frame.RunCommand(ID_EDIT_UNDO);
         }, false},
    };
    ToolWindow w;
    w.frame.ConsoleCheck().SetSettingsSource(OnlyColourZero);
    w.frame.RunCommand(ID_VIEW_CONSOLE_CHECK);
    for (const Step& step : steps) {
        step.act(w);
        const ConsoleCheck& check = w.frame.ConsoleCheck().Check();
        QCOMPARE(check.Figures().brokenTiles > 0, step.anyMark);
        QVERIFY2(ScreenDisagreement(w).isEmpty(),
                 qPrintable(QString(step.what) + ": " + ScreenDisagreement(w)));
    }
}

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
