#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "document/image_operations.h"
#include "document/vorlin_doc.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "support/fake_ui_services.h"
#include "support/temp_profile.h"
#include "app/command_ids.h"
#include "app/qt/app_icon.h"
#include "app/qt/doc_commands.h"
#include "app/qt/grid_settings_dialog.h"
#include "app/qt/image_size_dialog.h"
#include "app/qt/int_field.h"
#include "app/qt/main_frame.h"
#include "app/qt/options_dialog.h"
#include "app/qt/sketch_wnd.h"
#include "app/qt/tile_image_dialog.h"
#include "app/qt/tile_reduction_dialog.h"
#include "app/qt/view_bar.h"
#include "app/qt/vorlin_view.h"

namespace vorlin {

// One window on a fresh settings file with scripted message boxes.
struct Window {
    ScopedTempProfile profile;
    FakeUiServices ui;
    ScopedUiServices installed{ui};
    std::unique_ptr<CVorlinDoc> doc = std::make_unique<CVorlinDoc>();
    std::unique_ptr<CMainFrame> frame = std::make_unique<CMainFrame>(*doc);

    Window() {
        frame->resize(800, 600);
        Show();
    }
    void Show() {
        frame->show();
        Activate();
        frame->Commands().NewDocument();
    }
    void Activate() {
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }
    // Closing writes the settings as quitting the program does.
    void Close() {
        frame->close();
        frame.reset();
    }
    void Reopen() {
        frame = std::make_unique<CMainFrame>(*doc);
        Show();
    }
    CVorlinView& View() { return frame->View(); }
};

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void typedZoomIsReadAndRewritten();
    void wheelZoomStopsAtLimits();
    void statusPanesFollowThePointerThroughTileGaps();
    void tileSnapGoesToTileCorners();
    void viewModeIsStoredAndRestored();
    void sketchFollowsTheMainViewScroll();
    void sketchStartsHiddenAndCtrlKShowsIt();
    void gridSettingsRefusesTilesOutOfRange();
    void resizeThroughImageSizeUndoAndRedo();
    void imageSizePowerOfTwoButton();
    void rearrangeAndReduceTiles();
    void optionsStoreBitsAndRefuseAFolder();
    void optionsBrowseButtonChoosesThePaletteFile();
    void appIconLoadsEverySize();
    void newAsksBeforeDroppingChangesAndCancelKeepsThem();
    void commandsAreEnabledWithTheirKeys();
    void pasteModeIsCheckedAndRemembered();
    void keysScrollAndMiddleButtonPans();
};

void MainWindowTest::typedZoomIsReadAndRewritten() {
    Window w;
    QLineEdit* edit = w.frame->ViewOptionsBar().ZoomBox()->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, "3");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.View().Viewport().Zoom256(), 3 * 256);
    QCOMPARE(edit->text(), QString("3x"));
    edit->selectAll();
    QTest::keyClicks(edit, "1.5");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.View().Viewport().Zoom256(), 384);
    QCOMPARE(edit->text(), QString("1.5x"));
    // Nothing usable: the zoom stays.
    edit->selectAll();
    QTest::keyClicks(edit, "abc");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.View().Viewport().Zoom256(), 384);
    QCOMPARE(edit->text(), QString("1.5x"));  // the zoom in effect
}

void MainWindowTest::wheelZoomStopsAtLimits() {
    Window w;
    QWidget* area = w.View().viewport();
    const auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(10, 10), area->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &e);
    };
    for (int i = 0; i < 10; ++i) wheel(120);
    QCOMPARE(w.View().Viewport().Zoom256(), 64 * 256);
    QCOMPARE(w.frame->ViewOptionsBar().ZoomBox()->lineEdit()->text(), QString("64x"));
    for (int i = 0; i < 20; ++i) wheel(-120);
    QCOMPARE(w.View().Viewport().Zoom256(), 16);
}

void MainWindowTest::statusPanesFollowThePointerThroughTileGaps() {
    Window w;
    w.doc->GetImage().Row(0)[8] = 0x2A;
    w.View().SetZoom(2);
    QTest::mouseMove(w.View().viewport(), QPoint(18, 0));
    QCOMPARE(w.frame->Pane(ID_INDICATOR_POS)->text(), QString("(  8,   0)"));
    QCOMPARE(w.frame->Pane(ID_INDICATOR_CLRID)->text(), QString("0x2A"));
    QTest::mouseMove(w.View().viewport(), QPoint(16, 0));
    QCOMPARE(w.frame->Pane(ID_INDICATOR_POS)->text(), QString("(  7,   0)"));
}

void MainWindowTest::tileSnapGoesToTileCorners() {
    Window w;
    w.View().SetZoom(8);
    w.frame->RunCommand(ID_VIEW_TILE_SNAP);
    QCOMPARE(w.View().ToolPoint(QPoint(3 * 8 + 4, 0)).x, 0);
    QCOMPARE(w.View().ToolPoint(QPoint(4 * 8, 0)).x, 7);
    w.frame->RunCommand(ID_VIEW_TILE_SNAP);
    QCOMPARE(w.View().ToolPoint(QPoint(4 * 8, 0)).x, 4);
}

void MainWindowTest::viewModeIsStoredAndRestored() {
    Window w;
    QVERIFY(w.frame->RunCommand(ID_VIEW_PAN));
    QVERIFY(w.frame->RunCommand(ID_VIEW_TILE_SNAP));
    QVERIFY(w.frame->RunCommand(ID_VIEW_TILE_GRID));
    w.Close();
    QCOMPARE(AppProfile().GetInt("mainview", "viewmode", -1), 5);
    QCOMPARE(AppProfile().GetInt("mainview", "tile", -1), 0);
    w.Reopen();
    QCOMPARE(w.View().ViewMode(), 5);
    QVERIFY(w.frame->Action(ID_VIEW_PAN)->isChecked());
    QVERIFY(w.frame->Action(ID_VIEW_TILE_SNAP)->isChecked());
    QVERIFY(!w.frame->Action(ID_VIEW_TILE_GRID)->isChecked());
    QVERIFY(w.frame->Action(ID_VIEW_TEXEL_GRID)->isChecked());
}

void MainWindowTest::sketchFollowsTheMainViewScroll() {
    Window w;
    CSketchWnd& sketch = w.View().Sketch();
    w.frame->RunCommand(ID_VIEW_SKETCH);
    sketch.resize(150, 110);
    w.frame->RunCommand(ID_VIEW_TILE_GRID);  // no gaps: one image pixel per screen pixel
    w.View().SetZoom(8);
    w.View().horizontalScrollBar()->setValue(100);
    w.View().verticalScrollBar()->setValue(40);
    QCOMPARE(w.View().Viewport().Origin().x, 100);
    QCOMPARE(sketch.SketchOrigin(), QPoint(84, 24));
    // Near the far edge at zoom 2 the sketch may start beyond the image width.
    sketch.SetZoom(2);
    w.View().horizontalScrollBar()->setValue(w.View().horizontalScrollBar()->maximum());
    QCOMPARE(sketch.SketchOrigin().x(), w.View().Viewport().Origin().x - 16);
}

void MainWindowTest::sketchStartsHiddenAndCtrlKShowsIt() {
    Window w;
    CSketchWnd& sketch = w.View().Sketch();
    QVERIFY(!sketch.IsShown());
    QVERIFY(!w.frame->Action(ID_VIEW_SKETCH)->isChecked());
    QTest::keySequence(w.frame.get(), QKeySequence("Ctrl+K"));
    QVERIFY(sketch.IsShown());
    QCOMPARE(sketch.geometry(), QRect(16, 16, 160, 128));
    sketch.SetZoom(2);
    sketch.close();  // the close box only hides
    QVERIFY(!sketch.IsShown());
    w.Close();
    QCOMPARE(AppProfile().GetInt("sketch", "visible", -1), 0);
    QCOMPARE(AppProfile().GetInt("sketch", "zoom", -1), 2);
    // Damaged values from the file fall back to safe ones.
    AppProfile().WriteInt("sketch", "zoom", 7);
    AppProfile().WriteInt("sketch", "right", -100);
    AppProfile().WriteInt("mainview", "tilewidth", 0);
    w.Reopen();
    QCOMPARE(w.View().Sketch().Zoom(), 1);
    QCOMPARE(w.View().Sketch().geometry(), QRect(16, 16, 160, 128));
    QCOMPARE(w.View().Viewport().TileWidth(), 4);
}

void MainWindowTest::gridSettingsRefusesTilesOutOfRange() {
    Window w;
    bool stayedOpen = false;
    WhenModal<GridSettingsDialog>([&](GridSettingsDialog* d) {
        d->widthField->setText("3");
        d->accept();
        stayedOpen = d->isVisible();
        d->widthField->setText("16");
        d->heightField->setText("256");
        d->texelBox->setChecked(false);
        d->accept();
    });
    w.frame->RunCommand(ID_VIEW_GRID_SETTINGS);
    QVERIFY(stayedOpen);
    QCOMPARE(QString::fromStdString(w.ui.Texts().at(0)), QString(kRangeMessage).arg(4).arg(256));
    QCOMPARE(w.View().Viewport().TileWidth(), 16);
    QCOMPARE(w.View().Viewport().TileHeight(), 256);
    QVERIFY(!w.View().Viewport().TexelGrid());
}

void MainWindowTest::resizeThroughImageSizeUndoAndRedo() {
    Window w;
    w.doc->GetImage().Row(1)[1] = 7;
    QVERIFY(!w.frame->Action(ID_EDIT_UNDO)->isEnabled());
    WhenModal<ImageSizeDialog>([](ImageSizeDialog* d) {
        d->widthField->setText("100");
        d->heightField->setText("40");
        d->accept();
    });
    QTest::keySequence(w.frame.get(), QKeySequence("Ctrl+I"));
    QCOMPARE(w.doc->GetImage().Width(), 100);
    QCOMPARE(w.doc->GetImage().Height(), 40);
    QCOMPARE(w.doc->GetImage().GetPixel(1, 1), 7);
    QCOMPARE(w.frame->windowTitle(), QString("Untitled [100x40@8] *"));
    QCOMPARE(w.View().Viewport().ImageSize().width, 100);
    QVERIFY(w.frame->Action(ID_EDIT_UNDO)->isEnabled());
    QVERIFY(!w.frame->Action(ID_EDIT_REDO)->isEnabled());

    w.Activate();  // the offscreen platform leaves no window active after a modal dialog
    QTest::keySequence(w.frame.get(), QKeySequence("Ctrl+Z"));
    QCOMPARE(w.doc->GetImage().Width(), 256);
    QCOMPARE(w.View().Viewport().ImageSize().width, 256);
    QVERIFY(w.frame->Action(ID_EDIT_REDO)->isEnabled());
    w.frame->RunCommand(ID_EDIT_REDO);
    QCOMPARE(w.doc->GetImage().Width(), 100);

    // Cancel changes nothing and records nothing.
    const int undoCount = w.doc->history.UndoCount();
    WhenModal<ImageSizeDialog>([](ImageSizeDialog* d) { d->reject(); });
    w.frame->RunCommand(ID_IMAGE_SIZE);
    QCOMPARE(w.doc->history.UndoCount(), undoCount);
}

void MainWindowTest::imageSizePowerOfTwoButton() {
    Window w;
    bool refused = false;
    WhenModal<ImageSizeDialog>([&](ImageSizeDialog* d) {
        d->widthField->setText("100");
        d->heightField->setText("-5");
        QTest::mouseClick(d->powerOfTwoButton, Qt::LeftButton);
        QCOMPARE(d->widthField->text(), QString("128"));
        QCOMPARE(d->heightField->text(), QString("1"));
        d->widthField->setText("70000");
        d->accept();
        refused = d->isVisible();
        d->reject();
    });
    w.frame->RunCommand(ID_IMAGE_SIZE);
    QVERIFY(refused);
    QCOMPARE(w.doc->GetImage().Width(), 256);
}

void MainWindowTest::rearrangeAndReduceTiles() {
    Window w;
    w.doc->ResizeImage(16, 16, 0);
    CIndexImage& image = w.doc->GetImage();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.Row(y)[x] = static_cast<std::uint8_t>((y / 8) * 2 + x / 8 + 1);
    // The tile size proposed is the view's tile grid.
    WhenModal<TileImageDialog>([](TileImageDialog* d) {
        QCOMPARE(d->widthField->text(), QString("8"));
        d->accept();
    });
    w.frame->RunCommand(ID_IMAGE_REARRANGE);
    QCOMPARE(image.Width(), 8);
    QCOMPARE(image.Height(), 32);
    QCOMPARE(image.GetPixel(0, 8), 2);   // top-right quarter second
    QCOMPARE(image.GetPixel(0, 16), 3);  // bottom-left third
    QCOMPARE(w.frame->windowTitle(), QString("Untitled [8x32@8] *"));

    bool refused = false;
    WhenModal<TileReductionDialog>([&](TileReductionDialog* d) {
        d->metaWidthField->setText("0");
        d->accept();
        refused = d->isVisible();
        d->metaWidthField->setText("1");
        d->accept();
    });
    w.frame->RunCommand(ID_IMAGE_REDUCE_TILES);
    QVERIFY(refused);
    // Blank tile first, then the four distinct tiles.
    QCOMPARE(image.Width(), 8);
    QCOMPARE(image.Height(), 40);
    QCOMPARE(image.GetPixel(0, 0), 0);
    QCOMPARE(image.GetPixel(0, 8), 1);
    QCOMPARE(w.View().Viewport().ImageSize().height, 40);
}

void MainWindowTest::optionsStoreBitsAndRefuseAFolder() {
    Window w;
    ScopedTempDir dir;
    const std::string palette = dir.File("mine.pal");
    { std::ofstream(palette) << "CLRX 8 0\n"; }
    WhenModal<OptionsDialog>([&](OptionsDialog* d) {
        QCOMPARE(d->bitsBox->currentText(), QString("5"));
        QCOMPARE(d->paletteEdit->text(), QString("vorlin.pal"));
        d->paletteEdit->setText(QString::fromStdString(dir.Path().string()));
        d->bitsBox->setCurrentIndex(4);
        d->clearBox->setChecked(true);
        QCOMPARE(d->reductionBox->currentText(), QString("fast"));
        d->reductionBox->setCurrentIndex(1);
        d->accept();
    });
    w.frame->RunCommand(ID_TOOLS_OPTIONS);
    QCOMPARE(AppProfile().GetInt("main", "PalBPC", 0), 8);
    QCOMPARE(AppProfile().GetInt("main", "PalClear", 0), 1);
    QCOMPARE(AppProfile().GetInt("main", "Quantize", 0), 1);
    QCOMPARE(AppProfile().GetString("main", "PalDefault", "unset"), std::string("unset"));
    QCOMPARE(w.frame->BitsPerShade(), 8);

    WhenModal<OptionsDialog>([&](OptionsDialog* d) {
        QCOMPARE(d->bitsBox->currentText(), QString("8"));
        QCOMPARE(d->reductionBox->currentText(), QString("best"));
        d->paletteEdit->setText(QString::fromStdString(palette));
        d->accept();
    });
    w.frame->RunCommand(ID_TOOLS_OPTIONS);
    QCOMPARE(AppProfile().GetString("main", "PalDefault", ""), palette);
}

void MainWindowTest::optionsBrowseButtonChoosesThePaletteFile() {
    Window w;
    ScopedTempDir dir;
    const std::string typed = dir.File("typed.pal");
    const std::string chosen = dir.File("chosen.pal");
    { std::ofstream(typed) << "CLRX 8 0\n"; }
    { std::ofstream(chosen) << "CLRX 8 0\n"; }
    w.ui.QueueFileCancel();
    w.ui.QueueFile(chosen);
    WhenModal<OptionsDialog>([&](OptionsDialog* d) {
        d->paletteEdit->setText(QString::fromStdString(typed));
        QTest::mouseClick(d->browseButton, Qt::LeftButton);  // cancelled: the name stays
        QCOMPARE(d->paletteEdit->text(), QString::fromStdString(typed));
        QTest::mouseClick(d->browseButton, Qt::LeftButton);
        QCOMPARE(d->paletteEdit->text(), QString::fromStdString(chosen));
        d->accept();
    });
    w.frame->RunCommand(ID_TOOLS_OPTIONS);
    QCOMPARE(w.ui.fileRequests.size(), size_t{2});
    QVERIFY(w.ui.fileRequests[0].open);
    QCOMPARE(w.ui.fileRequests[0].initialDir, dir.Path().string());  // the typed file's folder
    QVERIFY(w.ui.fileRequests[0].filter.find("*.pal") != std::string::npos);
    QCOMPARE(AppProfile().GetString("main", "PalDefault", ""), chosen);
}

void MainWindowTest::appIconLoadsEverySize() {
    const QIcon icon = AppIcon();
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        QVERIFY2(!pixmap.isNull(), qPrintable(QString::number(size)));
        QCOMPARE(pixmap.size(), QSize(size, size));
    }
}

void MainWindowTest::newAsksBeforeDroppingChangesAndCancelKeepsThem() {
    Window w;
    w.doc->GetImage().Row(0)[0] = 9;
    w.doc->SetModifiedFlag(true);
    w.ui.QueueAnswer(UiAnswer::Cancel);
    QTest::keySequence(w.frame.get(), QKeySequence("Ctrl+N"));
    QCOMPARE(w.ui.messages.size(), size_t{1});
    QCOMPARE(w.ui.messages[0].buttons, UiButtons::YesNoCancel);
    QCOMPARE(w.doc->GetImage().GetPixel(0, 0), 9);
    QVERIFY(w.doc->IsModified());

    w.ui.QueueAnswer(UiAnswer::No);
    w.frame->RunCommand(ID_FILE_NEW);
    QCOMPARE(w.doc->GetImage().GetPixel(0, 0), 0);
    QVERIFY(!w.doc->IsModified());
}

void MainWindowTest::commandsAreEnabledWithTheirKeys() {
    Window w;
    QVERIFY(!w.frame->RunCommand(12345));  // no target claims it
    for (int id :
         {ID_FILE_NEW, ID_VIEW_GRID_SETTINGS, ID_TOOLS_OPTIONS, ID_IMAGE_SIZE, ID_VIEW_ZOOM_UP,
          ID_VIEW_ZOOM_DOWN, ID_PASTE_BY_PALETTE, ID_PASTE_BY_COLOR, ID_PASTE_BY_SOURCE})
        QVERIFY2(w.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    QVERIFY(w.frame->Action(ID_VIEW_ZOOM_UP)->shortcuts().contains(QKeySequence("Alt+=")));
}

void MainWindowTest::pasteModeIsCheckedAndRemembered() {
    Window w;
    const auto checked = [&] {
        std::vector<int> ids;
        for (int id : {ID_PASTE_BY_PALETTE, ID_PASTE_BY_COLOR, ID_PASTE_BY_SOURCE})
            if (w.frame->Action(id)->isChecked()) ids.push_back(id);
        return ids;
    };
    QCOMPARE(checked(), std::vector<int>{ID_PASTE_BY_COLOR});  // as Paste always did
    w.frame->Action(ID_PASTE_BY_SOURCE)->trigger();
    QCOMPARE(checked(), std::vector<int>{ID_PASTE_BY_SOURCE});
    w.Close();
    w.Reopen();
    QCOMPARE(checked(), std::vector<int>{ID_PASTE_BY_SOURCE});
    // A damaged setting falls back to By color.
    w.Close();
    w.profile.Get().WriteInt("mainview", "pastemode", 7);
    w.Reopen();
    QCOMPARE(checked(), std::vector<int>{ID_PASTE_BY_COLOR});
}

void MainWindowTest::keysScrollAndMiddleButtonPans() {
    Window w;
    w.View().SetZoom(8);
    w.View().setFocus();
    QTest::keyClick(&w.View(), Qt::Key_Right);
    QTest::keyClick(&w.View(), Qt::Key_Down);
    QCOMPARE(w.View().Viewport().Origin().x, 1);
    QCOMPARE(w.View().Viewport().Origin().y, 1);
    const int page = w.View().Viewport().VisibleSize().width;
    QTest::keyClick(&w.View(), Qt::Key_End);  // a page to the right
    QCOMPARE(w.View().Viewport().Origin().x, 1 + page);
    QTest::keyClick(&w.View(), Qt::Key_Home);
    QCOMPARE(w.View().Viewport().Origin().x, 1);

    // Without pan mode the middle button is a tool button; with it, the picture follows.
    w.frame->RunCommand(ID_VIEW_PAN);
    QWidget* area = w.View().viewport();
    QTest::mousePress(area, Qt::MiddleButton, Qt::NoModifier, QPoint(100, 100));
    QVERIFY(w.View().ViewMode() & VIEW_PANNING);
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 100), area->mapToGlobal(QPointF(60, 100)),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(area, &move);
    QCOMPARE(w.View().Viewport().Origin().x, 1 + 5);
    QCOMPARE(w.View().horizontalScrollBar()->value(), 1 + 5);
    QTest::mouseRelease(area, Qt::MiddleButton, Qt::NoModifier, QPoint(60, 100));
    QVERIFY(!(w.View().ViewMode() & VIEW_PANNING));
    QCOMPARE(w.doc->history.UndoCount(), 0);  // nothing was drawn
}

}  // namespace vorlin

namespace vorlin {
int RunMainWindowTests(int argc, char* argv[]) {
    MainWindowTest suite;
    return QTest::qExec(&suite, argc, argv);
}
}  // namespace vorlin

#include "main_window_test.moc"
