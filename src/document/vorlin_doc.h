// The single document: the picture, its backup for stroke previews and the undo
// history, plus the framework state (modified flag, path, title, recent files).
// Every change goes: push an undo record, change the data, refresh the palette
// bar when the palette changed, update the views with the narrowest hint, mark
// the document modified.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/index_surface.h"
#include "core/packed_dib.h"
#include "document/color_ref.h"
#include "document/index_image.h"
#include "document/document_settings.h"
#include "document/recent_file_list.h"
#include "document/undo_history.h"

namespace vorlin {

// View-update hints: what changed, and what the hint object points at.
enum ViewHint : int {
    HINT_IMAGE = 1,     // the image object: size, pixels or palette may have changed
    HINT_PALETTE = 2,   // no object: palette entries changed, pixels unchanged
    HINT_REGION = 3,    // const IRect*: only pixels inside it changed (image pixels)
    HINT_GEOMETRY = 4,  // zoom, size, grid or scroll changed
};

// A view of the document: told about every change, synchronously, in the order views registered.
class ViewObserver {
  public:
    virtual ~ViewObserver() = default;
    virtual void OnUpdate(int hint, const void* object) = 0;
    // The modified flag changed (the title shows it).
    virtual void OnModifiedChanged(bool /*modified*/) {}
};

// The palette bar as the document sees it: it receives the palette to draw.
class PaletteBarSink {
  public:
    virtual ~PaletteBarSink() = default;
    // 256 colours, red in the low byte.
    virtual void SetPalette(const ColorRef* colors) = 0;
};

class CVorlinDoc;

// What the document needs from the file layer. The defaults serve a document
// without file support (tests, tools): no default palette, depth 8, no saving.
class DocumentFileHooks {
  public:
    virtual ~DocumentFileHooks() = default;
    // Colours of a palette file (empty when it cannot be read).
    virtual std::vector<RgbQuad> ReadPaletteFile(const std::string& path);
    // Makes the default format the current one again (New).
    virtual void ResetCurrentFormat() {}
    // Bits per pixel shown in the title: the current format's depth.
    virtual int CurrentDepth() const { return 8; }
    // Saves as the Save command does; true when the file was written.
    virtual bool SaveDocument(CVorlinDoc& doc);
};

// Fixed texts of the document.
inline constexpr std::string_view kUntitled = "Untitled";
inline constexpr int kDocumentUndoCap = 32;

class CVorlinDoc {
  public:
    // The picture at the settings' size (256 x 256 when that cannot be made),
    // all black; the backup a copy of it; undo cap 32.
    explicit CVorlinDoc(const DocumentSettings& settings = {});
    virtual ~CVorlinDoc();
    CVorlinDoc(const CVorlinDoc&) = delete;
    CVorlinDoc& operator=(const CVorlinDoc&) = delete;

    UndoHistory history;
    CIndexImage image;
    CIndexImage backup;

    CIndexImage& GetImage() { return image; }
    const CIndexImage& GetImage() const { return image; }

    // --- views, palette bar and file layer (none owned) ---
    void AddView(ViewObserver* view);
    void RemoveView(ViewObserver* view);
    void UpdateAllViews(int hint, const void* object = nullptr);
    void SetPaletteBar(PaletteBarSink* bar) { paletteBar_ = bar; }
    PaletteBarSink* GetPaletteBar() const { return paletteBar_; }
    // Hands the 256 entries to the palette bar, if there is one.
    void RefreshPaletteBar();
    void SetFileHooks(DocumentFileHooks* hooks) { hooks_ = hooks; }
    DocumentFileHooks& FileHooks();

    // --- framework state ---
    bool IsModified() const { return modified_; }
    // Clearing the flag also notes the picture and palette as the saved state, which Undo and
    // Redo may lead back to.
    void SetModifiedFlag(bool modified = true);
    const std::string& GetPathName() const { return path_; }
    // Sets the path, rebuilds the title and (optionally) adds it to the recent files. The file
    // there may hold anything now, so the saved state is forgotten until the flag is cleared.
    void SetPathName(const std::string& path, bool addToRecent = true);
    // A file of the document was written: until the flag is cleared again no state is known to
    // match it (an export over the document's own file may have lost pixels).
    void ForgetSavedState() { savedState_.reset(); }
    // One step of the history; back at the saved state the document is unmodified again.
    void Undo();
    void Redo();
    const std::string& GetTitle() const { return title_; }
    // Empty text: "name [WxH@depth]" from the path's file name (or "Untitled").
    void SetTitle(std::string_view text = {});
    RecentFileList& RecentFiles() { return recent_; }
    const RecentFileList& RecentFiles() const { return recent_; }
    // The default palette and the clear-on-load rule New and Open follow.
    const DocumentSettings& Settings() const { return settings_; }
    void SetSettings(const DocumentSettings& settings) { settings_ = settings; }

    // --- life cycle ---
    // All pixels index 0 and the whole palette black; the size stays.
    void DeleteContents();
    // New: cleared picture of the same size with the default palette file's
    // colours, no path, default format, empty history, unmodified.
    bool OnNewDocument();
    // The document side of Open: the block (not taken over) becomes the
    // picture. Unless "PalClear" is set, entries beyond the colours the file
    // supplied keep the current palette. False (nothing changed) when the block
    // cannot be used.
    bool OpenFromDib(PackedDib dib, const std::string& path);
    // Stores the picture size and the recent files in `profile`.
    void OnCloseDocument(Profile& profile);

    // --- operations other parts call ---
    // Copies the picture into the backup. 1.
    int SyncBackup();
    // Copies a rectangle (null: all) from the backup into the picture; with
    // `notify` the views get HINT_REGION of the rectangle. 1.
    int RestoreFromBackup(const IRect* rect, bool notify);
    // Undo record factories of the current state (see undo_records.h).
    UndoRecordPtr MakeRegionRecord(const IRect* rect, bool fromBackup);
    UndoRecordPtr MakePixelsRecord();
    UndoRecordPtr MakeEntryRecord(int index);
    UndoRecordPtr MakeRangeRecord(int start, int count);
    UndoRecordPtr MakeSnapshotRecord();
    // One entry; successive edits of the same entry are one undo step. The
    // palette bar is not refreshed (it is the usual caller). 0 for a bad index.
    int SetPaletteEntry(int index, RgbQuad colour);
    int SetPaletteEntryColorRef(int index, ColorRef colour);
    // A run of entries (clipped at 256) as one undo step. 0 when nothing fits.
    int SetPaletteEntries(const RgbQuad* entries, int start, int count, bool refresh);
    // Image size: records the pixels even when nothing changes; the palette stays.
    int ResizeImage(int width, int height, int stretch);

  private:
    // After the picture was replaced: backup, empty history, bar, views.
    void InstallFreshPicture();
    void ClearIfSaved();

    std::vector<ViewObserver*> views_;
    PaletteBarSink* paletteBar_ = nullptr;
    DocumentFileHooks* hooks_ = nullptr;
    bool modified_ = false;
    // Fingerprint of the picture and palette when the flag was last cleared, if still valid.
    std::optional<std::uint64_t> savedState_;
    std::string path_;
    std::string title_;
    RecentFileList recent_;
    DocumentSettings settings_;
};

}  // namespace vorlin
