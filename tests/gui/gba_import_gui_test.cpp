#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <fstream>

#include "app/command_ids.h"
#include "app/qt/gba_import_dialog.h"
#include "export/export_job.h"
#include "export/gba_color.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "support/banked_tiles.h"
#include "support/rule_picture.h"

namespace vorlin {

namespace {

// A window beside the binary export of a 64 x 32 banked picture (4 bpp, reduced map).
struct ImportFixture : ScriptedWindow {
    ImportFixture() {
        DibPtr picture = testing::ColouredRulePicture(64, 32, testing::BankedTileIndex);
        for (int y = 0; y < 32; ++y)
            source.insert(source.end(), DibPictureRow(picture.get(), y),
                          DibPictureRow(picture.get(), y) + 64);
        ExportJob job;
        job.image = std::move(picture);
        job.outFlags = OUT_CONVERT_ONLY;
        job.palFlags = BLK_EXPORT;
        job.palEnd = 256;
        job.imgFlags = WithCompression(BLK_EXPORT, BLK_CPRS_LZ77);
        job.bpp = 4;
        job.mapFlags = BLK_EXPORT | MAP_REDUCE | MAP_FLIP | MAP_PALBANK;
        job.right = 64;
        job.bottom = 32;
        QVERIFY(ExportValidate(&job) && ExportConvert(&job));
        Write("g.img.bin", job.imgData.bytes);
        Write("g.map.bin", job.mapData.bytes);
        Write("g.pal.bin", job.palData.bytes);
    }
    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir.File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::uint8_t> Pixels() const { return doc.image.Surface().bits; }

    std::vector<std::uint8_t> source;
};

void Type(QLineEdit* edit, const std::string& text) {
    edit->clear();
    QTest::keyClicks(edit, QString::fromStdString(text));
}

void TypeNumber(QSpinBox* box, int value) {
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
}

bool OkEnabled(GbaImportDialog* d) {
    return d->buttons->button(QDialogButtonBox::Ok)->isEnabled();
}

}  // namespace

class GbaImportGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void okOpensThePreviewedPictureAsANewDocument();
    void damagedDataKeepsOkOffUntilPartialIsTicked();
};

void GbaImportGuiTest::okOpensThePreviewedPictureAsANewDocument() {
    ImportFixture f;
    bool previewed = false;
    WhenModal<GbaImportDialog>([&](GbaImportDialog* d) {
        QVERIFY(!OkEnabled(d));
        Type(d->tilesEdit, f.dir.File("g.img.bin"));
        Type(d->mapEdit, f.dir.File("g.map.bin"));
        Type(d->paletteEdit, f.dir.File("g.pal.bin"));
        // 64 map entries settle no size: the dialog says so until the size is given.
        QTRY_VERIFY(d->messageLabel->text().contains("the map size cannot be told"));
        QVERIFY(!OkEnabled(d));
        TypeNumber(d->mapWidthBox, 8);
        TypeNumber(d->mapHeightBox, 4);
        QTRY_VERIFY(OkEnabled(d));
        QVERIFY(d->messageLabel->text().startsWith("64 x 32 pixels"));
        QVERIFY(!d->previewLabel->pixmap().isNull());
        previewed = true;
        QTest::mouseClick(d->buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    f.frame.RunCommand(ID_FILE_IMPORT_GBA);
    QVERIFY(previewed);
    QCOMPARE(f.doc.image.Width(), 64);
    QCOMPARE(f.doc.image.Height(), 32);
    QVERIFY(f.Pixels() == f.source);
    // Colours went through the console's 5 bits a channel.
    for (const int i : {1, 0x21, 0x3F})
        QCOMPARE(int(f.doc.image.Palette()[i].rgbGreen), int(ExpandChannel(i / 32)));
    QVERIFY(f.doc.GetPathName().empty());
    QVERIFY(f.doc.IsModified());
}

void GbaImportGuiTest::damagedDataKeepsOkOffUntilPartialIsTicked() {
    ImportFixture f;
    // The real map less its last two entries: tiles (6, 3) and (7, 3) have none.
    std::string map = ReadTextFile(f.dir.File("g.map.bin"));
    map.resize(map.size() - 4);
    f.Write("short.map.bin", std::vector<std::uint8_t>(map.begin(), map.end()));
    bool checked = false;
    WhenModal<GbaImportDialog>([&](GbaImportDialog* d) {
        Type(d->tilesEdit, f.dir.File("g.img.bin"));
        Type(d->mapEdit, f.dir.File("short.map.bin"));
        Type(d->paletteEdit, f.dir.File("g.pal.bin"));
        TypeNumber(d->mapWidthBox, 8);
        TypeNumber(d->mapHeightBox, 4);
        QTRY_VERIFY(d->messageLabel->text().contains("short.map.bin: 60 bytes where 8 x 4 tiles need 64"));
        QVERIFY(!OkEnabled(d));
        QTest::mouseClick(d->partialBox, Qt::LeftButton);
        QTRY_VERIFY(OkEnabled(d));
        QVERIFY(d->messageLabel->text().contains("; read as index 0"));
        checked = true;
        QTest::mouseClick(d->buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    f.frame.RunCommand(ID_FILE_IMPORT_GBA);
    QVERIFY(checked);
    const std::vector<std::uint8_t> pixels = f.Pixels();
    for (std::size_t p = 0; p < pixels.size(); ++p) {
        const bool missing = p / 64 >= 24 && p % 64 >= 48;
        QCOMPARE(int(pixels[p]), missing ? 0 : int(f.source[p]));
    }
}

int RunGbaImportGuiTests(int argc, char* argv[]) {
    GbaImportGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "gba_import_gui_test.moc"
