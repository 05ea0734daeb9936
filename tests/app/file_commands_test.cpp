#include "app/file_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/gba_exporter.h"
#include "app/palette_bar_selection.h"
#include "document/palette_file_io.h"
#include "formats/bmp_format.h"
#include "formats/format_messages.h"
#include "formats/pcx_format.h"
#include "formats/png_format.h"
#include "formats/read_warnings.h"
#include "support/fake_ui_services.h"
#include "support/file_size_limit.h"
#include "support/format_test_util.h"
#include "support/temp_profile.h"

namespace vorlin {
namespace {

using testing::PatternDib;

class RecordingExporter : public GbaExporter {
  public:
    void Export(const std::string& outputPath, const std::string& documentPath,
                PackedDib picture) override {
        calls.push_back(outputPath + "|" + documentPath + "|" +
                        std::to_string(DibBitCount(picture)));
    }
    std::vector<std::string> calls;
};

class FileCommandsTest : public ::testing::Test {
  protected:
    FileCommandsTest() : guard_(ui), commands(doc, formats) { commands.SetGbaExporter(&exporter); }

    // Writes a picture file with a fresh handler of the given class.
    template <typename Format>
    std::string MakeFile(const std::string& name, DibPtr picture) {
        Format format;
        format.AttachImage(std::move(picture));
        const std::string path = dir.File(name);
        EXPECT_TRUE(format.Write(path)) << format.message;
        return path;
    }
    static ExportOptionsRequest Options(int depth, int sub = 0, bool transparent = true) {
        ExportOptionsRequest r;
        r.depth = depth;
        r.subPalette = sub;
        r.transparent = transparent;
        return r;
    }

    ScopedTempProfile profile;
    ScopedTempDir dir;
    FakeUiServices ui;
    ScopedUiServices guard_;
    FormatRegistry formats;
    CVorlinDoc doc;
    RecordingExporter exporter;
    FileCommands commands;
};

TEST_F(FileCommandsTest, OpenRefusalsLeaveTheDocumentAsItWas) {
    doc.image.SetColors(3, 1, std::vector<RgbQuad>{{1, 2, 3, 0}}.data());
    EXPECT_FALSE(commands.Open(dir.File("picture")));
    EXPECT_FALSE(commands.Open(dir.File("picture.xyz")));
    EXPECT_FALSE(commands.Open(dir.File("colours.pal")));
    const std::string missing = dir.File("missing.bmp");
    EXPECT_FALSE(commands.Open(missing));
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{
                              kMsgOpenBadExtension, kMsgOpenBadExtension, kMsgPaletteNotOpened,
                              "Ack! Can't open " + missing +
                                  "! \n(File doesn't exist.)\nNo such file or directory"}));
    EXPECT_EQ(doc.image.Palette()[3], (RgbQuad{1, 2, 3, 0}));
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(FileCommandsTest, OpenSetsTitleCurrentFormatAndSavesOneBitAsFour) {
    const std::string hero = MakeFile<PcxFormat>("hero.pcx", PatternDib(32, 16, 4));
    ASSERT_TRUE(commands.Open(hero));
    EXPECT_EQ(doc.GetTitle(), "hero.pcx [32x16@4]");
    EXPECT_EQ(&formats.Current(), formats.Formats()[2]);
    EXPECT_FALSE(doc.IsModified());

    const std::string mono = MakeFile<BmpFormat>("mono.bmp", PatternDib(9, 3, 1));
    ASSERT_TRUE(commands.Open(mono));
    EXPECT_EQ(formats.Current().depth, 4);
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(commands.Save());
    BmpFormat reader;
    ASSERT_TRUE(reader.Read(mono));
    EXPECT_EQ(reader.depth, 4);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FileCommandsTest, PalClearDecidesWhetherOldEntriesStay) {
    const std::string small = MakeFile<BmpFormat>("small.bmp", PatternDib(4, 4, 4));
    for (int palClear : {0, 1}) {
        AppProfile().WriteInt("main", "PalClear", palClear);
        doc.image.SetColors(200, 1, std::vector<RgbQuad>{{9, 8, 7, 0}}.data());
        ASSERT_TRUE(commands.Open(small));
        const RgbQuad expected = palClear ? RgbQuad{0, 0, 0, 0} : RgbQuad{9, 8, 7, 0};
        EXPECT_EQ(doc.image.Palette()[200], expected);
    }
}

TEST_F(FileCommandsTest, SaveAsRunsTheOptionsDialogAndKeepsItsSettings) {
    ui.QueueFile(dir.File("out.png"));
    ui.exportOptionAnswers.push_back(Options(4, 2, true));
    ui.QueueAnswer(UiAnswer::Yes);  // every pixel of the blank picture lies outside bank 2
    ASSERT_TRUE(commands.SaveAs());
    ASSERT_EQ(ui.exportOptionRequests.size(), 1u);
    EXPECT_EQ(ui.exportOptionRequests[0].caption, kPngExportCaption);
    EXPECT_TRUE(ui.exportOptionRequests[0].offersTransparent);
    EXPECT_EQ(ui.exportOptionRequests[0].depth, 8);
    PngFormat reader;
    ASSERT_TRUE(reader.Read(dir.File("out.png")));
    EXPECT_EQ(reader.depth, 4);
    EXPECT_EQ(reader.transparent, 1);
    EXPECT_EQ(doc.GetPathName(), dir.File("out.png"));
    EXPECT_EQ(formats.Current().depth, 4);
    EXPECT_EQ(static_cast<PngFormat&>(formats.Current()).transparent, 1);
    EXPECT_EQ(doc.GetTitle(), "out.png [256x256@4]");

    // The dialog opens with the values chosen last.
    ui.QueueFile(dir.File("again.png"));
    ui.exportOptionAnswers.push_back(std::nullopt);
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(commands.SaveAs());
    EXPECT_EQ(ui.exportOptionRequests[1].depth, 4);
    EXPECT_EQ(ui.exportOptionRequests[1].subPalette, 2);
    // Cancelling the options writes nothing and the document stays unsaved.
    EXPECT_FALSE(std::filesystem::exists(dir.File("again.png")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), dir.File("out.png"));
}

TEST_F(FileCommandsTest, SaveFailuresKeepTheOldFileAndTheModifiedFlagAndSayWhy) {
    struct Row {
        const char* name;
        std::function<void(const std::string&)> spoil;  // run on the saved file before saving
        std::string reason;                             // what the message says after the path
    };
    const auto none = [](const std::string&) {};
    const std::vector<Row> rows = {
        // Far less room than the picture needs: every format runs out part way.
        {"full.bmp", none, "(File too large)"},
        {"full.pcx", none, "(File too large)"},
        {"full.tga", none, "(File too large)"},
        {"full.png", none, "(File too large)"},
        {"locked.bmp", [](const std::string& p) { ::chmod(p.c_str(), 0444); },
         "(File doesn't exist.)\nPermission denied"},
        {"folder.bmp",
         [](const std::string& p) {
             std::filesystem::remove(p);
             std::filesystem::create_directory(p);
         },
         "(File doesn't exist.)\nIs a directory"},
    };
    const auto listing = [&] {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(e.path().filename().string() +
                            (e.is_regular_file() ? std::to_string(e.file_size()) : "/"));
        std::sort(names.begin(), names.end());
        return names;
    };
    for (const Row& row : rows) {
        const auto writer = FindFormat(formats.Formats(), row.name)->Clone();
        writer->AttachImage(PatternDib(4, 4, 8));
        const std::string path = dir.File(row.name);
        ASSERT_TRUE(writer->Write(path)) << row.name << ": " << writer->message;
        ASSERT_TRUE(commands.Open(path)) << row.name;
        row.spoil(path);
        const auto before = listing();
        doc.SetModifiedFlag(true);
        {
            ScopedFileSizeLimit limit(16);
            ASSERT_TRUE(limit.Active());
            EXPECT_FALSE(commands.Save()) << row.name;
        }
        EXPECT_TRUE(doc.IsModified()) << row.name;
        EXPECT_EQ(ui.Texts().back(), "Ack! Can't save file \"" + path + "\"! \n" + row.reason);
        // The old file is as it was and nothing half-written is left beside it.
        EXPECT_EQ(listing(), before) << row.name;
        doc.SetModifiedFlag(false);  // so that the next Open asks nothing
    }
}

TEST_F(FileCommandsTest, OpeningAFileThatEndsEarlySaysSoInTheStatusBar) {
    const std::string path = MakeFile<BmpFormat>("cut.bmp", PatternDib(4, 4, 8));
    auto bytes = testing::ReadFileBytes(path);
    bytes.resize(bytes.size() - 8);  // the top two rows of a bottom-up file
    testing::WriteFileBytes(path, bytes);
    ASSERT_TRUE(commands.Open(path));
    EXPECT_EQ(ui.statusTexts.back(), "Warning: " + path + ": " + RowsMissingWarning(2, 4));
    EXPECT_TRUE(ui.messages.empty());
    // The next file replaces the warning, even with nothing to say.
    ASSERT_TRUE(commands.Open(MakeFile<BmpFormat>("whole.bmp", PatternDib(4, 4, 8))));
    EXPECT_EQ(ui.statusTexts.back(), "");
}

TEST_F(FileCommandsTest, SaveAsToPaletteOrUnknownNamesWritesNothing) {
    ui.QueueFile(dir.File("colours.pal"));
    EXPECT_FALSE(commands.SaveAs());
    ui.QueueFile(dir.File("picture.xyz"));
    EXPECT_FALSE(commands.SaveAs());
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{kMsgSaveBadExtension, kMsgSaveBadExtension}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(FileCommandsTest, RevertReopensTheFile) {
    const std::string path = MakeFile<BmpFormat>("pic.bmp", PatternDib(4, 4, 8));
    ASSERT_TRUE(commands.Open(path));
    const int original = doc.image.GetPixel(1, 1);
    EXPECT_FALSE(commands.CanRevert());
    doc.image.Row(1)[1] = static_cast<std::uint8_t>(original + 1);
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(commands.CanRevert());
    ASSERT_TRUE(commands.Revert());
    EXPECT_EQ(doc.image.GetPixel(1, 1), original);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ui.messages.empty());  // no save question
}

TEST_F(FileCommandsTest, ImportCopiesTheChosenRangeAsOneUndoStep) {
    const std::string pal = dir.File("ten.pal");
    std::string text = "CLRX 8 10\n";
    for (int i = 0; i < 10; ++i) text += "0x0000000" + std::to_string(i) + " ";
    testing::WriteFileBytes(pal, {text.begin(), text.end()});
    ui.QueueFile(pal);
    PaletteImportRequest answer;
    answer.source = 8;
    answer.dest = 250;
    answer.count = 256;
    ui.paletteImportAnswers.push_back(answer);
    const int undoBefore = doc.history.UndoCount();
    ASSERT_TRUE(commands.Import());
    ASSERT_EQ(ui.paletteImportRequests.size(), 1u);
    EXPECT_EQ(ui.paletteImportRequests[0].count, 10);
    EXPECT_EQ(ui.paletteImportRequests[0].colors.size(), 10u);
    EXPECT_EQ(doc.image.Palette()[250].rgbRed, 8);
    EXPECT_EQ(doc.image.Palette()[251].rgbRed, 9);
    EXPECT_EQ(doc.history.UndoCount(), undoBefore + 1);
    EXPECT_TRUE(doc.IsModified());

    // A source past the file's colours copies nothing.
    ui.QueueFile(pal);
    answer.source = 12;
    ui.paletteImportAnswers.push_back(answer);
    EXPECT_FALSE(commands.Import());
    EXPECT_EQ(ui.paletteImportRequests[1].source, 8);  // the dialog remembered its last values
    EXPECT_EQ(doc.history.UndoCount(), undoBefore + 1);
}

TEST_F(FileCommandsTest, ImportFailuresUseTheirTexts) {
    // More colours than a palette holds: a photograph, not a strip of swatches.
    DibPtr photo(DibCreate(300, 1, 24, nullptr, 1));
    for (int x = 0; x < 300; ++x) {
        DibPictureRow(photo.get(), 0)[3 * x] = static_cast<std::uint8_t>(x);
        DibPictureRow(photo.get(), 0)[3 * x + 1] = static_cast<std::uint8_t>(x >> 8);
    }
    const std::string rgb = MakeFile<BmpFormat>("rgb.bmp", std::move(photo));
    ui.QueueFile(rgb);
    EXPECT_FALSE(commands.Import());
    ui.QueueFile(dir.File("colours.act"));
    EXPECT_FALSE(commands.Import());
    testing::WriteFileBytes(dir.File("bad.pal"), {'G', 'I', 'F', '8'});
    ui.QueueFile(dir.File("bad.pal"));
    EXPECT_FALSE(commands.Import());
    testing::WriteFileBytes(dir.File("bad.gpl"), {'G', 'I', 'M', 'P'});
    ui.QueueFile(dir.File("bad.gpl"));
    EXPECT_FALSE(commands.Import());
    testing::WriteFileBytes(dir.File("empty.hex"), {});
    ui.QueueFile(dir.File("empty.hex"));
    EXPECT_FALSE(commands.Import());
    ui.QueueFile(dir.File("notes.txt"));
    EXPECT_FALSE(commands.Import());
    EXPECT_EQ(ui.Texts(),
              (std::vector<std::string>{
                  "Ack! Can't import this file! (" + rgb +
                      ": the picture has more than 256 colours, so it is no palette)",
                  "Ack! Can't import this file! (" + dir.File("colours.act") +
                      ": No such file or directory)",
                  "Ack! Can't import this file! (Ack! File format not recognized.)",
                  "Ack! Can't import this file! (" + dir.File("bad.gpl") +
                      ": line 1: not a GIMP palette (the first line must be \"GIMP Palette\"))",
                  "Ack! Can't import this file! (No colors!)", "Unsupported file type (txt)"}));
    EXPECT_TRUE(ui.paletteImportRequests.empty());  // nothing offered from a refused file
}

// Colours every layout keeps exactly, 15-bit ones included.
const std::vector<RgbQuad> kThree = {{0, 0, 255, 0}, {8, 132, 0, 0}, {255, 255, 255, 0}};

TEST_F(FileCommandsTest, ImportReadsEveryPaletteLayoutIntoTheChosenRange) {
    for (const char* name : {"p.gpl", "p.act", "p.hex", "p.gbapal", "p.bin", "p.png", "p.pal"}) {
        ASSERT_TRUE(SavePaletteFile(dir.File(name), kThree, PaletteLayout::Jasc, true).Ok());
        ui.QueueFile(dir.File(name));
        PaletteImportRequest answer;
        answer.source = 1;
        answer.dest = 20;
        answer.count = 2;
        ui.paletteImportAnswers.push_back(answer);
        ASSERT_TRUE(commands.Import()) << name << ": " << ::testing::PrintToString(ui.Texts());
        EXPECT_EQ(ui.paletteImportRequests.back().colors, kThree) << name;
        EXPECT_EQ(doc.image.Palette()[20], kThree[1]) << name;
        EXPECT_EQ(doc.image.Palette()[21], kThree[2]) << name;
        doc.image.SetColors(20, 2, std::vector<RgbQuad>(2, RgbQuad{}).data());
    }
}

TEST_F(FileCommandsTest, PaletteExportWritesTheLayoutOfTheNameAndRemembersThePalFormat) {
    doc.image.SetColors(0, 3, kThree.data());
    PaletteExportRequest range;
    range.start = 0;
    range.count = 3;
    const int kPaletteFilter = 5, kGbaFilter = 4;  // as the dialog counts them, from 1
    const struct {
        const char* name;
        int filter;
        int palFormat;
        std::string starts;  // the file's first bytes; empty: the GBA exporter takes it
    } cases[] = {
        {"a.gpl", 1, 0, "GIMP Palette\n"},
        {"b.act", 1, 0, std::string("\xff\x00\x00\x00\x84\x08", 6)},
        {"c.hex", 1, 0, "ff0000\n0084"},
        {"d.bin", kPaletteFilter, 0, std::string("\x1f\x00\x00\x06\xff\x7f", 6)},
        {"e.bin", kGbaFilter, 0, ""},
        {"f.png", kPaletteFilter, 0, "\x89PNG"},
        {"g.pal", kPaletteFilter, 1, "JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n"},
        {"h.pal", kPaletteFilter, 2, "RIFF"},
    };
    for (const auto& c : cases) {
        ui.QueueFile(dir.File(c.name), c.filter);
        range.palFormat = c.palFormat;
        if (!c.starts.empty()) ui.paletteExportAnswers.push_back(range);
        ASSERT_TRUE(commands.Export()) << c.name << ::testing::PrintToString(ui.Texts());
        if (c.starts.empty()) {
            EXPECT_EQ(exporter.calls.back().rfind(dir.File(c.name), 0), 0u) << c.name;
            continue;
        }
        const auto bytes = testing::ReadFileBytes(dir.File(c.name));
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()).substr(0, c.starts.size()), c.starts)
            << c.name;
    }
    EXPECT_EQ(testing::ReadFileBytes(dir.File("b.act")).size(), 772u);
    // The choice is offered only for ".pal" names and starts at the last one made.
    EXPECT_TRUE(ui.paletteExportRequests[0].palFormats.empty());
    EXPECT_EQ(ui.paletteExportRequests.back().palFormats,
              (std::vector<std::string>{"CLRX", "JASC-PAL", "RIFF"}));
    EXPECT_EQ(ui.paletteExportRequests.back().palFormat, 1);
    ui.QueueFile(dir.File("i.pal"), kPaletteFilter);
    EXPECT_FALSE(commands.Export());  // cancelled
    EXPECT_EQ(ui.paletteExportRequests.back().palFormat, 2);
}

TEST_F(FileCommandsTest, ExportByExtension) {
    ui.QueueFile(dir.File("out.gbfs"));
    ASSERT_TRUE(commands.Export());
    EXPECT_EQ(exporter.calls, std::vector<std::string>{dir.File("out.gbfs") + "||8"});

    ui.QueueFile(dir.File("notes.txt"));
    EXPECT_FALSE(commands.Export());

    ui.QueueFile(dir.File("out.pcx"));
    ui.exportOptionAnswers.push_back(Options(24));
    ASSERT_TRUE(commands.Export());
    EXPECT_EQ(ui.exportOptionRequests.back().caption, kPcxExportCaption);
    PcxFormat reader;
    ASSERT_TRUE(reader.Read(dir.File("out.pcx")));
    EXPECT_EQ(reader.depth, 24);
    EXPECT_EQ(&formats.Current(), formats.Formats()[0]);  // Export leaves the current format

    doc.image.SetColors(10, 2, std::vector<RgbQuad>{{0, 0, 255, 0}, {255, 0, 0, 0}}.data());
    ui.QueueFile(dir.File("two.pal"));
    PaletteExportRequest range;
    range.start = 10;
    range.count = 256;  // lowered so that start + count stays within 256
    ui.paletteExportAnswers.push_back(range);
    ASSERT_TRUE(commands.Export());
    const auto text = testing::ReadFileBytes(dir.File("two.pal"));
    EXPECT_EQ(std::string(text.begin(), text.begin() + 32), "CLRX 8 246\n0x000000ff 0x00ff0000");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileCommandsTest, ExportFailureNamesThePath) {
    const std::string path = dir.File("none/out.bmp");
    ui.QueueFile(path);
    ui.exportOptionAnswers.push_back(Options(8));
    EXPECT_FALSE(commands.Export());
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Ack! Can't export file \"" + path +
                                                   "\"! \n(File doesn't exist.)\n"
                                                   "No such file or directory"});
}

TEST_F(FileCommandsTest, SaveAtFourBitsUsesThePaletteBarsBankInSixteenColourMode) {
    PaletteBarModel bar;
    PaletteBarSelection selection(bar);
    commands.SetPaletteSelection(&selection);
    const std::string path = MakeFile<BmpFormat>("bank.bmp", PatternDib(2, 1, 4));
    ASSERT_TRUE(commands.Open(path));
    doc.image.Row(0)[0] = 0x23;  // bank 2, colour 3
    doc.image.Row(0)[1] = 0x2F;
    doc.image.SetColors(0x23, 1, std::vector<RgbQuad>{{7, 7, 7, 0}}.data());
    bar.SetSixteenMode(true);
    bar.SelectBank(2);
    ASSERT_TRUE(commands.Save());
    BmpFormat reader;
    ASSERT_TRUE(reader.Read(path));
    EXPECT_EQ(DibRow(reader.image.get(), 0)[0] >> 4, 3);
    EXPECT_EQ(DibColors(reader.image.get())[3], (RgbQuad{7, 7, 7, 0}));
    EXPECT_TRUE(ui.messages.empty());  // nothing outside the bank, nothing to ask
}

TEST_F(FileCommandsTest, FourBitSaveAsksBeforeChangingPixelsOutsideTheBank) {
    const std::string path = MakeFile<BmpFormat>("four.bmp", PatternDib(4, 2, 4));
    ASSERT_TRUE(commands.Open(path));
    doc.image.Row(1)[3] = 0x35;
    doc.image.Row(0)[0] = 0x10;
    doc.SetModifiedFlag(true);
    const auto before = testing::ReadFileBytes(path);
    const std::string question =
        "2 pixels use colours outside palette bank 0 (entries 0 to 15).\n"
        "Saving at 4 bits per pixel will change their colours.\nSave anyway?";

    ui.QueueAnswer(UiAnswer::No);
    EXPECT_FALSE(commands.Save());
    EXPECT_EQ(ui.messages.back().text, question);
    EXPECT_EQ(ui.messages.back().buttons, UiButtons::YesNo);
    EXPECT_EQ(testing::ReadFileBytes(path), before);
    EXPECT_TRUE(doc.IsModified());

    // Save As at 4 bits asks the same, and No writes no file.
    ui.QueueFile(dir.File("other.bmp"));
    ui.exportOptionAnswers.push_back(Options(4, 0));
    ui.QueueAnswer(UiAnswer::No);
    EXPECT_FALSE(commands.SaveAs());
    EXPECT_FALSE(std::filesystem::exists(dir.File("other.bmp")));
    EXPECT_EQ(doc.GetPathName(), path);

    ui.QueueAnswer(UiAnswer::Yes);
    ASSERT_TRUE(commands.Save());
    EXPECT_TRUE(doc.IsModified());  // the file lacks what the picture shows
    BmpFormat reader;
    ASSERT_TRUE(reader.Read(path));
    EXPECT_EQ(DibRow(reader.image.get(), 1)[1] & 0x0F, 5);  // only the low four bits survive
    EXPECT_EQ(ui.messages.size(), 3u);
}

// Undo must not lead back to "unmodified" once the document's own file lost pixels: neither
// after a Save nor after an Export over the same file, which keeps the document's path.
TEST_F(FileCommandsTest, LossyWriteOverTheOpenedFileLeavesNoStateToUndoBackTo) {
    for (const bool viaExport : {false, true}) {
        const std::string path = MakeFile<BmpFormat>("undo.bmp", PatternDib(4, 2, 4));
        ASSERT_TRUE(commands.Open(path));
        const IRect corner{0, 0, 1, 1};
        doc.history.Push(doc.MakeRegionRecord(&corner, false));
        doc.image.Row(0)[0] = 0x10;  // outside bank 0: a 4-bit file loses it
        doc.SetModifiedFlag(true);
        ui.QueueAnswer(UiAnswer::Yes);
        if (viaExport) {
            ui.QueueFile(path);
            ui.exportOptionAnswers.push_back(Options(4, 0));
            ASSERT_TRUE(commands.Export());
        } else {
            ASSERT_TRUE(commands.Save());
        }
        ASSERT_TRUE(doc.IsModified()) << viaExport;
        doc.Undo();  // the picture as opened, which the file no longer holds
        EXPECT_TRUE(doc.IsModified()) << viaExport;
        doc.SetModifiedFlag(false);
    }
}

// A 4-bit save into bank k writes entry 0 of the file as the document's entry 0, so a pixel
// of index 16k changes colour as surely as one outside the bank; index 0 never does. A save
// that changes pixels leaves the document modified, since the file lacks what it shows.
TEST_F(FileCommandsTest, FourBitSaveCountsPixelsByColourAndKeepsALossyPictureModified) {
    const std::string tail =
        ".\nSaving at 4 bits per pixel will change their colours.\nSave anyway?";
    const struct {
        std::vector<std::uint8_t> pixels;
        int sub;
        bool firstEntryIsBlack;  // entry 16·sub shows the colour of entry 0
        std::string question;    // empty: the save goes ahead without asking
        std::uint64_t changed;
    } rows[] = {
        {{0x20, 0x20, 0x21, 0},
         2,
         false,
         "2 pixels use the first entry of palette bank 2 (entry 32), which is saved as colour 0",
         2},
        {{0, 0x21, 0x2F, 0}, 2, false, "", 0},
        {{0x20, 0x20, 0x21, 0}, 2, true, "", 0},
        {{0x20, 0x13, 0x21, 0x21},
         2,
         false,
         "1 pixel uses colours outside palette bank 2 (entries 32 to 47) and 1 pixel uses the "
         "bank's first entry, which is saved as colour 0",
         2},
        {{0x10, 0x3F, 0x01, 0},
         0,
         false,
         "2 pixels use colours outside palette bank 0 (entries 0 to 15)",
         2},
    };
    std::vector<RgbQuad> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[static_cast<std::size_t>(i)] = RgbQuad{static_cast<std::uint8_t>(i), 1, 2, 0};
    for (const auto& row : rows) {
        ASSERT_TRUE(doc.image.Create(4, 1, nullptr, nullptr));
        doc.image.SetColors(0, 256, colours.data());
        if (row.firstEntryIsBlack) doc.image.SetColors(16 * row.sub, 1, colours.data());
        std::copy(row.pixels.begin(), row.pixels.end(), doc.image.Row(0));
        doc.SetModifiedFlag(false);
        ui.messages.clear();
        ui.statusTexts.clear();
        ui.QueueFile(dir.File("lossy.bmp"));
        ui.exportOptionAnswers.push_back(Options(4, row.sub));
        if (!row.question.empty()) ui.QueueAnswer(UiAnswer::Yes);
        ASSERT_TRUE(commands.SaveAs()) << row.question;
        EXPECT_EQ(ui.Texts(), row.question.empty() ? std::vector<std::string>{}
                                                   : std::vector<std::string>{row.question + tail});
        EXPECT_EQ(doc.IsModified(), row.changed > 0) << row.question;
        const std::string status =
            "Saved at 4 bits per pixel: " + std::to_string(row.changed) +
            " pixels differ from the picture, which stays marked as changed.";
        EXPECT_EQ(ui.statusTexts,
                  row.changed ? std::vector<std::string>{status} : std::vector<std::string>{});
        ui.answers.clear();
    }
}

TEST_F(FileCommandsTest, NewLoadsTheDefaultPaletteAndResetsTheFormat) {
    const std::string pal = dir.File("mine.pal");
    const std::string text = "CLRX 8 2\n0x00112233 0x00445566 ";
    testing::WriteFileBytes(pal, {text.begin(), text.end()});
    AppProfile().WriteString("main", "PalDefault", pal);
    formats.SetCurrent(*formats.Formats()[3]);
    ASSERT_TRUE(commands.New());
    EXPECT_EQ(doc.image.Palette()[1], (RgbQuad{0x44, 0x55, 0x66, 0}));
    EXPECT_EQ(&formats.Current(), formats.Formats()[0]);
    EXPECT_EQ(doc.GetTitle(), "Untitled [256x256@8]");
}

}  // namespace
}  // namespace vorlin
