// The tools bar, tool options, letter keys, tool cursors and overlays, driven with real events.
#include "app/qt/tools_bar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>
#include <cctype>

#include "app/command_ids.h"
#include "app/qt/main_frame.h"
#include "app/qt/text_wnd.h"
#include "app/qt/tool_art.h"
#include "app/qt/view_bar.h"
#include "app/qt/view_tool_host.h"
#include "app/qt/vorlin_view.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "tools/tool_box.h"
#include "tools/tool_catalog.h"

namespace vorlin {

namespace {

enum class Overlay { Brush, Eraser, Selection, Marquee };
enum class Removal { Switch, Escape, Undo };

}  // namespace

}  // namespace vorlin

Q_DECLARE_METATYPE(vorlin::Overlay)
Q_DECLARE_METATYPE(vorlin::Removal)

namespace vorlin {

namespace {

struct BarWindow : ToolWindow {
    ~BarWindow() {
        // The tools are the program's; leave them as a new bar would find them.
        for (CTool* tool : ProgramTools().Registry()) tool->SetOption(0);
        View().SelectTool(ID_TOOL_PENCIL);
    }
    ToolsBar& Bar() { return frame.ToolsPanel(); }
    QListWidget& Options() { return *Bar().OptionList(); }
    int Pixel(int x, int y) { return doc.GetImage().GetPixel(x, y); }

    void Key(char letter) { QTest::keyClick(&View(), letter); }
    void ClickButton(int toolId) { QTest::mouseClick(Bar().Button(toolId), Qt::LeftButton); }
    void ChooseOption(int row) {
        const QRect r = Options().visualItemRect(Options().item(row));
        QTest::mouseClick(Options().viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
    // A drag between image pixels at zoom 8.
    void Drag(QPoint from, QPoint to) { DragAt(At(from.x(), from.y()), At(to.x(), to.y())); }
    // A drag between screen points.
    void DragAt(QPoint from, QPoint to) {
        QTest::mouseMove(Area(), from);
        QTest::mousePress(Area(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(Area(), to);
        QTest::mouseRelease(Area(), Qt::LeftButton, Qt::NoModifier, to);
    }
    // The screen point over image pixel (x, y) at any zoom.
    QPoint Point(int x, int y) {
        const IRect r = View().Viewport().ImageRectToClient(IRect{x, y, x + 1, y + 1});
        return {(r.left + r.right - 1) / 2, (r.top + r.bottom - 1) / 2};
    }
    QStringList OptionTexts() {
        QStringList texts;
        for (int i = 0; i < Options().count(); ++i) texts << Options().item(i)->text();
        return texts;
    }
    // What the screen shows of the picture, including what earlier partial repaints left.
    QImage Screen() {
        QApplication::processEvents();
        const QPoint topLeft = Area()->mapTo(&frame, QPoint(0, 0));
        return frame.screen()
            ->grabWindow(frame.winId(), topLeft.x(), topLeft.y(), Area()->width(), Area()->height())
            .toImage();
    }
    std::vector<std::uint8_t> Picture() {
        const CIndexImage& image = doc.GetImage();
        std::vector<std::uint8_t> bytes;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) bytes.push_back(image.GetPixel(x, y));
        return bytes;
    }
};

QStringList Entries(int toolId) {
    QStringList texts;
    for (const std::string& entry : OptionEntries(FindTool(toolId)))
        texts << QString::fromStdString(entry);
    return texts;
}

void AddToolRows() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("n");
    QTest::addColumn<char>("key");
    for (int n = 0; n < static_cast<int>(kToolTable.size()); ++n) {
        const ToolInfo& info = kToolTable[n];
        const std::string_view tip = info.description.substr(info.description.find('\n') + 1);
        QTest::newRow(std::string(info.buttonText).c_str()) << info.id << n << tip[tip.size() - 2];
    }
}

}  // namespace

class ToolsBarTest : public QObject {
    Q_OBJECT
  private slots:
    void barStartsOnTheLeftWithTheFirstOptions();
    void paintBarToggleIsSavedWithTheLayout();
    void buttonsPickToolsAndRefillTheOptions_data() { AddToolRows(); }
    void buttonsPickToolsAndRefillTheOptions();
    void keysAndCursorsFollowTheTool_data() { AddToolRows(); }
    void keysAndCursorsFollowTheTool();
    void keysAreIgnoredOutsideThePicture();
    void rectangleOptionDecidesTheInterior_data();
    void rectangleOptionDecidesTheInterior();
    void eraserSixteenSweepsSixteenWide();
    void lineOptionDecidesThePattern_data();
    void lineOptionDecidesThePattern();
    void selectionModeDecidesTransparency_data();
    void selectionModeDecidesTransparency();
    void zoomOptionZoomsAndFlipsBack();
    void overlaysLeaveNoTrace_data();
    void overlaysLeaveNoTrace();
    void selectionCommandsNeedASelection();
    void zoomUpAndDownStepTheZoom();
    void artScalesByWholeFactors_data();
    void artScalesByWholeFactors();
};

void ToolsBarTest::barStartsOnTheLeftWithTheFirstOptions() {
    BarWindow w;
    ToolsBar& bar = w.Bar();
    QCOMPARE(bar.windowTitle(), QString("Tls"));
    QCOMPARE(w.frame.dockWidgetArea(&bar), Qt::LeftDockWidgetArea);
    QCOMPARE(bar.allowedAreas(), Qt::DockWidgetAreas(Qt::LeftDockWidgetArea));
    QVERIFY(bar.isVisible());
    QCOMPARE(w.View().CurrentTool().Id(), ID_TOOL_PENCIL);
    QCOMPARE(w.Options().count(), 0);
    QCOMPARE(FindTool(ID_TOOL_SELECT)->Option(), 1u);
    QCOMPARE(FindTool(ID_TOOL_ZOOM)->Option(), 3u);
    QCOMPARE(FindTool(ID_TOOL_ERASER)->Option(), 2u);
    QVERIFY(w.frame.Action(ID_VIEW_PAINTBAR)->isEnabled());
    QVERIFY(w.frame.Action(ID_VIEW_PAINTBAR)->isChecked());
}

void ToolsBarTest::paintBarToggleIsSavedWithTheLayout() {
    BarWindow w;
    QVERIFY(w.frame.RunCommand(ID_VIEW_PAINTBAR));
    QVERIFY(w.Bar().isHidden());
    QVERIFY(!w.frame.Action(ID_VIEW_PAINTBAR)->isChecked());
    QVERIFY(w.frame.close());

    CVorlinDoc doc;
    CMainFrame again(doc);
    again.show();
    QVERIFY(again.ToolsPanel().isHidden());
    QVERIFY(!again.Action(ID_VIEW_PAINTBAR)->isChecked());
    QVERIFY(again.RunCommand(ID_VIEW_PAINTBAR));
    QVERIFY(again.ToolsPanel().isVisible());
    QCOMPARE(again.dockWidgetArea(&again.ToolsPanel()), Qt::LeftDockWidgetArea);
}

void ToolsBarTest::buttonsPickToolsAndRefillTheOptions() {
    QFETCH(int, id);
    QFETCH(int, n);
    QFETCH(char, key);
    BarWindow w;
    QToolButton* button = w.Bar().Button(id);
    QVERIFY(button);
    QCOMPARE(button->geometry(), QRect(n % 2 == 0 ? 2 : 26, 8 + 24 * (n / 2), 24, 24));
    QVERIFY(!button->icon().isNull());
    QVERIFY(button->toolTip().endsWith(QString("(%1)").arg(key)));
    QVERIFY(w.frame.Action(id)->text().endsWith(QString("\t%1").arg(key)));

    FindTool(id)->SetOption(1);  // a tool keeps its option while others are current
    w.ClickButton(id);
    QCOMPARE(w.View().CurrentTool().Id(), id);
    for (const ToolInfo& info : kToolTable)
        QCOMPARE(w.Bar().Button(info.id)->isChecked(), info.id == id);
    QCOMPARE(w.OptionTexts(), Entries(id));
    QCOMPARE(w.Options().currentRow(), w.Options().count() > 0 ? 1 : -1);
    const std::string_view text = kToolTable[n].description;
    const QString prompt = QString::fromUtf8(text.substr(0, text.find('\n')));
    QCOMPARE(w.frame.statusBar()->currentMessage(), prompt);

    // A hovered item's tip replaces the prompt only while it is shown.
    w.frame.statusBar()->showMessage("hovered");
    w.frame.statusBar()->clearMessage();
    QCOMPARE(w.frame.statusBar()->currentMessage(), prompt);

    // Clicking the pressed button again keeps it pressed.
    w.ClickButton(id);
    QVERIFY(button->isChecked());
    QCOMPARE(w.View().CurrentTool().Id(), id);
}

void ToolsBarTest::keysAndCursorsFollowTheTool() {
    QFETCH(int, id);
    QFETCH(char, key);
    BarWindow w;
    w.Key(id == ID_TOOL_FILL ? 'O' : 'F');
    QVERIFY(w.View().CurrentTool().Id() != id);
    w.Key(static_cast<char>(std::tolower(key)));
    QCOMPARE(w.View().CurrentTool().Id(), id);
    QVERIFY(w.Bar().Button(id)->isChecked());

    // Two moves: a move to where the pointer already is never arrives.
    QTest::mouseMove(w.Area(), BarWindow::At(9, 9));
    QTest::mouseMove(w.Area(), BarWindow::At(10, 10));
    const QCursor shown = w.Area()->cursor();
    const CursorArt art = LoadCursorArt(FindTool(id)->CursorId());
    QVERIFY(!art.image.isNull());
    QCOMPARE(shown.shape(), Qt::BitmapCursor);
    QCOMPARE(shown.pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
             art.image.convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(shown.hotSpot(), art.hotSpot);
}

void ToolsBarTest::keysAreIgnoredOutsideThePicture() {
    BarWindow w;
    QLineEdit* zoomEdit = w.frame.ViewOptionsBar().ZoomBox()->lineEdit();
    QTest::keyClicks(zoomEdit, "sz");
    QCOMPARE(w.View().CurrentTool().Id(), ID_TOOL_PENCIL);

    // The text window takes what is typed as text.
    w.Key('t');
    QTest::mouseClick(w.Area(), Qt::LeftButton, Qt::NoModifier, BarWindow::At(4, 20));
    QVERIFY(w.View().Host().TextWindow());
    QPlainTextEdit* editor = w.View().Host().TextWindow()->Edit();
    QTest::keyClicks(editor, "bpe");
    QCOMPARE(editor->toPlainText(), QString("bpe"));
    QCOMPARE(w.View().CurrentTool().Id(), ID_TOOL_TEXT);

    // With a modifier a letter is some other command's.
    w.Key('o');
    QTest::keyClick(&w.View(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(w.View().CurrentTool().Id(), ID_TOOL_PENCIL);
}

void ToolsBarTest::rectangleOptionDecidesTheInterior_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("interior");  // 1: left colour, 5: right colour, 0: untouched
    QTest::newRow("solid") << 0 << 1;
    QTest::newRow("border") << 1 << 0;
    QTest::newRow("filled") << 2 << 5;
}

void ToolsBarTest::rectangleOptionDecidesTheInterior() {
    QFETCH(int, row);
    QFETCH(int, interior);
    BarWindow w;
    w.frame.PaletteBar().Select(kSlotLeft, 1);
    w.frame.PaletteBar().Select(kSlotRight, 5);
    w.ClickButton(ID_TOOL_RECT);
    w.ChooseOption(row);
    QCOMPARE(FindTool(ID_TOOL_RECT)->Option(), static_cast<unsigned>(row));
    w.Drag({2, 2}, {5, 4});
    for (int y = 1; y <= 5; ++y) {
        for (int x = 1; x <= 6; ++x) {
            const bool inBox = x >= 2 && x <= 5 && y >= 2 && y <= 4;
            const bool outline = inBox && (x == 2 || x == 5 || y == 2 || y == 4);
            const int expected = outline ? 1 : inBox ? interior : 0;
            QVERIFY2(w.Pixel(x, y) == expected, qPrintable(QString("(%1, %2)").arg(x).arg(y)));
        }
    }
}

void ToolsBarTest::eraserSixteenSweepsSixteenWide() {
    BarWindow w;
    w.frame.PaletteBar().Select(kSlotRight, 5);
    w.ClickButton(ID_TOOL_ERASER);
    QCOMPARE(w.Options().currentItem()->text(), QString("8"));
    w.ChooseOption(3);
    QCOMPARE(w.Options().currentItem()->text(), QString("16"));
    w.Drag({20, 20}, {30, 20});
    // Footprints 12..27 and 22..37 across, 12..27 down, joined by the sweep.
    for (int x : {12, 20, 25, 37}) {
        QCOMPARE(w.Pixel(x, 11), 0);
        for (int y = 12; y <= 27; ++y) QCOMPARE(w.Pixel(x, y), 5);
        QCOMPARE(w.Pixel(x, 28), 0);
    }
    QCOMPARE(w.Pixel(11, 20), 0);
    QCOMPARE(w.Pixel(38, 20), 0);
}

void ToolsBarTest::lineOptionDecidesThePattern_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("pattern");  // x = 0 … 20 on row 10
    QTest::newRow("solid") << 0 << "#####################";
    QTest::newRow("dash") << 1 << "######...######...###";
    QTest::newRow("dot") << 2 << "#.#.#.#.#.#.#.#.#.#.#";
}

void ToolsBarTest::lineOptionDecidesThePattern() {
    QFETCH(int, row);
    QFETCH(QString, pattern);
    BarWindow w;
    w.frame.PaletteBar().Select(kSlotLeft, 1);
    w.ClickButton(ID_TOOL_LINE);
    w.ChooseOption(row);
    w.Drag({0, 10}, {20, 10});
    QString drawn;
    for (int x = 0; x <= 20; ++x) drawn += w.Pixel(x, 10) == 1 ? '#' : '.';
    QCOMPARE(drawn, pattern);
}

void ToolsBarTest::selectionModeDecidesTransparency_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("corner");  // what the moved selection's background pixel shows
    QTest::newRow("opaque") << 0 << 0;
    QTest::newRow("trans") << 1 << 2;
}

void ToolsBarTest::selectionModeDecidesTransparency() {
    QFETCH(int, row);
    QFETCH(int, corner);
    BarWindow w;
    w.frame.PaletteBar().Select(kSlotRight, 0);
    // A dot of colour 1 on the background, and a block of colour 2 elsewhere.
    w.frame.PaletteBar().Select(kSlotLeft, 1);
    QTest::mouseClick(w.Area(), Qt::LeftButton, Qt::NoModifier, BarWindow::At(2, 2));
    w.frame.PaletteBar().Select(kSlotLeft, 2);
    w.ClickButton(ID_TOOL_RECT);
    w.ChooseOption(0);
    w.Drag({10, 10}, {14, 14});

    w.ClickButton(ID_TOOL_SELECT);
    w.ChooseOption(row);
    w.Drag({1, 1}, {3, 3});
    w.Drag({2, 2}, {12, 12});
    QCOMPARE(w.Pixel(12, 12), 1);
    QCOMPARE(w.Pixel(11, 11), corner);
    QCOMPARE(w.Pixel(13, 13), corner);
    QCOMPARE(w.Pixel(2, 2), 0);  // the place it left shows the background colour
    QTest::keyClick(&w.View(), Qt::Key_Escape);
}

void ToolsBarTest::zoomOptionZoomsAndFlipsBack() {
    BarWindow w;
    w.ClickButton(ID_TOOL_ZOOM);
    QCOMPARE(w.Options().currentItem()->text(), QString(" 6x"));
    w.ChooseOption(1);
    QCOMPARE(w.Options().currentItem()->text(), QString(" 2x"));
    QTest::mouseClick(w.Area(), Qt::LeftButton, Qt::NoModifier, BarWindow::At(10, 10));
    QCOMPARE(w.View().Viewport().Zoom(), 2.0);
    // The list now offers the way back to the zoom before.
    QCOMPARE(w.Options().currentItem()->text(), QString(" 8x"));
    QTest::mouseClick(w.Area(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QCOMPARE(w.View().Viewport().Zoom(), 8.0);
    QCOMPARE(w.Options().currentItem()->text(), QString(" 2x"));
}

void ToolsBarTest::overlaysLeaveNoTrace_data() {
    QTest::addColumn<Overlay>("overlay");
    QTest::addColumn<Removal>("removal");
    QTest::addColumn<double>("zoom");
    QTest::newRow("brush outline, tool switch") << Overlay::Brush << Removal::Switch << 8.0;
    QTest::newRow("eraser outline, tool switch") << Overlay::Eraser << Removal::Switch << 8.0;
    QTest::newRow("selection frame, tool switch") << Overlay::Selection << Removal::Switch << 8.0;
    QTest::newRow("selection frame, Escape") << Overlay::Selection << Removal::Escape << 8.0;
    QTest::newRow("selection frame, Undo") << Overlay::Selection << Removal::Undo << 8.0;
    QTest::newRow("marquee, Escape") << Overlay::Marquee << Removal::Escape << 8.0;
    QTest::newRow("marquee, tool switch") << Overlay::Marquee << Removal::Switch << 8.0;
    // Below zoom 5 the tile grid leaves gaps between tiles, so frames sit between pixels.
    QTest::newRow("brush outline, zoom 2") << Overlay::Brush << Removal::Switch << 2.0;
    QTest::newRow("selection frame, Escape, zoom 1")
        << Overlay::Selection << Removal::Escape << 1.0;
    QTest::newRow("selection frame, Escape, zoom 3")
        << Overlay::Selection << Removal::Escape << 3.0;
    QTest::newRow("selection frame, switch, zoom 4")
        << Overlay::Selection << Removal::Switch << 4.0;
    QTest::newRow("marquee, Escape, zoom 2") << Overlay::Marquee << Removal::Escape << 2.0;
}

void ToolsBarTest::overlaysLeaveNoTrace() {
    QFETCH(Overlay, overlay);
    QFETCH(Removal, removal);
    QFETCH(double, zoom);
    BarWindow w;
    w.View().SetZoom(zoom);
    const auto at = [&w](int x, int y) { return w.Point(x, y); };
    // Some picture under the overlays, so inverted pixels would show.
    w.frame.PaletteBar().Select(kSlotLeft, 3);
    w.ClickButton(ID_TOOL_RECT);
    w.ChooseOption(0);
    w.DragAt(at(3, 3), at(12, 9));
    w.ClickButton(ID_TOOL_PENCIL);
    QTest::mouseMove(w.Area(), at(7, 6));
    const QImage clean = w.Screen();
    const std::vector<std::uint8_t> picture = w.Picture();

    switch (overlay) {
        case Overlay::Brush:
        case Overlay::Eraser:
            w.Key(overlay == Overlay::Brush ? 'b' : 'e');
            QTest::mouseMove(w.Area(), at(8, 6));
            QTest::mouseMove(w.Area(), at(7, 6));
            break;
        case Overlay::Selection:
            w.Key('s');
            w.DragAt(at(2, 2), at(8, 6));
            break;
        case Overlay::Marquee:
            w.Key('s');
            QTest::mousePress(w.Area(), Qt::LeftButton, Qt::NoModifier, at(2, 2));
            QTest::mouseMove(w.Area(), at(8, 6));
            break;
    }
    QVERIFY(w.Screen() != clean);  // the overlay is there to be removed

    switch (removal) {
        case Removal::Switch:
            w.ClickButton(ID_TOOL_PENCIL);
            break;
        case Removal::Escape:
            QTest::keyClick(&w.View(), Qt::Key_Escape);
            break;
        case Removal::Undo:
            w.frame.RunCommand(ID_EDIT_UNDO);
            break;
    }
    if (overlay == Overlay::Marquee)
        QTest::mouseRelease(w.Area(), Qt::LeftButton, Qt::NoModifier, at(8, 6));
    QVERIFY(w.Picture() == picture);
    QVERIFY(w.Screen() == clean);
}

void ToolsBarTest::selectionCommandsNeedASelection() {
    BarWindow w;
    const int ids[] = {ID_EDIT_COPY,    ID_EDIT_CUT,          ID_IMAGE_FLIP_H,
                       ID_IMAGE_FLIP_V, ID_IMAGE_ROTATE_LEFT, ID_IMAGE_ROTATE_RIGHT};
    const auto enabled = [&](bool expected) {
        w.frame.UpdateCommands();
        for (int id : ids)
            QVERIFY2(w.frame.Action(id)->isEnabled() == expected, qPrintable(QString::number(id)));
    };
    enabled(false);
    w.Key('s');
    w.Drag({2, 2}, {6, 5});
    enabled(true);
    QTest::keyClick(&w.View(), Qt::Key_Escape);
    enabled(false);
}

void ToolsBarTest::zoomUpAndDownStepTheZoom() {
    BarWindow w;
    QVERIFY(w.frame.Action(ID_VIEW_ZOOM_UP)->isEnabled());
    QVERIFY(w.frame.Action(ID_VIEW_ZOOM_DOWN)->isEnabled());
    QVERIFY(w.frame.RunCommand(ID_VIEW_ZOOM_UP));
    QCOMPARE(w.View().Viewport().Zoom(), 16.0);
    QVERIFY(w.frame.RunCommand(ID_VIEW_ZOOM_DOWN));
    QVERIFY(w.frame.RunCommand(ID_VIEW_ZOOM_DOWN));  // through the zoom box's 6x
    QCOMPARE(w.View().Viewport().Zoom(), 6.0);
    QCOMPARE(w.frame.ViewOptionsBar().ZoomBox()->currentText(), QString("6x"));
}

namespace {

// Every screen pixel is the art pixel it covers: no smoothing, no shift.
bool IsWholeScale(const QImage& scaled, const QImage& art, int factor) {
    if (scaled.size() != art.size() * factor) return false;
    const QImage a = art.convertToFormat(QImage::Format_ARGB32);
    const QImage s = scaled.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) != a.pixel(x / factor, y / factor)) return false;
    return true;
}

}  // namespace

void ToolsBarTest::artScalesByWholeFactors_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("factor");
    QTest::newRow("1") << 1.0 << 1;
    QTest::newRow("1.25") << 1.25 << 1;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2") << 2.0 << 2;
    QTest::newRow("3") << 3.0 << 3;
    QTest::newRow("4, beyond the largest") << 4.0 << 3;
}

void ToolsBarTest::artScalesByWholeFactors() {
    QFETCH(double, ratio);
    QFETCH(int, factor);
    for (const ToolInfo& info : kToolTable) {
        const CursorArt art = LoadCursorArt(info.cursorId);
        QVERIFY(!art.image.isNull());
        QVERIFY(art.image.rect().contains(art.hotSpot));
        QCursor cursor;
        QVERIFY(MakeToolCursor(info.cursorId, ratio, cursor));
        QCOMPARE(cursor.pixmap().devicePixelRatio(), static_cast<qreal>(factor));
        QVERIFY(IsWholeScale(cursor.pixmap().toImage(), art.image, factor));
        QCOMPARE(cursor.hotSpot(), art.hotSpot);

        const QImage icon(QString(":/tools/icon_%1.png").arg(info.id));
        const QSize side = icon.size() * factor;
        QVERIFY(IsWholeScale(ToolIcon(info.id).pixmap(side).toImage(), icon, factor));
    }
    QCursor none;
    QVERIFY(!MakeToolCursor(999, ratio, none));
    QVERIFY(ToolIcon(999).isNull());
}

int RunToolsBarTests(int argc, char* argv[]) {
    ToolsBarTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "tools_bar_test.moc"
