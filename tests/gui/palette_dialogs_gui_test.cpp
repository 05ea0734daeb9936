// The modeless palette dialogs and the tone-curve dialog driven through their real
// buttons, fields and keys.
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <functional>

#include "app/command_ids.h"
#include "app/palette_dialogs.h"
#include "app/qt/palette_dialog_commands.h"
#include "app/qt/int_field.h"
#include "app/qt/palette_export_dialog.h"
#include "app/qt/palette_tool_dialog.h"
#include "app/qt/tone_curve_window.h"
#include "app/qt/vorlin_view.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "palette_gui_util.h"

namespace vorlin {

namespace {

PaletteToolDialog* OpenDialog(PaletteWindow& w, int command) {
    w.frame->RunCommand(command);
    return w.frame->PaletteDialogs().Dialog(command);
}

void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Pastes the text over the edit's content, as a user pasting a number would.
void Paste(QLineEdit* edit, const char* text) {
    QApplication::clipboard()->setText(text);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

// Every label written with a mnemonic names a field, so its letter is underlined, not shown.
bool EveryMnemonicHasABuddy(QWidget* dialog) {
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        const QString text = label->text().replace("&&", "");
        if (text.contains('&') && !label->buddy()) {
            qWarning() << "no buddy:" << label->text();
            return false;
        }
    }
    return true;
}

// The colour the main view shows for image pixel (2, 2).
QColor ViewColour(PaletteWindow& w) {
    const IPoint at = w.frame->View().Viewport().ImageToClient(2, 2);
    return w.frame->View().viewport()->grab().toImage().pixelColor(at.x, at.y);
}

}  // namespace

class PaletteDialogsGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void eachDialogAppliesThroughItsButton();
    void dialogsHideAndComeBackWithTheirValues();
    void fromBarButtonAndCreationTakeTheSelections();
    void outOfRangeFieldIsRefused();
    void copyHueSourceFollowsHueRotate();
    void toneCurvePreviewsAndCancelRestores();
    void toneCurveEditsAreCorrectedAndOkKeeps();
    void paletteExporterTakesTheBarsRange();
    void labelMnemonicsMoveTheFocusToTheirFields();
};

void PaletteDialogsGuiTest::eachDialogAppliesThroughItsButton() {
    struct Row {
        const char* what;
        int command;
        const char* caption;
        const char* apply;
        std::vector<std::pair<int, const char*>> fields;
        std::function<void(PaletteWindow&)> prepare;
        std::function<void(PaletteToolDialog&)> choose;
        std::function<void(PaletteWindow&, PaletteToolDialog&)> check;
    };
    const Row rows[] = {
        {"gradient", ID_PAL_GRADIENT, "Gradient", "&Apply",
         {{IDC_PAL_FIRST, "0"}, {IDC_PAL_LAST, "4"}},
         [](PaletteWindow& w) {
             w.SetColour(0, 0, 0, 0);
             w.SetColour(4, 255, 0, 0);
         },
         [](PaletteToolDialog&) {},
         [](PaletteWindow& w, PaletteToolDialog&) {
             QCOMPARE(w.Red(1), 63);
             QCOMPARE(w.Red(2), 127);
             QCOMPARE(w.Red(3), 191);
         }},
        {"swap clipped", ID_PAL_SWAP, "Palette-index swap", "Swap",
         {{IDC_PAL_SWAP_A, "0"}, {IDC_PAL_SWAP_B, "250"}, {IDC_PAL_COUNT, "10"}},
         [](PaletteWindow& w) {
             w.SetColour(0, 11, 0, 0);
             w.SetColour(250, 22, 0, 0);
             w.doc.image.Row(0)[0] = 250;
         },
         [](PaletteToolDialog&) {},
         [](PaletteWindow& w, PaletteToolDialog& d) {
             QCOMPARE(d.FieldEdit(IDC_PAL_COUNT)->text(), QString("6"));
             QCOMPARE(w.Red(0), 22);
             QCOMPARE(w.Red(250), 11);
             QCOMPARE(static_cast<int>(w.doc.image.Row(0)[0]), 0);  // the pixel follows its colour
         }},
        {"sort by brightness", ID_PAL_SORT, "Palette Sorter", "&Sort",
         {{IDC_PAL_FIRST, "3"}, {IDC_PAL_LAST, "0"}},
         [](PaletteWindow& w) {
             // By hue these would go blue, green, red 30, red 10.
             w.SetColour(0, 0, 0, 40);
             w.SetColour(1, 10, 0, 0);
             w.SetColour(2, 0, 20, 0);
             w.SetColour(3, 30, 0, 0);
         },
         [](PaletteToolDialog& d) {
             QTest::mouseClick(d.findChild<QRadioButton*>("1082"), Qt::LeftButton);
         },
         [](PaletteWindow& w, PaletteToolDialog& d) {
             // Descending by default; the ends are shown exchanged.
             QCOMPARE(static_cast<int>(w.doc.image.Palette()[0].rgbBlue), 40);
             QCOMPARE(w.Red(1), 30);
             QCOMPARE(static_cast<int>(w.doc.image.Palette()[2].rgbGreen), 20);
             QCOMPARE(w.Red(3), 10);
             QCOMPARE(d.FieldEdit(IDC_PAL_FIRST)->text(), QString("0"));
             QCOMPARE(d.FieldEdit(IDC_PAL_LAST)->text(), QString("3"));
         }},
        {"copy clipped", ID_PAL_COPY, "Palette copy (experimental)", "Copy",
         {{IDC_PAL_COPY_SOURCE, "250"}, {IDC_PAL_COPY_DEST, "0"}, {IDC_PAL_COUNT, "20"}},
         [](PaletteWindow& w) {
             for (int i = 0; i < 8; ++i) w.SetColour(i, 1, 1, 1);
             for (int i = 250; i < 256; ++i) w.SetColour(i, i, 0, 0);
         },
         [](PaletteToolDialog&) {},
         [](PaletteWindow& w, PaletteToolDialog&) {
             QCOMPARE(w.Red(0), 250);
             QCOMPARE(w.Red(5), 255);
             QCOMPARE(w.Red(6), 1);  // only 6 entries fit after 250
         }},
    };
    for (const Row& row : rows) {
        PaletteWindow w;
        row.prepare(w);
        PaletteToolDialog* d = OpenDialog(w, row.command);
        QVERIFY2(d && d->isVisible(), row.what);
        QCOMPARE(d->windowTitle(), QString(row.caption));
        QCOMPARE(d->ApplyButton()->text(), QString(row.apply));
        QCOMPARE(d->ApplyButton()->objectName(), QString("12321"));
        for (const auto& [id, text] : row.fields) Type(d->FieldEdit(id), text);
        row.choose(*d);
        const int undo = w.doc.history.UndoCount();
        QTest::mouseClick(d->ApplyButton(), Qt::LeftButton);
        QCOMPARE(w.doc.history.UndoCount(), undo + 1);
        QVERIFY(d->isVisible());  // the action button leaves the dialog open
        row.check(w, *d);
        // The bar shows the new colours at once.
        QCOMPARE(w.Model().Color(0), ToColorRef(w.doc.image.Palette()[0]));
    }
}

void PaletteDialogsGuiTest::dialogsHideAndComeBackWithTheirValues() {
    PaletteWindow w;
    PaletteToolDialog* d = OpenDialog(w, ID_PAL_GRADIENT);
    Type(d->FieldEdit(IDC_PAL_LAST), "9");
    QTest::keyClick(d, Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    QCOMPARE(OpenDialog(w, ID_PAL_GRADIENT), d);  // made once, shown again
    QVERIFY(d->isVisible());
    QCOMPARE(d->FieldEdit(IDC_PAL_LAST)->text(), QString("9"));
    QTest::mouseClick(d->ExitButton(), Qt::LeftButton);
    QVERIFY(!d->isVisible());
    // Return applies, then hides.
    OpenDialog(w, ID_PAL_GRADIENT);
    w.SetColour(0, 0, 0, 0);
    w.SetColour(9, 90, 0, 0);
    Type(d->FieldEdit(IDC_PAL_FIRST), "0");
    QTest::keyClick(d->FieldEdit(IDC_PAL_FIRST), Qt::Key_Return);
    QVERIFY(!d->isVisible());
    QCOMPARE(w.Red(1), 10);
}

void PaletteDialogsGuiTest::fromBarButtonAndCreationTakeTheSelections() {
    PaletteWindow w;
    QTest::mouseClick(&w.Bar(), Qt::LeftButton, Qt::NoModifier, Centre(SwatchRect(7)));
    QTest::mouseClick(&w.Bar(), Qt::MiddleButton, Qt::NoModifier, Centre(SwatchRect(8)));
    QTest::mouseClick(&w.Bar(), Qt::RightButton, Qt::NoModifier, Centre(SwatchRect(9)));
    PaletteToolDialog* copy = OpenDialog(w, ID_PAL_COPY);
    QCOMPARE(copy->FieldEdit(IDC_PAL_COPY_SOURCE)->text(), QString("7"));
    QCOMPARE(copy->FieldEdit(IDC_PAL_HUE_FROM)->text(), QString("8"));
    QCOMPARE(copy->FieldEdit(IDC_PAL_COPY_DEST)->text(), QString("9"));
    QTest::mouseClick(&w.Bar(), Qt::LeftButton, Qt::NoModifier, Centre(SwatchRect(30)));
    PaletteToolDialog* swap = OpenDialog(w, ID_PAL_SWAP);
    Type(swap->FieldEdit(IDC_PAL_SWAP_A), "1");
    QTest::mouseClick(swap->FromBarButton(), Qt::LeftButton);
    QCOMPARE(swap->FieldEdit(IDC_PAL_SWAP_A)->text(), QString("30"));
    QCOMPARE(swap->FieldEdit(IDC_PAL_SWAP_B)->text(), QString("9"));
}

void PaletteDialogsGuiTest::outOfRangeFieldIsRefused() {
    PaletteWindow w;
    PaletteToolDialog* d = OpenDialog(w, ID_PAL_SWAP);
    struct Row {
        int field;
        const char* typed;
        const char* message;
    };
    const Row rows[] = {{IDC_PAL_SWAP_A, "300", "Please enter an integer between 0 and 255."},
                        {IDC_PAL_COUNT, "0", "Please enter an integer between 1 and 256."},
                        {IDC_PAL_SWAP_B, "x", "Please enter an integer."}};
    for (const Row& row : rows) {
        Type(d->FieldEdit(IDC_PAL_SWAP_A), "1");
        Type(d->FieldEdit(IDC_PAL_SWAP_B), "2");
        Type(d->FieldEdit(IDC_PAL_COUNT), "1");
        Type(d->FieldEdit(row.field), row.typed);
        QTest::mouseClick(d->ApplyButton(), Qt::LeftButton);
        QCOMPARE(w.ui.Texts().back(), std::string(row.message));
        QCOMPARE(w.doc.history.UndoCount(), 0);
        QVERIFY(d->isVisible());
    }
}

void PaletteDialogsGuiTest::copyHueSourceFollowsHueRotate() {
    PaletteWindow w;
    auto* d = OpenDialog(w, ID_PAL_COPY);
    QLineEdit* hueFrom = d->FieldEdit(IDC_PAL_HUE_FROM);
    auto* rotate = d->findChild<QCheckBox*>(QString::number(IDC_PAL_HUE_ROTATE));
    QVERIFY(rotate && !rotate->isChecked());
    QVERIFY(!hueFrom->isEnabled());
    QTest::keyClick(rotate, Qt::Key_Space);
    QVERIFY(hueFrom->isEnabled());
    // Pure red turned to the hue of pure green.
    w.SetColour(0, 255, 0, 0);
    w.SetColour(2, 0, 255, 0);
    Type(d->FieldEdit(IDC_PAL_COPY_SOURCE), "0");
    Type(d->FieldEdit(IDC_PAL_COPY_DEST), "1");
    Type(d->FieldEdit(IDC_PAL_COUNT), "1");
    Type(hueFrom, "2");
    QTest::mouseClick(d->ApplyButton(), Qt::LeftButton);
    QCOMPARE(w.Red(1), 0);
    QCOMPARE(static_cast<int>(w.doc.image.Palette()[1].rgbGreen), 255);
}

void PaletteDialogsGuiTest::toneCurvePreviewsAndCancelRestores() {
    PaletteWindow w;
    w.SetColour(0, 100, 100, 100);  // the whole new picture is index 0
    QCOMPARE(ViewColour(w), QColor(100, 100, 100));
    QColor during;
    WhenModal<ToneCurveWindow>([&](ToneCurveWindow* d) {
        QCOMPARE(d->windowTitle(), QString("Adjust tone curve"));
        QSlider* brightness = d->Slider(ToneControl::Brightness);
        QCOMPARE(brightness->minimum(), -100);
        QCOMPARE(brightness->tickInterval(), 20);
        DragSlider(brightness, QPoint(brightness->width() - 1, brightness->height() / 2));
        QCOMPARE(d->Edit(ToneControl::Brightness)->text(), QString("100"));
        during = ViewColour(w);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QVERIFY(w.frame->RunCommand(ID_PAL_ADJUST));
    QCOMPARE(during, QColor(255, 255, 255));
    QCOMPARE(w.Red(0), 100);
    QCOMPARE(ViewColour(w), QColor(100, 100, 100));
    QCOMPARE(w.Model().Color(0), ToColorRef(w.doc.image.Palette()[0]));
    // The adjustment waits as redo.
    QVERIFY(w.frame->RunCommand(ID_EDIT_REDO));
    QCOMPARE(w.Red(0), 255);
}

void PaletteDialogsGuiTest::toneCurveEditsAreCorrectedAndOkKeeps() {
    PaletteWindow w;
    w.SetColour(0, 64, 64, 64);
    w.SetColour(20, 64, 64, 64);
    QTest::mouseClick(&w.Bar(), Qt::LeftButton, Qt::NoModifier, Centre(SwatchRect(10)));
    QTest::mouseClick(&w.Bar(), Qt::RightButton, Qt::NoModifier, Centre(SwatchRect(0)));
    WhenModal<ToneCurveWindow>([&](ToneCurveWindow* d) {
        QTest::mouseClick(d->FromBarButton(), Qt::LeftButton);
        QCOMPARE(d->FirstEdit()->text(), QString("0"));
        QCOMPARE(d->LastEdit()->text(), QString("10"));
        struct Row {
            const char* typed;
            const char* shown;
            int slider;
        };
        const Row rows[] = {{"20", "10.00", 100}, {"0.05", "0.10", -100}, {"2", "2", 30}};
        QLineEdit* gamma = d->Edit(ToneControl::Gamma);
        for (const Row& row : rows) {
            Paste(gamma, row.typed);
            QCOMPARE(gamma->text(), QString(row.shown));
            QCOMPARE(d->Slider(ToneControl::Gamma)->value(), row.slider);
        }
        d->accept();
    });
    QVERIFY(w.frame->RunCommand(ID_PAL_ADJUST));
    QCOMPARE(w.Red(0), 128);   // gamma 2 inside the range
    QCOMPARE(w.Red(20), 64);   // outside it untouched
    QCOMPARE(w.doc.history.UndoCount(), 1);
}

void PaletteDialogsGuiTest::paletteExporterTakesTheBarsRange() {
    ScriptedWindow w;
    w.frame.PaletteBar().Select(kSlotLeft, 40);
    w.frame.PaletteBar().Select(kSlotRight, 20);
    w.ui.next = w.dir.File("range.pal");
    WhenModal<PaletteExportDialog>([](PaletteExportDialog* d) {
        QVERIFY(d->fromBarButton->isEnabled());
        QTest::mouseClick(d->fromBarButton, Qt::LeftButton);
        QCOMPARE(d->startField->text(), QString("20"));
        QCOMPARE(d->countField->text(), QString("21"));
        d->accept();
    });
    QVERIFY(w.frame.RunCommand(ID_FILE_EXPORT));
    const std::string text = ReadTextFile(w.dir.File("range.pal"));
    QVERIFY2(text.rfind("CLRX 8 21\n", 0) == 0, text.c_str());
}

void PaletteDialogsGuiTest::labelMnemonicsMoveTheFocusToTheirFields() {
    struct Row {
        int command;
        Qt::Key letter;
        int field;
    };
    const Row rows[] = {
        {ID_PAL_SORT, Qt::Key_F, IDC_PAL_FIRST},        // "&first", beside the I button
        {ID_PAL_SORT, Qt::Key_L, IDC_PAL_LAST},         // "&last"
        {ID_PAL_COPY, Qt::Key_S, IDC_PAL_COPY_SOURCE},  // "&Source"
        {ID_PAL_SWAP, Qt::Key_A, IDC_PAL_SWAP_A},       // "start &A"
        {ID_PAL_SWAP, Qt::Key_C, IDC_PAL_COUNT},        // "&Count"
    };
    PaletteWindow w;
    for (const Row& row : rows) {
        PaletteToolDialog* d = OpenDialog(w, row.command);
        d->activateWindow();
        QTRY_VERIFY(d->isActiveWindow());
        QVERIFY(EveryMnemonicHasABuddy(d));
        d->ApplyButton()->setFocus();  // the letter must work from wherever the focus is
        QTest::keyClick(d, row.letter, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->FieldEdit(row.field)));
    }
    bool brightness = false, buddies = false;
    WhenModal<ToneCurveWindow>([&](ToneCurveWindow* d) {
        buddies = EveryMnemonicHasABuddy(d);
        QTest::keyClick(d, Qt::Key_B, Qt::AltModifier);  // "&brightness"
        QWidget* focus = QApplication::focusWidget();
        brightness = focus == d->Slider(ToneControl::Brightness) ||
                     focus == d->Edit(ToneControl::Brightness);
        d->reject();
    });
    QVERIFY(w.frame->RunCommand(ID_PAL_ADJUST));
    QVERIFY(buddies);
    QVERIFY(brightness);
}

int RunPaletteDialogsGuiTests(int argc, char* argv[]) {
    PaletteDialogsGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "palette_dialogs_gui_test.moc"
