// The document's file commands: New, Open, Save, Save As, Revert, Import and
// Export. They choose handlers from the registry, ask through the installed
// UiServices, and report failures with the fixed texts.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/file_requests.h"
#include "app/file_type_set.h"
#include "document/vorlin_doc.h"
#include "formats/format_registry.h"

namespace vorlin {

class GbaExporter;

// What the file commands read from the palette bar.
struct PaletteSelection {
    int left = 0;  // palette index of the Left (fore) colour slot
    int right = 0;
    int bank = 0;  // selected 16-colour bank
    bool sixteenColours = false;
};

class PaletteSelectionSource {
  public:
    virtual ~PaletteSelectionSource() = default;
    virtual PaletteSelection Selection() const = 0;
};

// Why a handler's read or write failed: its fixed text and the system's
// reason, if any. An empty text means success.
struct HandlerFailure {
    std::string text;
    std::string reason;

    bool Failed() const { return !text.empty(); }
    static HandlerFailure Of(const FileFormat& handler) {
        return {handler.message, handler.reason};
    }
};

// A fixed command message filled with the path and the handler's text, and
// the system's reason on a line of its own.
std::string DescribeFailure(const char* pattern, const std::string& path,
                            const HandlerFailure& failure);

class FileCommands : public DocumentFileHooks {
  public:
    // Installs itself as the document's file hooks.
    explicit FileCommands(CVorlinDoc& doc, FormatRegistry& formats = Formats());
    ~FileCommands() override;
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    void SetGbaExporter(GbaExporter* exporter) { gbaExporter_ = exporter; }
    void SetPaletteSelection(PaletteSelectionSource* source) { paletteSelection_ = source; }

    // --- document hooks ---
    std::vector<RgbQuad> ReadPaletteFile(const std::string& path) override;
    void ResetCurrentFormat() override { formats_.ResetToBmp(); }
    int CurrentDepth() const override { return formats_.Current().depth; }
    bool SaveDocument(CVorlinDoc& doc) override;

    // --- commands; true when they did what was asked ---
    bool New();
    // Empty path: the "Open" dialog chooses.
    bool Open(const std::string& path = {});
    bool Save();
    bool SaveAs();
    bool CanRevert() const { return doc_.IsModified() && !doc_.GetPathName().empty(); }
    bool Revert();
    bool Import();
    bool Export();

  private:
    struct WriteResult {
        bool cancelled = false;
        HandlerFailure failure;  // empty on success
        std::unique_ptr<FileFormat> handler;
        std::uint64_t changedPixels = 0;  // pixels the file shows in another colour
    };

    // Asks the format's options dialog, then writes the picture with a fresh handler.
    WriteResult WriteWithOptions(FileFormat& format, const std::string& path);
    // Writes the picture at `depth` with `format` as Save does; empty on success.
    HandlerFailure WritePicture(FileFormat& format, int depth, std::uint32_t offset,
                                const std::string& path);
    // At 4 bits per pixel, asks before pixels would change colour. Nothing when the user said
    // No; otherwise how many pixels the file will show in another colour than the picture.
    std::optional<std::uint64_t> ConfirmFourBitSave(int depth, std::uint32_t offset) const;
    // Nothing when the dialog was cancelled; otherwise the failure text or empty.
    std::optional<HandlerFailure> ExportPalette(const std::string& path, bool binIsPalette);
    // The colours Import offers from `path`; nothing after a refusal was shown.
    std::optional<std::vector<RgbQuad>> ImportColors(const std::string& path);
    void ExportToGba(const std::string& path);
    // Marks the document saved as `path`, or shows why it was not; true when saved. A file
    // that lost pixels leaves the document modified, and the status bar says so.
    bool FinishSave(const std::string& path, const HandlerFailure& failure,
                    std::uint64_t changedPixels);
    // After a successful write of the picture: the document is unchanged against its file only
    // when no pixel changed colour.
    void MarkWritten(std::uint64_t changedPixels);
    // The registered format for the path's extension; null when it has none or no format has it.
    FileFormat* FormatForPath(const std::string& path) const;
    std::uint32_t SaveOffset(int depth) const;
    std::string ProposedName() const;
    ExportOptionsRequest& OptionsFor(int typeId);
    void Show(const std::string& text);

    CVorlinDoc& doc_;
    FormatRegistry& formats_;
    GbaExporter* gbaExporter_ = nullptr;
    PaletteSelectionSource* paletteSelection_ = nullptr;
    FileTypeSet openSet_, saveAsSet_, importSet_, exportSet_;
    // Each options dialog keeps its values for the rest of the run.
    ExportOptionsRequest bmpOptions_, pcxOptions_, pngOptions_;
    int importSource_ = 0, importDest_ = 0;
    PaletteExportRequest paletteExport_;
};

// printf-style filling of a fixed message text with string arguments.
std::string FormatText(const char* pattern, const std::string& a, const std::string& b = {});

}  // namespace vorlin
