#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QtTest>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/command_ids.h"
#include "app/file_commands.h"
#include "app/qt/about_dialog.h"
#include "app/qt/doc_commands.h"
#include "app/qt/export_options_dialog.h"
#include "app/qt/help_window.h"
#include "app/qt/int_field.h"
#include "app/qt/main_frame.h"
#include "app/qt/palette_export_dialog.h"
#include "app/qt/qt_ui_services.h"
#include "app/qt/vorlin_app.h"
#include "document/vorlin_doc.h"
#include "formats/bmp_format.h"
#include "formats/read_warnings.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "support/temp_profile.h"

namespace vorlin {

class FileCommandsGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void commandLineOpensTheFileAndSetsTheTitle();
    void commandLineWithAnUnknownTypeEndsStartUp();
    void saveAsPngThroughTheOptionsDialog();
    void paletteExporterFitsTheCount();
    void droppedFileIsOpened();
    void aFileThatEndsEarlyOpensWithTheWarningInTheStatusBar();
    void aboutAndHelpFromTheApplication();
};

void FileCommandsGuiTest::commandLineOpensTheFileAndSetsTheTitle() {
    const std::filesystem::path sample =
        std::filesystem::path(VORLIN_TESTDATA_DIR) / "generated" / "pcx_p4_1plane.pcx";
    if (!std::filesystem::exists(sample)) QSKIP("shared sample pictures are not present");
    ScopedTempProfile profile;
    ScopedTempDir dir;
    const std::string hero = dir.File("hero.pcx");
    std::filesystem::copy_file(sample, hero);
    VorlinApp app;
    QVERIFY(app.InitInstance({"vorlin", QString::fromStdString(hero)}));
    const CIndexImage& image = app.Document()->GetImage();
    QCOMPARE(app.Frame()->windowTitle(),
             QString("hero.pcx [%1x%2@4]").arg(image.Width()).arg(image.Height()));
    QCOMPARE(app.Document()->GetPathName(), hero);
    QVERIFY(app.Frame()->isVisible());
}

void FileCommandsGuiTest::commandLineWithAnUnknownTypeEndsStartUp() {
    ScopedTempProfile profile;
    ScopedTempDir dir;
    const std::string odd = dir.File("picture.xyz");
    { std::ofstream(odd) << "nothing"; }
    QString shown;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    VorlinApp app;
    QVERIFY(!app.InitInstance({"vorlin", QString::fromStdString(odd)}));
    QCOMPARE(shown, QString("Unrecognized file extension, Open failed."));
}

void FileCommandsGuiTest::saveAsPngThroughTheOptionsDialog() {
    ScriptedWindow w;
    w.ui.SetParent(&w.frame);
    w.doc.GetImage().Row(2)[3] = 5;
    w.doc.GetImage().Row(7)[9] = 17;
    w.doc.SetModifiedFlag(true);

    const std::string target = w.dir.File("pic.png");
    w.ui.next = target;
    QString refusal;
    bool stayedOpen = false;
    WhenModal<ExportOptionsDialog>([&](ExportOptionsDialog* d) {
        QCOMPARE(d->windowTitle(), QString("PNG Exporter"));
        QVERIFY(d->transparentBox != nullptr);
        QVERIFY(d->depth8->isChecked());
        d->subPaletteField->setText("16");
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            refusal = box->text();
            box->accept();
        });
        d->accept();
        stayedOpen = d->isVisible();
        d->subPaletteField->setText("0");
        d->accept();
    });
    QVERIFY(w.frame.RunCommand(ID_FILE_SAVE_AS));
    QVERIFY(stayedOpen);
    QCOMPARE(refusal, QString(kRangeMessage).arg(0).arg(15));
    QVERIFY(std::filesystem::exists(target));
    QCOMPARE(w.frame.windowTitle(), QString("pic.png [256x256@8]"));
    QVERIFY(!w.doc.IsModified());

    CVorlinDoc other;
    FileCommands reader(other);
    QVERIFY(reader.Open(target));
    QCOMPARE(other.GetImage().GetPixel(3, 2), 5);
    QCOMPARE(other.GetImage().GetPixel(9, 7), 17);
    QCOMPARE(other.GetImage().Palette()[17].rgbRed, w.doc.GetImage().Palette()[17].rgbRed);
}

void FileCommandsGuiTest::paletteExporterFitsTheCount() {
    ScriptedWindow w;
    // Exports the palette to `name` with `inDialog` acting on the exporter; the file's text.
    const auto exportTo = [&w](const char* name,
                               std::function<void(PaletteExportDialog*)> inDialog) {
        w.ui.next = w.dir.File(name);
        WhenModal<PaletteExportDialog>(std::move(inDialog));
        return w.frame.RunCommand(ID_FILE_EXPORT) ? ReadTextFile(w.dir.File(name)) : std::string();
    };
    const std::string text = exportTo("colours.pal", [](PaletteExportDialog* d) {
        QVERIFY(d->fromBarButton->isEnabled());  // the palette bar supplies Left and Right
        d->startField->setText("250");
        d->countField->setText("256");
        d->accept();
    });
    QVERIFY2(text.rfind("CLRX 8 6\n", 0) == 0, text.c_str());

    // A ".pal" name offers the layout; other palette names have theirs fixed.
    const std::string jasc = exportTo("jasc.pal", [](PaletteExportDialog* d) {
        QVERIFY(d->formatBox);
        QCOMPARE(d->formatBox->currentText(), QString("CLRX"));
        d->formatBox->setCurrentIndex(d->formatBox->findText("JASC-PAL"));
        d->accept();
    });
    QVERIFY2(jasc.rfind("JASC-PAL\r\n0100\r\n6\r\n", 0) == 0, jasc.c_str());
    const std::string gpl = exportTo("colours.gpl", [](PaletteExportDialog* d) {
        QVERIFY(!d->formatBox);
        d->accept();
    });
    QVERIFY2(gpl.rfind("GIMP Palette\n", 0) == 0, gpl.c_str());
}

void FileCommandsGuiTest::droppedFileIsOpened() {
    ScriptedWindow w;
    w.doc.GetImage().Row(0)[1] = 42;
    const std::string saved = w.dir.File("drop.png");
    w.ui.next = saved;
    WhenModal<ExportOptionsDialog>([](ExportOptionsDialog* d) { d->accept(); });
    QVERIFY(w.frame.RunCommand(ID_FILE_SAVE_AS));
    w.frame.Commands().NewDocument();
    QCOMPARE(w.doc.GetImage().GetPixel(1, 0), 0);

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(saved))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.frame, &drop);
    QCOMPARE(w.doc.GetImage().GetPixel(1, 0), 42);
    QCOMPARE(w.doc.GetPathName(), saved);
    QCOMPARE(w.doc.RecentFiles().Entries().front(), saved);
}

void FileCommandsGuiTest::aFileThatEndsEarlyOpensWithTheWarningInTheStatusBar() {
    ScriptedWindow w;
    w.ui.SetParent(&w.frame);
    const std::string path = w.dir.File("cut.bmp");
    {
        BmpFormat bmp;
        DibPtr picture(DibCreate(8, 4, 8, nullptr, 1));
        std::memset(DibPixels(picture.get()), 0, DibHeader(picture.get())->biSizeImage);
        bmp.AttachImage(std::move(picture));
        QVERIFY(bmp.Write(path));
    }
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 2 * 8);
    w.ui.next = path;
    QVERIFY(w.frame.RunCommand(ID_FILE_OPEN));
    QCOMPARE(w.doc.GetPathName(), path);
    QCOMPARE(w.frame.statusBar()->currentMessage(),
             QString::fromStdString("Warning: " + path + ": " + RowsMissingWarning(2, 4)));
}

void FileCommandsGuiTest::aboutAndHelpFromTheApplication() {
    ScopedTempProfile profile;
    VorlinApp app;
    QVERIFY(app.InitInstance({"vorlin"}));
    QCOMPARE(app.Frame()->windowTitle(), QString("Untitled [256x256@8]"));
    WhenModal<AboutDialog>([](AboutDialog* d) {
        QCOMPARE(d->windowTitle(), QString("About Vorlin"));
        // The same version as the export banner and vorlin-cli --version.
        QCOMPARE(d->versionLabel->text(), QString("Vorlin v" VORLIN_VERSION));
        QVERIFY(QRegularExpression("^Build: 20[0-9]{2}-[01][0-9]-[0-3][0-9]$")
                    .match(d->buildLabel->text())
                    .hasMatch());
        d->accept();
    });
    QVERIFY(app.Frame()->RunCommand(ID_APP_ABOUT));
    QVERIFY(app.Frame()->RunCommand(ID_HELP_CONTENTS));
    QVERIFY(app.Help() && app.Help()->isVisible());
    QVERIFY(app.Help()->Browser()->toPlainText().contains("Vorlin user manual"));
    // Every picture the manual names loads where Help reads it.
    int pictures = 0;
    QTextBrowser* browser = app.Help()->Browser();
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto part = block.begin(); !part.atEnd(); ++part) {
            const QTextCharFormat format = part.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            ++pictures;
            const QString name = format.toImageFormat().name();
            QVERIFY2(!browser->loadResource(QTextDocument::ImageResource, QUrl(name)).isNull(),
                     qPrintable(name));
        }
    QVERIFY(pictures > 0);
    // Index: the sections beside the manual, the keyboard in that list (even when the help
    // window was behind the main one); a pick goes there.
    app.Frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.Frame()));
    QVERIFY(app.Frame()->RunCommand(ID_HELP_INDEX));
    QListWidget* contents = app.Help()->Contents();
    QTRY_VERIFY(app.Help()->isActiveWindow());
    QVERIFY(contents->hasFocus());
    QVERIFY(contents->count() > 5);
    const QList<QListWidgetItem*> undo = contents->findItems("Undo", Qt::MatchExactly);
    QCOMPARE(undo.size(), 1);
    contents->setCurrentItem(undo.first());
    QCOMPARE(app.Help()->Browser()->textCursor().block().text(), QString("Undo"));
    QVERIFY(app.Help()->Browser()->verticalScrollBar()->value() > 0);
}

int RunFileCommandsGuiTests(int argc, char* argv[]) {
    FileCommandsGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "file_commands_gui_test.moc"
