// Zoom keys, Fit, Space panning and the zoom box, driven with real key and mouse events.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "app/command_ids.h"
#include "app/qt/view_bar.h"
#include "app/view_settings.h"
#include "app/zoom_text.h"
#include "gui_suites.h"
#include "gui_test_util.h"

namespace vorlin {

namespace {

// The view's picture lies wholly inside it: no scroll bar can move.
bool WholePictureShown(CVorlinView& view) {
    const ImageViewport& v = view.Viewport();
    return v.VisibleSize().width == v.ImageSize().width &&
           v.VisibleSize().height == v.ImageSize().height;
}

struct ActiveWindow : ToolWindow {
    ActiveWindow() {
        frame.activateWindow();
        if (!QTest::qWaitForWindowActive(&frame)) qWarning("the window did not become active");
        View().setFocus();
    }
    // A sprite as opening one leaves it: its own size, zoom 1.
    void OpenSprite(int side) {
        doc.ResizeImage(side, side, 0);
        View().OnInitialUpdate();
    }
    QLineEdit* ZoomEdit() { return frame.ViewOptionsBar().ZoomBox()->lineEdit(); }
};

}  // namespace

class ViewNavigationTest : public QObject {
    Q_OBJECT
  private slots:
    void zoomKeysWalkTheSteps_data();
    void zoomKeysWalkTheSteps();
    void fitShowsTheWholeSpriteAtTheLargestStep();
    void fitNewPicturesOption();
    void spaceDragPansInAnyTool();
    void zoomBoxKeepsTypedValueAndReturnsFocus();
};

void ViewNavigationTest::zoomKeysWalkTheSteps_data() {
    QTest::addColumn<double>("from");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<double>("to");
    QTest::newRow("Ctrl++ from 1") << 1.0 << "Ctrl++" << 2.0;
    QTest::newRow("Ctrl+= from 4 goes to the box's 6") << 4.0 << "Ctrl+=" << 6.0;
    QTest::newRow("Ctrl+- from 6") << 6.0 << "Ctrl+-" << 4.0;
    QTest::newRow("a typed 1.5 goes up to 2") << 1.5 << "Ctrl++" << 2.0;
    QTest::newRow("a typed 1.5 goes down to 1") << 1.5 << "Ctrl+-" << 1.0;
    QTest::newRow("below 1 by halves") << 0.5 << "Ctrl+-" << 0.25;
    QTest::newRow("past 16 by doubles") << 16.0 << "Ctrl++" << 32.0;
    QTest::newRow("64 is the top") << 64.0 << "Ctrl++" << 64.0;
    QTest::newRow("1/16 is the bottom") << 0.0625 << "Ctrl+-" << 0.0625;
    QTest::newRow("Alt+= still zooms in") << 2.0 << "Alt+=" << 4.0;
}

void ViewNavigationTest::zoomKeysWalkTheSteps() {
    QFETCH(double, from);
    QFETCH(QString, keys);
    QFETCH(double, to);
    ActiveWindow w;
    w.View().SetZoom(from);
    QTest::keySequence(&w.View(), QKeySequence(keys));
    QCOMPARE(w.View().Viewport().Zoom(), to);
    QCOMPARE(w.ZoomEdit()->text(), QString::fromStdString(FormatZoom(to)));
}

void ViewNavigationTest::fitShowsTheWholeSpriteAtTheLargestStep() {
    ActiveWindow w;
    w.OpenSprite(64);
    QCOMPARE(w.View().Viewport().Zoom(), 1.0);  // opening keeps 1x
    QTest::keySequence(&w.View(), QKeySequence("Ctrl+0"));
    const double fitted = w.View().Viewport().Zoom();
    QVERIFY2(fitted >= 4, qPrintable(QString::number(fitted)));
    QVERIFY(WholePictureShown(w.View()));
    // The bars go once the area has laid itself out again.
    QTRY_VERIFY(!w.View().horizontalScrollBar()->isVisible());
    QTRY_VERIFY(!w.View().verticalScrollBar()->isVisible());
    QVERIFY(WholePictureShown(w.View()));
    // One step further the sprite no longer fits.
    QTest::keySequence(&w.View(), QKeySequence("Ctrl++"));
    QVERIFY(!WholePictureShown(w.View()));
    // A picture larger than the view fits below 1x.
    w.OpenSprite(2048);
    QTest::keySequence(&w.View(), QKeySequence("Ctrl+0"));
    QVERIFY(w.View().Viewport().Zoom() < 1);
    QVERIFY(WholePictureShown(w.View()));
}

void ViewNavigationTest::fitNewPicturesOption() {
    ActiveWindow w;
    w.OpenSprite(64);
    QCOMPARE(w.View().Viewport().Zoom(), 1.0);
    w.profile.Get().WriteInt(kSectionMainView, kKeyFitNew, 1);
    w.OpenSprite(64);
    QVERIFY(w.View().Viewport().Zoom() >= 4);
    QVERIFY(WholePictureShown(w.View()));
}

void ViewNavigationTest::spaceDragPansInAnyTool() {
    ActiveWindow w;  // the Pencil, zoom 8
    QWidget* area = w.Area();
    QTest::keyPress(&w.View(), Qt::Key_Space);
    QCOMPARE(area->cursor().shape(), Qt::OpenHandCursor);
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QCOMPARE(area->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseMove(area, QPoint(120, 160));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(120, 160));
    QCOMPARE(w.View().Viewport().Origin().x, 10);  // 80 screen pixels at zoom 8
    QCOMPARE(w.View().Viewport().Origin().y, 5);
    QCOMPARE(w.View().horizontalScrollBar()->value(), 10);
    QCOMPARE(w.doc.history.UndoCount(), 0);  // the pencil drew nothing
    QTest::keyRelease(&w.View(), Qt::Key_Space);
    QVERIFY(area->cursor().shape() != Qt::OpenHandCursor);
    // Without Space the left button is the tool's again.
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, ToolWindow::At(1, 1));
    QCOMPARE(w.doc.history.UndoCount(), 1);
}

void ViewNavigationTest::zoomBoxKeepsTypedValueAndReturnsFocus() {
    ActiveWindow w;  // zoom 8
    QLineEdit* edit = w.ZoomEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "1");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.View().Viewport().Zoom(), 1.0);
    QCOMPARE(edit->text(), QString("1x"));
    QVERIFY(w.View().hasFocus());
    // A tool letter works at once.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L);
    QCOMPARE(w.View().CurrentTool().Id(), int(ID_TOOL_LINE));

    // A choice from the list returns the focus as well.
    QComboBox* box = w.frame.ViewOptionsBar().ZoomBox();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(w.View().Viewport().Zoom(), 2.0);
    QVERIFY(w.View().hasFocus());
}

int RunViewNavigationTests(int argc, char* argv[]) {
    ViewNavigationTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "view_navigation_test.moc"
