#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <vector>

#include "app/command_ids.h"
#include "app/qt/bank_arrange_dialog.h"
#include "app/qt/int_field.h"
#include "gui_suites.h"
#include "gui_test_util.h"
#include "support/bank_corpus.h"

namespace vorlin {

namespace {

// A window whose picture needs three banks and whose palette is not arranged.
struct BankFixture : ScriptedWindow {
    BankFixture() {
        const testing::CorpusPicture corpus = testing::MakeCorpusPicture({64, 32, 3, 15, 0, 4, 5});
        doc.image.Create(64, 32, corpus.palette.data(), corpus.pixels.bits.data());
        doc.history.Clear();
    }
    std::vector<std::uint8_t> Pixels() const { return doc.image.Surface().bits; }
    std::vector<RgbQuad> Look() const {
        std::vector<RgbQuad> look;
        for (std::uint8_t index : doc.image.Surface().bits) look.push_back(doc.image.Palette()[index]);
        return look;
    }
    std::vector<RgbQuad> Palette() const { return {doc.image.Palette(), doc.image.Palette() + 256}; }

    // Opens the dialog from the menu command, lets `fill` set fields, applies and closes.
    QString ApplyInDialog(const std::function<void(BankArrangeDialog*)>& fill) {
        QString line;
        WhenModal<BankArrangeDialog>([&](BankArrangeDialog* d) {
            fill(d);
            QTest::mouseClick(d->applyButton, Qt::LeftButton);
            line = d->resultLabel->text();
            d->reject();
        });
        frame.RunCommand(ID_PAL_ARRANGE_BANKS);
        return line;
    }
};

bool SameColours(const std::vector<RgbQuad>& a, const std::vector<RgbQuad>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const RgbQuad& x, const RgbQuad& y) {
        return x.rgbRed == y.rgbRed && x.rgbGreen == y.rgbGreen && x.rgbBlue == y.rgbBlue;
    });
}

}  // namespace

class BankDialogGuiTest : public QObject {
    Q_OBJECT
  private slots:
    void applyArrangesAsOneUndoStep();
    void refusalChangesNothing();
};

void BankDialogGuiTest::applyArrangesAsOneUndoStep() {
    BankFixture f;
    const auto look = f.Look();
    const auto pixels = f.Pixels();
    const auto palette = f.Palette();
    const QString line = f.ApplyInDialog([](BankArrangeDialog*) {});
    QVERIFY2(line.startsWith("32 tiles in 3 banks"), qPrintable(line));
    QVERIFY(SameColours(f.Look(), look));
    QVERIFY(f.Pixels() != pixels);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            QCOMPARE(f.doc.image.GetPixel(x, y) / 16, f.doc.image.GetPixel(x / 8 * 8, y / 8 * 8) / 16);
    QCOMPARE(f.doc.history.UndoCount(), 1);
    QVERIFY(f.doc.IsModified());
    f.frame.RunCommand(ID_EDIT_UNDO);
    QVERIFY(f.Pixels() == pixels);
    QVERIFY(SameColours(f.Palette(), palette));
}

void BankDialogGuiTest::refusalChangesNothing() {
    BankFixture f;
    const auto pixels = f.Pixels();
    QString line = f.ApplyInDialog([](BankArrangeDialog* d) {
        d->maxBanksField->clear();
        QTest::keyClicks(d->maxBanksField, "2");
    });
    QCOMPARE(line, QString("The tiles need 3 banks, at most 2 are allowed; nothing changed"));
    line = f.ApplyInDialog([](BankArrangeDialog* d) {
        QCOMPARE(d->maxBanksField->text(), QString("2"));  // the dialog remembers its options
        QTest::keyClicks(d->fixedEdit, "1-x");
    });
    QCOMPARE(line, QString(kBankFixedListMessage));
    QVERIFY(f.Pixels() == pixels);
    QCOMPARE(f.doc.history.UndoCount(), 0);
}

int RunBankDialogGuiTests(int argc, char* argv[]) {
    BankDialogGuiTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "bank_dialog_gui_test.moc"
