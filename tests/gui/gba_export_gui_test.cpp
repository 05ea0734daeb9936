#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/command_ids.h"
#include "app/qt/also_export_list.h"
#include "app/qt/console_preview_pane.h"
#include "app/qt/gba_export_dialog.h"
#include "app/qt/int_field.h"
#include "app/qt/main_frame.h"
#include "document/vorlin_doc.h"
#include "export/export_job.h"
#include "formats/bmp_format.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "support/folder_snapshot.h"
#include "support/temp_profile.h"

namespace vorlin {

namespace {

QStringList SummaryLines(const GbaExportDialog* d) {
    return d->summaryView->toPlainText().split('\n');
}

// A main window with a picture opened from disk and the file chooser scripted.
struct ExportFixture : ScriptedWindow {
    bool OpenPicture() {
        const std::filesystem::path sample =
            std::filesystem::path(VORLIN_TESTDATA_DIR) / "generated" / "pcx_p4_1plane.pcx";
        if (!std::filesystem::exists(sample)) return false;
        ui.SetParent(&frame);
        const std::string picture = dir.File("hero.pcx");
        std::filesystem::copy_file(sample, picture);
        return frame.Files().Open(picture);
    }
    // 32 x 16 with one tile (at 8, 8) mixing palette banks 1 and 2.
    bool OpenBankedPicture() {
        DibPtr dib(DibCreate(32, 16, 8, nullptr, 1));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                DibPictureRow(dib.get(), y)[x] = static_cast<std::uint8_t>(
                    x / 8 == 1 && y / 8 == 1 ? (y % 8 < 4 ? 0x13 : 0x24) : 0x11 + x / 8 * 16);
        for (int i = 0; i < 256; ++i)
            DibColors(dib.get())[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                       static_cast<std::uint8_t>(255 - i), 0};
        BmpFormat bmp;
        bmp.AttachImage(std::move(dib));
        ui.SetParent(&frame);
        const std::string picture = dir.File("banks.bmp");
        return bmp.Write(picture) && frame.Files().Open(picture);
    }
    bool ExportTo(const std::string& name) {
        ui.next = dir.File(name);
        return frame.RunCommand(ID_FILE_EXPORT);
    }
};

// While it exists, answers every message box with its Escape button and keeps the texts.
class BoxWatcher {
  public:
    BoxWatcher() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text());
                box->reject();
            }
        });
        timer_.start();
    }
    QStringList texts;

  private:
    QTimer timer_;
};

// Closes the dialog when a failed check leaves the test's script early, so the run goes on.
struct RejectOnExit {
    QDialog* dialog;
    ~RejectOnExit() {
        if (dialog->isVisible()) dialog->reject();
    }
};

// Replaces the text of a box the way a user does: select it all, then type over it.
void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

class GbaExportGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void exportsTiledPictureWithMapAsC();
    void bitmapGreysOutMapAndTileGroup();
    void failedWriteNamesTheFile();
    void unsavedPictureExports();
    void refusedNumberKeepsWhatWasTyped();
    void typedPathDecidesFolderTypeAndName();
    void previewFollowsTheBitDepth();
    void alsoExportSharesTheTilesetAndNamesEachMap();
    void areaBoxesRefuseWhatMissesThePicture();
    void validationAsksBeforeAlteringValues();
};

void GbaExportGuiTest::exportsTiledPictureWithMapAsC() {
    ExportFixture f;
    if (!f.OpenPicture()) QSKIP("shared sample pictures are not present");
    bool opened = false;
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        opened = true;
        QCOMPARE(d->windowTitle(), QString("GBA Exporter (don't panic!)"));
        QCOMPARE(d->typeList->currentText(), QString("C (*.c)"));
        QVERIFY(d->pathEdit->text().endsWith("/sprites.c"));
        QVERIFY(!d->offsetField->isEnabled());
        QTest::mouseClick(d->tilesRadio, Qt::LeftButton);
        d->bppList->setCurrentIndex(2);  // 4
        QTest::mouseClick(d->mapBox, Qt::LeftButton);
        QVERIFY(d->offsetField->isEnabled());
        QVERIFY(!d->smallestBox->isChecked());
        QTest::mouseClick(d->smallestBox, Qt::LeftButton);
        const QStringList lines = SummaryLines(d);
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[1], QString("img: tile, 4bpp, cprs: none"));
        QCOMPARE(lines[4], QString("map: flat, +0 reduced [tfp]"));
        QCOMPARE(lines[5], QString("files:  sprites.h   sprites.c   "));
        QTest::mouseClick(d->okButton, Qt::LeftButton);
    });
    QVERIFY(f.ExportTo("sprites.c"));
    QVERIFY(opened);
    const std::string source = ReadTextFile(f.dir.File("sprites.c"));
    const std::string header = ReadTextFile(f.dir.File("sprites.h"));
    for (const char* array : {"spritesTiles[", "spritesMap[", "spritesPal["}) {
        QVERIFY2(source.find(std::string("const unsigned short ") + array) != std::string::npos,
                 array);
        QVERIFY2(
            header.find(std::string("extern const unsigned short ") + array) != std::string::npos,
            array);
    }

    // The dialog keeps its settings for the next export.
    bool kept = false;
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        kept = d->bppList->currentIndex() == 2 && d->mapBox->isChecked() &&
               d->smallestBox->isChecked() &&
               d->typeList->currentText() == "GAS (*.s)";
        QTest::mouseClick(d->cancelButton, Qt::LeftButton);
    });
    QVERIFY(f.ExportTo("sprites.s"));
    QVERIFY(kept);
    QVERIFY(!std::filesystem::exists(f.dir.File("sprites.s")));
}

void GbaExportGuiTest::bitmapGreysOutMapAndTileGroup() {
    ExportFixture f;
    if (!f.OpenPicture()) QSKIP("shared sample pictures are not present");
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        QTest::mouseClick(d->mapBox, Qt::LeftButton);
        QVERIFY(d->reduceFlipBox->isEnabled());
        QTest::mouseClick(d->bitmapRadio, Qt::LeftButton);
        QVERIFY(d->bitmapRadio->isChecked());
        for (QWidget* w : std::initializer_list<QWidget*>{
                 d->mapBox, d->layoutRadios[0], d->reduceBox, d->reduceFlipBox, d->mapCprsList,
                 d->offsetField, d->customGroupBox, d->shapeRadios[1], d->sizeRadios[2],
                 d->groupWidthField})
            QVERIFY(!w->isEnabled());
        QVERIFY(d->mapBox->isChecked());  // greyed out, not cleared
        QStringList lines = SummaryLines(d);
        QCOMPARE(lines[3], QString("obj: -"));
        QCOMPARE(lines[4], QString("map: -"));
        QTest::mouseClick(d->tilesRadio, Qt::LeftButton);
        QVERIFY(d->mapBox->isEnabled() && d->offsetField->isEnabled());
        QVERIFY(d->shapeRadios[1]->isEnabled());
        lines = SummaryLines(d);
        QCOMPARE(lines[3], QString("meta: 1x1 tiles (8x8 px)"));
        QTest::mouseClick(d->cancelButton, Qt::LeftButton);
    });
    QVERIFY(f.ExportTo("level.c"));
    QVERIFY(!std::filesystem::exists(f.dir.File("level.c")));
}

void GbaExportGuiTest::failedWriteNamesTheFile() {
    ExportFixture f;
    if (!f.OpenPicture()) QSKIP("shared sample pictures are not present");
    // The source cannot be written; the header, written first, must not appear either.
    std::filesystem::create_directory(f.dir.File("bad.c"));
    const auto before = FolderSnapshot(f.dir.Path());
    QString shown;
    bool stayedOpen = false;
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            box->accept();
        });
        QTest::mouseClick(d->okButton, Qt::LeftButton);
        stayedOpen = d->isVisible();
        QTest::mouseClick(d->cancelButton, Qt::LeftButton);
    });
    QVERIFY(f.ExportTo("bad.c"));
    QVERIFY(stayedOpen);
    const QStringList lines = shown.split('\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QString(kExportFailed));
    QVERIFY2(lines[1].endsWith("/bad.c: Is a directory"), qPrintable(shown));
    QVERIFY(FolderSnapshot(f.dir.Path()) == before);
}

void GbaExportGuiTest::unsavedPictureExports() {
    ExportFixture f;  // a new picture, never saved
    QStringList shown;
    bool closed = false;
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        BoxWatcher boxes;
        RejectOnExit closer{d};
        QTest::mouseClick(d->okButton, Qt::LeftButton);
        closed = !d->isVisible();
        shown = boxes.texts;
    });
    QVERIFY(f.ExportTo("u.c"));
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join("|")));
    QVERIFY(closed);
    QVERIFY(ReadTextFile(f.dir.File("u.c")).find(" uPal[") != std::string::npos);
    QVERIFY(std::filesystem::exists(f.dir.File("u.h")));
}

void GbaExportGuiTest::refusedNumberKeepsWhatWasTyped() {
    ExportFixture f;
    const QString refusal = QString(kRangeMessage).arg(0).arg(255);
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        BoxWatcher boxes;
        RejectOnExit closer{d};
        TypeInto(d->startField, "300");
        QVERIFY(boxes.texts.isEmpty());  // typing stays quiet
        d->typeList->setFocus();
        QTest::keyClick(d->typeList, Qt::Key_Down);  // to the assembler type
        QCOMPARE(d->startField->text(), QString("300"));
        QCOMPARE(d->typeList->currentIndex(), int(OUT_KIND_C));
        f.ui.next = f.dir.File("elsewhere.c");
        QTest::mouseClick(d->browseButton, Qt::LeftButton);
        QCOMPARE(d->startField->text(), QString("300"));
        QVERIFY(!f.ui.next.empty());  // the file chooser was not shown
        f.ui.next.clear();
        QTest::mouseClick(d->validateButton, Qt::LeftButton);
        QTest::mouseClick(d->okButton, Qt::LeftButton);
        QVERIFY(d->isVisible());
        QCOMPARE(d->startField->text(), QString("300"));
        QCOMPARE(boxes.texts, QStringList({refusal, refusal, refusal, refusal}));

        QTest::mouseClick(d->mapBox, Qt::LeftButton);  // "ofs" takes keys only when enabled
        TypeInto(d->offsetField, "x");
        TypeInto(d->startField, "0");
        QTest::mouseClick(d->okButton, Qt::LeftButton);
        QCOMPARE(boxes.texts.last(), QString(kIntegerMessage));
        QTest::mouseClick(d->cancelButton, Qt::LeftButton);
    });
    QVERIFY(f.ExportTo("n.c"));
    QVERIFY(!std::filesystem::exists(f.dir.File("n.c")));
}

void GbaExportGuiTest::typedPathDecidesFolderTypeAndName() {
    ExportFixture f;
    if (!f.OpenPicture()) QSKIP("shared sample pictures are not present");
    const QString folder = QString::fromStdString(f.dir.Path().generic_string());
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        RejectOnExit closer{d};
        TypeInto(d->pathEdit, "clash.s");  // a bare name, and a type the list does not show
        QCOMPARE(d->typeList->currentIndex(), int(OUT_KIND_ASM));
        QVERIFY(!d->nameEdit->isEnabled());
        QCOMPARE(d->nameEdit->text(), QString("clash"));
        d->typeList->setFocus();
        QTest::keyClick(d->typeList, Qt::Key_Up);  // back to C
        QCOMPARE(d->pathEdit->text(), folder + "/clash.c");
        TypeInto(d->pathEdit, "bare.img.bin");
        QCOMPARE(d->typeList->currentText(), QString("Binary (*.bin)"));
        QCOMPARE(SummaryLines(d)[5], QString("files:  bare.h   bare.pal.bin   bare.img.bin   "));
        QTest::mouseClick(d->okButton, Qt::LeftButton);
    });
    QVERIFY(f.ExportTo("sprites.c"));
    QVERIFY(std::filesystem::exists(f.dir.File("bare.pal.bin")));
    QVERIFY(std::filesystem::exists(f.dir.File("bare.img.bin")));
    QVERIFY(!std::filesystem::exists(f.dir.File("bare.img.img.bin")));
}

QString WarningTexts(const ConsolePreviewPane* pane) {
    QStringList texts;
    for (int i = 0; i < pane->warningList->count(); ++i) texts << pane->warningList->item(i)->text();
    return texts.join('\n');
}

void GbaExportGuiTest::previewFollowsTheBitDepth() {
    ExportFixture f;
    QVERIFY(f.OpenBankedPicture());
    bool checked = false;
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        RejectOnExit closer{d};
        ConsolePreviewPane* pane = d->previewPane;
        QTest::mouseClick(d->tilesRadio, Qt::LeftButton);
        QTest::mouseClick(d->mapBox, Qt::LeftButton);
        // Unreduced, every map entry keeps its tile's bank (reduction would merge or drop banks).
        QTest::mouseClick(d->reduceBox, Qt::LeftButton);
        QVERIFY(!d->reduceBox->isChecked());
        // 8-bpp tiles show every bank: the console picture is the source.
        QTRY_VERIFY(pane->Shown() && pane->Shown()->preview.ok &&
                    pane->Shown()->preview.stats.map.exported &&
                    pane->Shown()->preview.stats.differentPixels == 0);
        QCOMPARE(d->bppList->currentText(), QString("8"));
        QCOMPARE(pane->warningList->count(), 0);
        QCOMPARE(pane->Shown()->preview.stats.differentPixels, 0u);
        QCOMPARE(pane->canvas->Image(), pane->Shown()->console);
        // One step down the list is 4 bpp: the mixed tile shows in one bank.
        d->bppList->setFocus();
        QTest::keyClick(d->bppList, Qt::Key_Up);
        QCOMPARE(d->bppList->currentText(), QString("4"));
        QTRY_VERIFY(WarningTexts(pane).contains("banks 1 and 2"));
        QCOMPARE(pane->warningList->item(0)->text(),
                 QString("8,8: 4-bpp tile uses colours of palette banks 1 and 2; the console "
                         "shows them all in bank 1"));
        QCOMPARE(pane->Shown()->preview.stats.differentPixels, 32u);
        QCOMPARE(pane->canvas->Image(), pane->Shown()->console);
        // The difference view marks exactly the lower half of that tile.
        QTest::mouseClick(pane->viewRadios[VIEW_DIFFERENCE], Qt::LeftButton);
        QCOMPARE(pane->canvas->Image().pixel(8, 12), QColor(Qt::magenta).rgb());
        QVERIFY(pane->canvas->Image().pixel(8, 11) != QColor(Qt::magenta).rgb());
        // Clicking the warning frames its tile.
        QListWidgetItem* item = pane->warningList->item(0);
        QTest::mouseClick(pane->warningList->viewport(), Qt::LeftButton, {},
                          pane->warningList->visualItemRect(item).center());
        QCOMPARE(pane->canvas->Highlight(), QRect(8, 8, 8, 8));
        checked = true;
    });
    QVERIFY(f.ExportTo("banks.c"));
    QVERIFY(checked);
}

// The open picture and the files of "Also export" share one palette and tileset;
// each map takes its picture's title, and a file that cannot be read is named.
void GbaExportGuiTest::alsoExportSharesTheTilesetAndNamesEachMap() {
    ExportFixture f;
    QVERIFY(f.OpenBankedPicture());
    // cave.bmp: 24 x 8, the banked picture's colours, two tiles of its own.
    const std::string other = f.dir.File("cave.bmp");
    {
        DibPtr dib(DibCreate(24, 8, 8, nullptr, 1));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 24; ++x)
                DibPictureRow(dib.get(), y)[x] = static_cast<std::uint8_t>(0x30 + (x * y) % 16);
        for (int i = 0; i < 256; ++i)
            DibColors(dib.get())[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                       static_cast<std::uint8_t>(255 - i), 0};
        BmpFormat bmp;
        bmp.AttachImage(std::move(dib));
        QVERIFY(bmp.Write(other));
    }
    const struct {
        std::vector<std::string> also;
        const char* output;
        QString says;  // empty: exported
    } rows[] = {
        {{other}, "level.c", ""},
        {{f.dir.File("missing.bmp")}, "none.c", "missing.bmp: "},
        {{f.dir.File("banks.bmp")}, "twice.c", "has the same title as an earlier picture"},
    };
    for (const auto& row : rows) {
        QString shown;
        bool closed = false;
        WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
            RejectOnExit closer{d};
            QTest::mouseClick(d->tilesRadio, Qt::LeftButton);
            if (!d->mapBox->isChecked()) QTest::mouseClick(d->mapBox, Qt::LeftButton);
            d->alsoExportList->SetPaths(row.also);
            emit d->alsoExportList->Changed();
            if (row.says.isEmpty()) {
                // The chooser shows each map from the shared blocks, as the console would.
                ConsolePreviewPane* pane = d->previewPane;
                QCOMPARE(pane->pictureChooser->count(), 2);
                QCOMPARE(pane->pictureChooser->itemText(1), QString("cave"));
                pane->pictureChooser->setCurrentIndex(1);
                emit pane->pictureChooser->activated(1);
                QTRY_VERIFY(pane->Shown() && pane->Shown()->preview.ok &&
                            pane->Shown()->preview.console.width == 24);
                QCOMPARE(pane->Shown()->preview.stats.differentPixels, 0u);
            }
            BoxWatcher boxes;
            QTest::mouseClick(d->okButton, Qt::LeftButton);
            closed = !d->isVisible();
            shown = boxes.texts.join('|');
        });
        QVERIFY(f.ExportTo(row.output));
        QCOMPARE(closed, row.says.isEmpty());
        QVERIFY2(row.says.isEmpty() ? shown.isEmpty() : shown.contains(row.says), qPrintable(shown));
        QCOMPARE(std::filesystem::exists(f.dir.File(row.output)), row.says.isEmpty());
    }
    const std::string source = ReadTextFile(f.dir.File("level.c"));
    for (const char* array : {" levelPal[", " levelTiles[", " banksMap[", " caveMap["})
        QVERIFY2(source.find(array) != std::string::npos, array);
    // The list is kept with the dialog's other values.
    bool kept = false;
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        kept = d->alsoExportList->Paths() == std::vector<std::string>{f.dir.File("banks.bmp")};
        QTest::mouseClick(d->cancelButton, Qt::LeftButton);
    });
    QVERIFY(f.ExportTo("level.c"));
    QVERIFY(kept);
}

int RunGbaExportGuiTests(int argc, char* argv[]) {
    GbaExportGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

// The 32 x 16 picture: an area must start on it and have a size; the summary shows the
// range of a refused box, never a consequence of the value the box held before.
void GbaExportGuiTest::areaBoxesRefuseWhatMissesThePicture() {
    ExportFixture f;
    QVERIFY(f.OpenBankedPicture());
    const struct {
        IntField* GbaExportDialog::*box;
        const char* text;
        int line;
        const char* summary;
        int minimum, maximum;
    } rows[] = {
        {&GbaExportDialog::widthField, "-8", 2, "area: ? (width: 1 to 65536)", 1, 65536},
        {&GbaExportDialog::heightField, "0", 2, "area: ? (height: 1 to 65536)", 1, 65536},
        {&GbaExportDialog::leftField, "32", 2, "area: ? (left: 0 to 31)", 0, 31},
        {&GbaExportDialog::topField, "-1", 2, "area: ? (top: 0 to 15)", 0, 15},
        {&GbaExportDialog::startField, "300", 0, "pal: ? (start: 0 to 255)", 0, 255},
    };
    const auto before = FolderSnapshot(f.dir.Path());
    QStringList shown, summaries;
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        BoxWatcher boxes;
        RejectOnExit closer{d};
        QTest::mouseClick(d->areaRadios[AREA_CUSTOM], Qt::LeftButton);
        for (const auto& row : rows) {
            IntField* box = d->*row.box;
            const QString good = box->text();
            TypeInto(box, row.text);
            summaries << SummaryLines(d)[row.line];
            QTest::mouseClick(d->okButton, Qt::LeftButton);
            TypeInto(box, good);
        }
        shown = boxes.texts;
        QTest::mouseClick(d->cancelButton, Qt::LeftButton);
    });
    QVERIFY(f.ExportTo("area.c"));
    QStringList expectedSummaries, expectedShown;
    for (const auto& row : rows) {
        expectedSummaries << row.summary;
        expectedShown << QString(kRangeMessage).arg(row.minimum).arg(row.maximum);
    }
    QCOMPARE(summaries, expectedSummaries);
    QCOMPARE(shown, expectedShown);
    QVERIFY(FolderSnapshot(f.dir.Path()) == before);
}

// An area of 13 x 9 is grown to whole tiles only after the user agrees.
void GbaExportGuiTest::validationAsksBeforeAlteringValues() {
    ExportFixture f;
    QVERIFY(f.OpenBankedPicture());
    QString question;
    QString widthAfterNo, widthAfterYes;
    bool openAfterNo = false;
    WhenModal<GbaExportDialog>([&](GbaExportDialog* d) {
        RejectOnExit closer{d};
        QTest::mouseClick(d->areaRadios[AREA_CUSTOM], Qt::LeftButton);
        TypeInto(d->leftField, "5");
        TypeInto(d->topField, "3");
        TypeInto(d->widthField, "13");
        TypeInto(d->heightField, "9");
        {
            BoxWatcher boxes;  // answers No
            QTest::mouseClick(d->okButton, Qt::LeftButton);
            QCOMPARE(boxes.texts.size(), 1);
            question = boxes.texts[0];
        }
        openAfterNo = d->isVisible();
        widthAfterNo = d->widthField->text();
        WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QTest::mouseClick(d->okButton, Qt::LeftButton);
        widthAfterYes = d->widthField->text();
    });
    QVERIFY(f.ExportTo("grown.c"));
    QCOMPARE(question, QString(kValidationQuestion) + "\nwidth: 13 -> 16\nheight: 9 -> 16");
    QVERIFY(openAfterNo);
    QCOMPARE(widthAfterNo, QString("13"));
    QCOMPARE(widthAfterYes, QString("16"));
    QVERIFY(std::filesystem::exists(f.dir.File("grown.c")));
}

}  // namespace vorlin

#include "gba_export_gui_test.moc"
