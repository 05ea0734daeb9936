// The palette bar driven as a user would: mouse buttons on swatches, strip and indicators,
// hovering, typing in the channel edits, dragging the sliders, the "16" button, the bits
// per shade and View > Windows > Palette Bar.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/command_ids.h"
#include "app/qt/doc_commands.h"
#include "app/qt/options_dialog.h"
#include "app/qt/vorlin_view.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "palette_gui_util.h"

namespace vorlin {

class PaletteBarGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void mouseButtonsPickSlotsAndDrawFrames();
    void indicatorsMakeTheirSlotActive();
    void hoverShowsIndexColourAndBank();
    void typedChannelValuesAreCorrectedAndCoalesced();
    void sliderDragWritesEditAndDocument();
    void sixteenModeMovesSlotsAndPicture();
    void bitsPerShadeChangeRequantisesTheActiveColour();
    void barFollowsTheDocument();
    void windowsMenuTogglesTheBarAndLayoutIsKept();
    void largeSwatchesDoubleTheBarAndItsTargets();
};

void PaletteBarGuiTest::mouseButtonsPickSlotsAndDrawFrames() {
    PaletteWindow w;
    struct Row {
        Qt::MouseButton button;
        int index;
        int slot;
    };
    const Row rows[] = {{Qt::LeftButton, 5, kSlotLeft},
                        {Qt::MiddleButton, 40, kSlotMid},
                        {Qt::RightButton, 200, kSlotRight}};
    for (const Row& row : rows) {
        QTest::mouseClick(&w.Bar(), row.button, Qt::NoModifier, Centre(SwatchRect(row.index)));
        QCOMPARE(w.Model().GetSlotIndex(row.slot), row.index);
        QCOMPARE(w.Model().ActiveSlot(), row.slot);
    }
    // Right is active: its frame is white, the others carry their slot colours.
    const QImage shot = w.Bar().grab().toImage();
    const auto frameAt = [&](int index) {
        const IRect cell = SwatchCellRect(index);
        return shot.pixelColor(cell.left, cell.top);
    };
    QCOMPARE(frameAt(200), QColor(Qt::white));
    QCOMPARE(frameAt(5), QColor(Qt::red));
    QCOMPARE(frameAt(40), QColor(Qt::green));
    // A swatch shows its palette colour inside the frame.
    w.SetColour(77, 10, 20, 30);
    const IRect swatch = SwatchRect(77);
    QCOMPARE(w.Bar().grab().toImage().pixelColor(swatch.left + 2, swatch.top + 2),
             QColor(10, 20, 30));
}

void PaletteBarGuiTest::indicatorsMakeTheirSlotActive() {
    PaletteWindow w;
    w.SetColour(w.Model().GetSlotIndex(kSlotMid), 200, 0, 0);
    for (int slot : {kSlotMid, kSlotRight, kSlotLeft}) {
        QTest::mouseClick(&w.Bar(), Qt::RightButton, Qt::NoModifier, Centre(IndicatorRect(slot)));
        QCOMPARE(w.Model().ActiveSlot(), slot);
    }
    // The edits show the active slot's colour at the bar's depth (5 bits: 200 >> 3).
    QTest::mouseClick(&w.Bar(), Qt::LeftButton, Qt::NoModifier, Centre(IndicatorRect(kSlotMid)));
    QCOMPARE(w.Bar().Edit(kChannelRed)->text(), QString("25"));
    // The indicator is filled with its slot's colour.
    const IRect fill = IndicatorFillRect(kSlotMid);
    QCOMPARE(w.Bar().grab().toImage().pixelColor(fill.left + 1, fill.top + 1), QColor(200, 0, 0));
}

void PaletteBarGuiTest::hoverShowsIndexColourAndBank() {
    PaletteWindow w;
    w.SetColour(31, 255, 64, 8);
    QTest::mouseMove(&w.Bar(), Centre(SwatchRect(31)));
    QCOMPARE(w.Bar().IndexLabel()->text(), QString("1fh"));
    QCOMPARE(w.Bar().ColorLabel()->text(), QString("r31, g8, b1"));
    // Over the strip without sixteen-colour mode, and outside everything: no texts.
    QTest::mouseMove(&w.Bar(), Centre(BankRowRect(3)));
    QCOMPARE(w.Bar().ColorLabel()->text(), QString());
    QTest::mouseClick(w.Bar().SixteenButton(), Qt::LeftButton);
    QTest::mouseMove(&w.Bar(), Centre(BankRowRect(3)) + QPoint(1, 0));
    QCOMPARE(w.Bar().ColorLabel()->text(), QString("Palette 3"));
    QTest::mouseMove(&w.Bar(), QPoint(2, 340));
    QCOMPARE(w.Bar().IndexLabel()->text(), QString());
    QCOMPARE(w.Bar().ColorLabel()->text(), QString());
}

void PaletteBarGuiTest::typedChannelValuesAreCorrectedAndCoalesced() {
    PaletteWindow w;
    const int index = w.Model().GetSlotIndex(kSlotActive);
    w.SetColour(index, 0, 0, 0);
    QLineEdit* red = w.Bar().Edit(kChannelRed);
    struct Row {
        const char* typed;
        int redByte;
        const char* shown;
        int slider;
    };
    const Row rows[] = {{"31", 255, "31", 0}, {"16", 131, "16", 15}, {"40", 255, "31", 0}};
    for (const Row& row : rows) {
        red->selectAll();
        QTest::keyClicks(red, row.typed);
        QCOMPARE(w.Red(index), row.redByte);
        QCOMPARE(red->text(), QString(row.shown));
        QCOMPARE(w.Bar().Slider(kChannelRed)->value(), row.slider);
    }
    // Every keystroke went to the same entry: one undo step brings back black.
    QCOMPARE(w.doc.history.UndoCount(), 1);
    w.frame->RunCommand(ID_EDIT_UNDO);
    QCOMPARE(w.Red(index), 0);
    QCOMPARE(red->text(), QString("0"));
}

void PaletteBarGuiTest::sliderDragWritesEditAndDocument() {
    PaletteWindow w;
    const int index = w.Model().GetSlotIndex(kSlotActive);
    w.SetColour(index, 0, 0, 0);
    QSlider* green = w.Bar().Slider(kChannelGreen);
    DragSlider(green, QPoint(green->width() / 2, 0));  // the top is the maximum
    QCOMPARE(w.Bar().Edit(kChannelGreen)->text(), QString("31"));
    QCOMPARE(static_cast<int>(w.doc.image.Palette()[index].rgbGreen), 255);
    QCOMPARE(w.doc.history.UndoCount(), 1);
    QVERIFY(w.doc.IsModified());
}

void PaletteBarGuiTest::sixteenModeMovesSlotsAndPicture() {
    PaletteWindow w;
    w.doc.image.Row(0)[0] = 0x05;
    w.doc.image.Row(0)[1] = 0x17;
    // Without sixteen-colour mode the strip does nothing.
    QTest::mouseClick(&w.Bar(), Qt::LeftButton, Qt::NoModifier, Centre(BankRowRect(4)));
    QCOMPARE(w.Model().Bank(), -1);
    QTest::mouseClick(&w.Bar(), Qt::LeftButton, Qt::NoModifier, Centre(SwatchRect(0x23)));
    // Entries of their own colour, so the move below changes what the pixels show.
    for (int i = 0; i < 256; ++i)
        w.doc.image.Palette()[i] = RgbQuad{7, 9, static_cast<std::uint8_t>(i), 0};
    w.doc.RefreshPaletteBar();
    // The picture lies in banks 0 and 1: No leaves the button, bar and pixels alone.
    w.ui.QueueAnswer(UiAnswer::No);
    QTest::mouseClick(w.Bar().SixteenButton(), Qt::LeftButton);
    QVERIFY(!w.Bar().SixteenButton()->isChecked());
    QCOMPARE(w.Model().Bank(), -1);
    QCOMPARE(static_cast<int>(w.doc.image.Row(0)[1]), 0x17);
    w.ui.QueueAnswer(UiAnswer::Yes);
    QTest::mouseClick(w.Bar().SixteenButton(), Qt::LeftButton);
    QCOMPARE(w.ui.messages.size(), std::size_t{2});
    QVERIFY(w.Bar().SixteenButton()->isChecked());
    QCOMPARE(w.Model().Bank(), 2);
    QCOMPARE(w.Model().GetSlotIndex(kSlotMid), 0x2F);
    QCOMPARE(w.Model().GetSlotIndex(kSlotRight), 0x20);
    QCOMPARE(static_cast<int>(w.doc.image.Row(0)[0]), 0x25);
    QCOMPARE(static_cast<int>(w.doc.image.Row(0)[1]), 0x27);
    // The marker dot sits on row 2 of the strip.
    QCOMPARE(w.Bar().grab().toImage().pixelColor(Centre(BankRowRect(2)).x(),
                                                 Centre(BankRowRect(2)).y()),
             QColor(0xFF, 0x08, 0x08));
    // A swatch in another bank moves everything there.
    QTest::mouseClick(&w.Bar(), Qt::RightButton, Qt::NoModifier, Centre(SwatchRect(200)));
    QCOMPARE(w.Model().GetSlotIndex(kSlotRight), 200);
    QCOMPARE(w.Model().Bank(), 12);
    QCOMPARE(w.Model().GetSlotIndex(kSlotLeft), 0xC3);
    QCOMPARE(static_cast<int>(w.doc.image.Row(0)[0]), 0xC5);
    // Each bank move is one undo step, and it puts the bar back in the bank of the pixels.
    w.frame->RunCommand(ID_EDIT_UNDO);
    QCOMPARE(static_cast<int>(w.doc.image.Row(0)[0]), 0x25);
    QCOMPARE(w.Model().Bank(), 2);
    QCOMPARE(w.Model().GetSlotIndex(kSlotRight), 0x20);
    QCOMPARE(
        w.Bar().grab().toImage().pixelColor(Centre(BankRowRect(2)).x(), Centre(BankRowRect(2)).y()),
        QColor(0xFF, 0x08, 0x08));
    QTest::mouseClick(w.Bar().SixteenButton(), Qt::LeftButton);
    QVERIFY(!w.Bar().SixteenButton()->isChecked());
    QCOMPARE(w.Model().Bank(), -1);
}

void PaletteBarGuiTest::bitsPerShadeChangeRequantisesTheActiveColour() {
    PaletteWindow w;
    w.Model().SetBitsPerChannel(8);
    const int index = w.Model().GetSlotIndex(kSlotActive);
    w.SetColour(index, 135, 0, 0);
    QCOMPARE(w.Bar().Edit(kChannelRed)->text(), QString("135"));
    QCOMPARE(w.Bar().Slider(kChannelRed)->maximum(), 255);
    const int undoBefore = w.doc.history.UndoCount();
    WhenModal<OptionsDialog>([](OptionsDialog* d) {
        d->bitsBox->setCurrentIndex(5 - OptionsDialog::kMinBits);
        d->accept();
    });
    QVERIFY(w.frame->RunCommand(ID_TOOLS_OPTIONS));
    QCOMPARE(w.Red(index), 131);
    QCOMPARE(w.doc.history.UndoCount(), undoBefore + 1);
    QCOMPARE(w.Bar().Edit(kChannelRed)->text(), QString("16"));
    QCOMPARE(w.Bar().Slider(kChannelRed)->maximum(), 31);
    // Closing writes the bits per shade; the next window starts with them.
    w.Model().SetBitsPerChannel(6);
    w.doc.SetModifiedFlag(false);
    w.frame->close();
    QCOMPARE(AppProfile().GetInt("main", "PalBPC", 0), 6);
}

void PaletteBarGuiTest::barFollowsTheDocument() {
    PaletteWindow w;
    const int left = w.Model().GetSlotIndex(kSlotLeft);
    const int right = w.Model().GetSlotIndex(kSlotRight);
    w.SetColour(left, 0, 0, 0);
    w.SetColour(right, 255, 255, 255);
    QLineEdit* red = w.Bar().Edit(kChannelRed);
    struct Row {
        const char* what;
        int command;
        const char* redText;
    };
    // Left is active; each command changes its colour and the bar shows it at once.
    const Row rows[] = {{"invert", ID_PAL_QUICK_INVERT, "31"},
                        {"undo", ID_EDIT_UNDO, "0"},
                        {"redo", ID_EDIT_REDO, "31"},
                        {"swap", ID_PAL_QUICK_SWAP, "0"}};
    for (const Row& row : rows) {
        QVERIFY2(w.frame->RunCommand(row.command), row.what);
        QCOMPARE(red->text(), QString(row.redText));
        QCOMPARE(w.Model().Color(left), ToColorRef(w.doc.image.Palette()[left]));
    }
    // The pipette picks the pixel's index into the pressed button's slot.
    w.doc.image.Row(0)[0] = 99;
    w.frame->View().SelectTool(ID_TOOL_PIPETTE);
    w.frame->View().SetZoom(8);
    QTest::mouseClick(w.frame->View().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(w.Model().GetSlotIndex(kSlotLeft), 99);
}

void PaletteBarGuiTest::windowsMenuTogglesTheBarAndLayoutIsKept() {
    PaletteWindow w;
    QDockWidget& dock = w.frame->PaletteBarWindow();
    QCOMPARE(dock.windowTitle(), QString("Palette bar"));
    QCOMPARE(w.frame->dockWidgetArea(&dock), Qt::LeftDockWidgetArea);
    QVERIFY(!dock.isAreaAllowed(Qt::TopDockWidgetArea));
    QAction* toggle = w.frame->Action(ID_VIEW_PALETTEBAR);
    QVERIFY(toggle->isEnabled());
    QVERIFY(toggle->isChecked());
    toggle->trigger();
    QVERIFY(dock.isHidden());
    QVERIFY(!toggle->isChecked());
    // Move it to the right and show it again: the next window finds it there.
    w.frame->addDockWidget(Qt::RightDockWidgetArea, &dock);
    toggle->trigger();
    QVERIFY(toggle->isChecked());
    w.doc.SetModifiedFlag(false);
    w.frame->close();
    w.frame = std::make_unique<CMainFrame>(w.doc);
    w.frame->show();
    QCOMPARE(w.frame->dockWidgetArea(&w.frame->PaletteBarWindow()), Qt::RightDockWidgetArea);
    QVERIFY(!w.frame->PaletteBarWindow().isHidden());
}

void PaletteBarGuiTest::largeSwatchesDoubleTheBarAndItsTargets() {
    PaletteWindow w;
    const QSize normal = w.Bar().size();
    QTest::mouseClick(&w.Bar(), Qt::LeftButton, Qt::NoModifier, Centre(SwatchRect(37)));
    const IRect cell = SwatchCellRect(37);
    const QColor frame = w.Bar().grab().toImage().pixelColor(cell.left, cell.top + 2);

    w.profile.Get().WriteInt("main", "PalLarge", 1);
    WhenModal<OptionsDialog>([](OptionsDialog* d) {
        QVERIFY(d->largeBarBox->isChecked());
        d->accept();
    });
    QVERIFY(w.frame->RunCommand(ID_TOOLS_OPTIONS));
    QCOMPARE(w.Bar().size(), normal * 2);
    // The same picture at twice the size: the Left frame is two pixels wide.
    const QImage shown = w.Bar().grab().toImage();
    QCOMPARE(shown.pixelColor(cell.left * 2, cell.top * 2 + 4), frame);
    QCOMPARE(shown.pixelColor(cell.left * 2 + 1, cell.top * 2 + 4), frame);
    // A click lands on the swatch drawn under it, also at its far edge.
    const IRect target = SwatchRect(90);
    QTest::mouseClick(&w.Bar(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(target.right * 2 - 1, target.bottom * 2 - 1));
    QCOMPARE(w.Model().GetSlotIndex(kSlotLeft), 90);
}

int RunPaletteBarGuiTests(int argc, char* argv[]) {
    PaletteBarGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "palette_bar_gui_test.moc"
