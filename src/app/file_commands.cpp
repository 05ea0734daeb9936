#include "app/file_commands.h"

#include <algorithm>
#include <cstdio>

#include "app/bank_save_check.h"
#include "app/command_ids.h"
#include "app/gba_exporter.h"
#include "app/save_prompt.h"
#include "app/ui_services.h"
#include "document/document_settings.h"
#include "document/palette_file_io.h"
#include "formats/format_messages.h"
#include "formats/png_format.h"
#include "platform/profile.h"

namespace vorlin {

namespace {

constexpr int kBmpType = 0, kPaletteType = 1, kPcxType = 2, kPngType = 3, kTgaType = 4;
// Settings: the layout the Palette Exporter writes ".pal" names in.
constexpr char kKeyPalExportFormat[] = "PalExportFormat";

FileTypeSet MakeSet(int commandId, const char* entry, std::span<const int> filterIds) {
    FileTypeSet set;
    set.commandId = commandId;
    set.entryName = entry;
    LoadFilters(set, filterIds);
    return set;
}

ExportOptionsRequest MakeOptions(const char* caption, bool offersTransparent) {
    ExportOptionsRequest request;
    request.caption = caption;
    request.offersTransparent = offersTransparent;
    return request;
}

// The dialogs refuse values outside their ranges; answers are checked again here.
void ClampOptions(ExportOptionsRequest& o) {
    if (o.depth != 4 && o.depth != 8 && o.depth != 24) o.depth = 8;
    o.subPalette = std::clamp(o.subPalette, 0, 15);
}

}  // namespace

bool IsGbaExportExtension(const std::string& ext) {
    return ext == "c" || ext == "cpp" || ext == "s" || ext == "bin" || ext == "gbfs";
}

std::string FormatText(const char* pattern, const std::string& a, const std::string& b) {
    const int length = std::snprintf(nullptr, 0, pattern, a.c_str(), b.c_str());
    if (length <= 0) return pattern;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern, a.c_str(), b.c_str());
    text.pop_back();
    return text;
}

namespace {

std::string WithReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text : text + "\n" + reason;
}

}  // namespace

std::string DescribeFailure(const char* pattern, const std::string& path,
                            const HandlerFailure& failure) {
    return WithReason(FormatText(pattern, path, failure.text), failure.reason);
}

FileCommands::FileCommands(CVorlinDoc& doc, FormatRegistry& formats)
    : doc_(doc),
      formats_(formats),
      openSet_(MakeSet(ID_FILE_OPEN, kOpenEntry, kOpenFilterIds)),
      saveAsSet_(MakeSet(ID_FILE_SAVE_AS, kSaveAsEntry, kSaveAsFilterIds)),
      importSet_(MakeSet(ID_FILE_IMPORT, kImportEntry, kImportFilterIds)),
      exportSet_(MakeSet(ID_FILE_EXPORT, kExportEntry, kExportFilterIds)),
      bmpOptions_(MakeOptions(kBmpExportCaption, false)),
      pcxOptions_(MakeOptions(kPcxExportCaption, false)),
      pngOptions_(MakeOptions(kPngExportCaption, true)) {
    doc_.SetFileHooks(this);
}

FileCommands::~FileCommands() {
    if (&doc_.FileHooks() == this) doc_.SetFileHooks(nullptr);
}

void FileCommands::Show(const std::string& text) {
    UiServicesInstance().Inform(text);
}

std::vector<RgbQuad> FileCommands::ReadPaletteFile(const std::string& path) {
    FileFormat* registered = FindFormat(formats_.Formats(), path);
    if (!registered) return {};
    const auto reader = registered->Clone();
    if (!reader->Read(path)) return {};
    const DibPtr dib = reader->DetachImage();
    if (DibBitCount(dib.get()) > 8) return {};
    const RgbQuad* table = DibColors(dib.get());
    return std::vector<RgbQuad>(table, table + std::min(DibColorCount(dib.get()), kPaletteSize));
}

bool FileCommands::SaveDocument(CVorlinDoc&) {
    return Save();
}

bool FileCommands::New() {
    if (!SaveModified(doc_, UiServicesInstance())) return false;
    // The Options dialog may have named another default palette since the last New.
    doc_.SetSettings(ReadDocumentSettings(AppProfile()));
    return doc_.OnNewDocument();
}

bool FileCommands::Open(const std::string& givenPath) {
    if (!SaveModified(doc_, UiServicesInstance())) return false;
    doc_.SetModifiedFlag(false);
    std::string path = givenPath;
    if (path.empty() && DoFileDialog(openSet_, path, true) == kFileDialogCancelled) return false;
    FileFormat* format = FormatForPath(path);
    if (!format) {
        Show(kMsgOpenBadExtension);
        return false;
    }
    if (format->TypeId() == kPaletteType) {
        Show(kMsgPaletteNotOpened);
        return false;
    }
    if (!format->Read(path)) {
        Show(DescribeFailure(kMsgCantOpen, path, HandlerFailure::Of(*format)));
        return false;
    }
    const std::string filledIn = ReadWarningLine(*format);
    const std::string warning = filledIn.empty() ? filledIn : kWarningPrefix + filledIn;
    const DibPtr dib = format->DetachImage();
    doc_.SetSettings(ReadDocumentSettings(AppProfile()));
    // One-bit pictures are saved back at four bits.
    if (format->depth == 1) format->depth = 4;
    FileFormat& previous = formats_.Current();
    formats_.SetCurrent(*format);
    if (!doc_.OpenFromDib(dib.get(), path)) {
        formats_.SetCurrent(previous);
        Show(FormatText(kMsgCantOpen, path, kMsgMemoryAllocation));
        return false;
    }
    // Replaces whatever an earlier file said, so an old warning never outlives its file.
    UiServicesInstance().ShowStatus(warning);
    return true;
}

std::uint32_t FileCommands::SaveOffset(int depth) const {
    if (depth != 4 || !paletteSelection_) return 0;
    const PaletteSelection selection = paletteSelection_->Selection();
    return selection.sixteenColours
               ? static_cast<std::uint32_t>(16 * std::clamp(selection.bank, 0, 15))
               : 0;
}

std::optional<std::uint64_t> FileCommands::ConfirmFourBitSave(int depth,
                                                              std::uint32_t offset) const {
    if (depth != 4) return 0;
    const FourBitSaveLoss loss = CountFourBitSaveLoss(doc_.image, offset);
    if (loss.Total() == 0) return 0;
    if (UiServicesInstance().AskYesNo(FourBitSaveQuestion(loss, offset)) != UiAnswer::Yes)
        return std::nullopt;
    return loss.Total();
}

HandlerFailure FileCommands::WritePicture(FileFormat& format, int depth, std::uint32_t offset,
                                          const std::string& path) {
    DibPtr picture(doc_.image.ToDib(depth, offset));
    if (!picture) return {kMsgMemoryAllocation, {}};
    format.AttachImage(std::move(picture));
    const int written = format.Write(path);
    format.DetachImage();
    return written ? HandlerFailure{} : HandlerFailure::Of(format);
}

bool FileCommands::Save() {
    const std::string path = doc_.GetPathName();
    if (path.empty()) return SaveAs();
    FileFormat* format = FormatForPath(path);
    if (!format) {
        Show(kMsgSaveBadExtension);
        return false;
    }
    const int depth = formats_.Current().depth;
    const std::uint32_t offset = SaveOffset(depth);
    const std::optional<std::uint64_t> changed = ConfirmFourBitSave(depth, offset);
    if (!changed) return false;
    return FinishSave(path, WritePicture(*format, depth, offset, path), *changed);
}

bool FileCommands::FinishSave(const std::string& path, const HandlerFailure& failure,
                              std::uint64_t changedPixels) {
    if (failure.Failed()) {
        Show(DescribeFailure(kMsgCantSave, path, failure));
        return false;
    }
    doc_.SetPathName(path);
    MarkWritten(changedPixels);
    return true;
}

void FileCommands::MarkWritten(std::uint64_t changedPixels) {
    // An export over the document's file keeps its path: what the file held before is gone.
    doc_.ForgetSavedState();
    // The file lacks what the picture shows, so leaving would lose it without a question.
    doc_.SetModifiedFlag(changedPixels > 0);
    if (changedPixels > 0) UiServicesInstance().ShowStatus(FourBitSaveStatus(changedPixels));
}

FileFormat* FileCommands::FormatForPath(const std::string& path) const {
    const std::string ext = PathExtension(path);
    return ext.empty() ? nullptr : FindFormat(formats_.Formats(), ext);
}

ExportOptionsRequest& FileCommands::OptionsFor(int typeId) {
    return typeId == kPngType ? pngOptions_ : typeId == kPcxType ? pcxOptions_ : bmpOptions_;
}

FileCommands::WriteResult FileCommands::WriteWithOptions(FileFormat& format,
                                                         const std::string& path) {
    WriteResult result;
    ExportOptionsRequest& options = OptionsFor(format.TypeId());
    ExportOptionsRequest asked = options;
    if (!UiServicesInstance().AskExportOptions(asked)) {
        result.cancelled = true;
        return result;
    }
    ClampOptions(asked);
    options.depth = asked.depth;
    options.subPalette = asked.subPalette;
    options.transparent = asked.transparent;

    result.handler = format.Clone();
    result.handler->depth = options.depth;
    if (auto* png = dynamic_cast<PngFormat*>(result.handler.get()))
        png->transparent = options.transparent ? 1 : 0;
    const std::uint32_t offset =
        options.depth == 4 ? static_cast<std::uint32_t>(16 * options.subPalette) : 0;
    const std::optional<std::uint64_t> changed = ConfirmFourBitSave(options.depth, offset);
    if (!changed) {
        result.cancelled = true;
        return result;
    }
    result.changedPixels = *changed;
    result.failure = WritePicture(*result.handler, options.depth, offset, path);
    return result;
}

std::string FileCommands::ProposedName() const {
    return doc_.GetPathName().empty() ? std::string(kUntitled) : FileNamePart(doc_.GetPathName());
}

bool FileCommands::SaveAs() {
    std::string path = ProposedName();
    const int chosen = DoFileDialog(saveAsSet_, path, false);
    if (chosen == kFileDialogCancelled) return false;
    FileFormat* format = FormatForPath(path);
    // A palette name would store no picture at all, yet the document would look saved.
    if (!format || format->TypeId() == kPaletteType) {
        Show(kMsgSaveBadExtension);
        return false;
    }
    HandlerFailure failure;
    std::uint64_t changedPixels = 0;
    if (format->TypeId() == kTgaType) {
        const std::uint32_t offset = SaveOffset(format->depth);
        const std::optional<std::uint64_t> changed = ConfirmFourBitSave(format->depth, offset);
        if (!changed) return false;
        changedPixels = *changed;
        failure = WritePicture(*format, format->depth, offset, path);
    } else {
        WriteResult result = WriteWithOptions(*format, path);
        // Cancelling the options writes nothing, so the document must not look saved.
        if (result.cancelled) return false;
        failure = result.failure;
        changedPixels = result.changedPixels;
        if (!failure.Failed()) format->TakeOptions(*result.handler);
    }
    formats_.SetCurrent(*format);
    return FinishSave(path, failure, changedPixels);
}

bool FileCommands::Revert() {
    if (!CanRevert()) return false;
    doc_.SetModifiedFlag(false);
    return Open(doc_.GetPathName());
}

std::optional<std::vector<RgbQuad>> FileCommands::ImportColors(const std::string& path) {
    // ".pal" goes through the registry's reader, as the default palette does.
    if (ToLower(PathExtension(path)) == "pal") {
        const auto reader = FindFormat(formats_.Formats(), path)->Clone();
        if (!reader->Read(path)) {
            Show(WithReason(FormatText(kMsgCantImport, reader->message), reader->reason));
            return std::nullopt;
        }
        const PackedDib dib = reader->image.get();
        return std::vector<RgbQuad>(DibColors(dib), DibColors(dib) + DibColorCount(dib));
    }
    PaletteFileResult read = LoadPaletteFile(path, true);
    if (!read.Ok()) {
        Show(FormatText(kMsgCantImport, read.error));
        return std::nullopt;
    }
    if (!read.note.empty()) UiServicesInstance().ShowStatus(kWarningPrefix + path + ": " + read.note);
    return std::move(read.colors);
}

bool FileCommands::Import() {
    std::string path;
    if (DoFileDialog(importSet_, path, true) < 0) return false;
    const std::string ext = PathExtension(path);
    if (ext.empty()) return false;
    if (!PaletteLayoutForPath(path, PaletteLayout::ColorList, true)) {
        Show(FormatText(kMsgUnsupportedFileType, ext));
        return false;
    }
    const std::optional<std::vector<RgbQuad>> colors = ImportColors(path);
    if (!colors) return false;
    const int fileColors = std::min(static_cast<int>(colors->size()), kPaletteSize);
    if (fileColors == 0) {
        Show(FormatText(kMsgCantImport, kMsgNoColors));
        return false;
    }
    PaletteImportRequest request;
    request.colors.assign(colors->begin(), colors->begin() + fileColors);
    request.source = importSource_;
    request.dest = importDest_;
    request.count = fileColors;
    if (!UiServicesInstance().AskPaletteImport(request)) return false;
    importSource_ = std::clamp(request.source, 0, kPaletteSize - 1);
    importDest_ = std::clamp(request.dest, 0, kPaletteSize - 1);
    int count = std::clamp(request.count, 1, kPaletteSize);
    count = std::min(count, fileColors - importSource_);
    count = std::min(count, kPaletteSize - importDest_);
    // A source at or past the file's last colour leaves nothing to copy.
    if (count <= 0) return false;
    doc_.SetPaletteEntries(request.colors.data() + importSource_, importDest_, count, false);
    doc_.RefreshPaletteBar();
    doc_.UpdateAllViews(HINT_IMAGE, &doc_.image);
    doc_.SetModifiedFlag(true);
    return true;
}

std::optional<HandlerFailure> FileCommands::ExportPalette(const std::string& path,
                                                          bool binIsPalette) {
    PaletteExportRequest request = paletteExport_;
    if (paletteSelection_) {
        request.leftIndex = paletteSelection_->Selection().left;
        request.rightIndex = paletteSelection_->Selection().right;
        request.fromBar = true;
    }
    Profile& profile = AppProfile();
    const bool palName = ToLower(PathExtension(path)) == "pal";
    if (palName) {
        const std::string remembered = profile.GetString(kSectionMain, kKeyPalExportFormat, "");
        for (std::size_t i = 0; i < std::size(kPalLayouts); ++i) {
            request.palFormats.emplace_back(PaletteLayoutName(kPalLayouts[i]));
            if (request.palFormats.back() == remembered) request.palFormat = static_cast<int>(i);
        }
    }
    if (!UiServicesInstance().AskPaletteExport(request)) return std::nullopt;
    paletteExport_.start = std::clamp(request.start, 0, kPaletteSize - 1);
    paletteExport_.count = std::clamp(request.count, 1, kPaletteSize - paletteExport_.start);
    PaletteLayout palLayout = PaletteLayout::ColorList;
    if (palName) {
        palLayout = kPalLayouts[std::clamp<int>(request.palFormat, 0, std::size(kPalLayouts) - 1)];
        profile.WriteString(kSectionMain, kKeyPalExportFormat, PaletteLayoutName(palLayout));
    }
    const std::span<const RgbQuad> range(doc_.image.Palette() + paletteExport_.start,
                                         static_cast<std::size_t>(paletteExport_.count));
    const PaletteFileResult written = SavePaletteFile(path, range, palLayout, binIsPalette);
    if (!written.Ok()) return HandlerFailure{written.what, {}};
    if (!written.note.empty())
        UiServicesInstance().ShowStatus(kWarningPrefix + path + ": " + written.note);
    return HandlerFailure{};
}

void FileCommands::ExportToGba(const std::string& path) {
    if (!gbaExporter_) return;
    const DibPtr picture(doc_.image.ToDib(8, 0));
    if (picture) gbaExporter_->Export(path, doc_.GetPathName(), picture.get());
}

bool FileCommands::Export() {
    std::string path = ProposedName();
    const int chosen = DoFileDialog(exportSet_, path, false);
    if (chosen < 0) return false;
    const std::string ext = ToLower(PathExtension(path));
    if (ext.empty()) return false;
    // With the palette file type chosen, ".bin" means raw console colours and ".png" a
    // strip of swatches rather than GBA data and a picture.
    const bool paletteChosen = chosen == FindFilter(exportSet_, "pal", false);
    const auto layout = PaletteLayoutForPath(path, PaletteLayout::ColorList, paletteChosen);
    const bool palette =
        layout && (*layout != PaletteLayout::Picture || (paletteChosen && ext == "png"));
    HandlerFailure failure;
    std::uint64_t changedPixels = 0;
    if (palette) {
        const std::optional<HandlerFailure> outcome = ExportPalette(path, paletteChosen);
        if (!outcome) return false;
        failure = *outcome;
    } else if (ext == "bmp" || ext == "pcx" || ext == "png") {
        WriteResult result = WriteWithOptions(*FindFormat(formats_.Formats(), ext), path);
        if (result.cancelled) return false;
        failure = result.failure;
        changedPixels = result.changedPixels;
    } else if (IsGbaExportExtension(ext)) {
        ExportToGba(path);
        return true;
    } else {
        return false;
    }
    if (failure.Failed()) {
        Show(DescribeFailure(kMsgCantExport, path, failure));
        return false;
    }
    if (path == doc_.GetPathName()) MarkWritten(changedPixels);
    return true;
}

}  // namespace vorlin
