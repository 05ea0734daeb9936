#include <QCheckBox>
#include <QComboBox>
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
#include "app/qt/gba_export_dialog.h"
#include "app/qt/int_field.h"
#include "app/qt/main_frame.h"
#include "document/vorlin_doc.h"
#include "export/export_job.h"
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
    bool ExportTo(const std::string& name) {
        ui.next = dir.File(name);
        return frame.RunCommand(ID_FILE_EXPORT);
    }
};

}  // namespace

class GbaExportGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void exportsTiledPictureWithMapAsC();
    void bitmapGreysOutMapAndTileGroup();
    void failedWriteNamesTheFile();
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

int RunGbaExportGuiTests(int argc, char* argv[]) {
    GbaExportGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "gba_export_gui_test.moc"
