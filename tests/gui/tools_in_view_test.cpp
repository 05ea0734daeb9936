#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QtTest>
#include <memory>

#include "document/vorlin_doc.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "support/fake_ui_services.h"
#include "support/temp_profile.h"
#include "tools/tool_box.h"
#include "app/command_ids.h"
#include "app/qt/doc_commands.h"
#include "app/qt/main_frame.h"
#include "app/qt/qt_clipboard_port.h"
#include "app/qt/qt_text_rasterizer.h"
#include "app/qt/vorlin_view.h"

namespace vorlin {

class ToolsInViewTest : public QObject {
    Q_OBJECT
  private slots:
    void pencilStrokeIsOneUndoStep();
    void doubleClickSetsThePixelOnce();
    void shapeSizeShownWhileDragging();
    void toolCommandsSwitchTools();
    void copyPutsAPackedBitmapOnTheClipboard();
    void quickCommandsUseTheBarsSlots();
    void textRasterizerDrawsWholePixels();
    void bmpFileHeaderPointsAtThePixels();
};

void ToolsInViewTest::pencilStrokeIsOneUndoStep() {
    ToolWindow w;
    const int left = w.frame.PaletteBar().GetSlotIndex(kSlotLeft);
    QVERIFY(left != 0);
    QTest::mousePress(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(2, 3));
    QTest::mouseMove(w.Area(), ToolWindow::At(3, 3));
    QTest::mouseMove(w.Area(), ToolWindow::At(4, 3));
    QTest::mouseRelease(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(4, 3));
    for (int x = 2; x <= 4; ++x) QCOMPARE(w.doc.GetImage().GetPixel(x, 3), left);
    QCOMPARE(w.doc.history.UndoCount(), 1);
    QVERIFY(w.doc.IsModified());
    w.frame.RunCommand(ID_EDIT_UNDO);
    QCOMPARE(w.doc.GetImage().GetPixel(3, 3), 0);
}

void ToolsInViewTest::doubleClickSetsThePixelOnce() {
    ToolWindow w;
    // What the platform delivers for a quick double click.
    const QPoint at = ToolWindow::At(5, 5);
    QTest::mousePress(w.Area(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(w.Area(), Qt::LeftButton, Qt::NoModifier, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, w.Area()->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Area(), &second);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.Area()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.Area(), &release);
    QCOMPARE(w.doc.GetImage().GetPixel(5, 5), w.frame.PaletteBar().GetSlotIndex(kSlotLeft));
    QCOMPARE(w.doc.history.UndoCount(), 1);
}

void ToolsInViewTest::shapeSizeShownWhileDragging() {
    ToolWindow w;
    QVERIFY(w.frame.RunCommand(ID_TOOL_RECT));
    QTest::mousePress(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(1, 1));
    QTest::mouseMove(w.Area(), ToolWindow::At(6, 4));
    QCOMPARE(w.frame.Pane(ID_INDICATOR_SIZE)->text(), QString("[6, 4]"));
    QTest::mouseRelease(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(6, 4));
    QCOMPARE(w.frame.Pane(ID_INDICATOR_SIZE)->text(), QString());
    QCOMPARE(w.doc.history.UndoCount(), 1);
}

void ToolsInViewTest::toolCommandsSwitchTools() {
    ToolWindow w;
    QVERIFY(w.frame.Action(ID_TOOL_PENCIL)->isChecked());
    QVERIFY(w.frame.RunCommand(ID_TOOL_FILL));
    QCOMPARE(w.View().CurrentTool().Id(), ID_TOOL_FILL);
    QVERIFY(w.frame.Action(ID_TOOL_FILL)->isChecked());
    QVERIFY(!w.frame.Action(ID_TOOL_PENCIL)->isChecked());
    QTest::mouseClick(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(0, 0));
    QCOMPARE(w.doc.GetImage().GetPixel(255, 255), w.frame.PaletteBar().GetSlotIndex(kSlotLeft));
    w.View().SelectTool(-1);
    QCOMPARE(w.View().CurrentTool().Id(), ID_TOOL_PENCIL);
    w.View().SelectTool(ID_TOOL_PENCIL);  // back to Pencil for the other tests
}

void ToolsInViewTest::copyPutsAPackedBitmapOnTheClipboard() {
    ToolWindow w;
    QApplication::clipboard()->clear();
    QVERIFY(!w.frame.Action(ID_EDIT_COPY)->isEnabled());
    w.frame.RunCommand(ID_TOOL_SELECT);
    QTest::mousePress(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(1, 1));
    QTest::mouseMove(w.Area(), ToolWindow::At(4, 3));
    QTest::mouseRelease(w.Area(), Qt::LeftButton, Qt::NoModifier, ToolWindow::At(4, 3));
    w.frame.UpdateCommands();
    QVERIFY(w.frame.Action(ID_EDIT_COPY)->isEnabled());
    QVERIFY(w.frame.RunCommand(ID_EDIT_COPY));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasFormat(kBmpMime));
    QVERIFY(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    QVERIFY(image.width() >= 3 && image.width() <= 4);
    w.frame.UpdateCommands();
    QVERIFY(w.frame.Action(ID_EDIT_PASTE)->isEnabled());
    QTest::keyClick(w.Area(), Qt::Key_Escape);
    w.View().SelectTool(ID_TOOL_PENCIL);
}

void ToolsInViewTest::quickCommandsUseTheBarsSlots() {
    ToolWindow w;
    PaletteBarModel& bar = w.frame.PaletteBar();
    bar.Select(kSlotLeft, 3);
    bar.Select(kSlotRight, 4);
    const RgbQuad three = w.doc.GetImage().Palette()[3];
    w.frame.RunCommand(ID_PAL_QUICK_COPY);
    QCOMPARE(w.doc.GetImage().Palette()[4].rgbRed, three.rgbRed);
    QCOMPARE(w.doc.GetImage().Palette()[4].rgbBlue, three.rgbBlue);

    w.ui.QueueAnswer(UiAnswer::No);
    w.frame.RunCommand(ID_PAL_CLEAR);
    QCOMPARE(w.ui.Texts().back(), std::string("Clear the palette, are you sure?"));
    QCOMPARE(w.doc.GetImage().Palette()[3].rgbRed, three.rgbRed);
}

void ToolsInViewTest::textRasterizerDrawsWholePixels() {
    QtTextRasterizer fonts;
    FontDescription font;
    font.height = 20;
    font.face = QApplication::font().family().toStdString();
    FontMetrics metrics;
    QVERIFY(fonts.Measure(font, metrics));
    QVERIFY(metrics.cellHeight > 0 && metrics.ascent > 0);
    GlyphMask mask;
    QVERIFY(fonts.RenderLine(font, "HI", mask));
    QVERIFY(mask.width > 0);
    QCOMPARE(mask.bits.size(), mask.stride * static_cast<std::size_t>(mask.height));
    int set = 0;
    for (std::uint8_t b : mask.bits) set += std::popcount(b);
    QVERIFY(set > 10);
    QVERIFY(fonts.RenderLine(font, "", mask));
    QCOMPARE(mask.width, 0);
}

void ToolsInViewTest::bmpFileHeaderPointsAtThePixels() {
    // 2 x 1 pixels at 8 bits: 40-byte header, 256 colours, one padded row.
    std::vector<std::uint8_t> dib(40 + 1024 + 4, 0);
    dib[0] = 40;
    dib[4] = 2;
    dib[8] = 1;
    dib[12] = 1;
    dib[14] = 8;
    dib[33] = 1;  // biClrUsed 256
    const QByteArray file = BmpFileFromPackedDib(dib);
    QCOMPARE(file.size(), 14 + static_cast<int>(dib.size()));
    QCOMPARE(file.left(2), QByteArray("BM"));
    QCOMPARE(static_cast<unsigned char>(file[10]) | (static_cast<unsigned char>(file[11]) << 8),
             14 + 40 + 1024);
    QImage image;
    QVERIFY(image.loadFromData(file, "BMP"));
    QCOMPARE(image.size(), QSize(2, 1));
    QVERIFY(BmpFileFromPackedDib(std::vector<std::uint8_t>(10)).isEmpty());
}

}  // namespace vorlin

namespace vorlin {
int RunToolsInViewTests(int argc, char* argv[]) {
    ToolsInViewTest suite;
    return QTest::qExec(&suite, argc, argv);
}
}  // namespace vorlin

#include "tools_in_view_test.moc"
