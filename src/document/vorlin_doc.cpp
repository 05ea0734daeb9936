#include "document/vorlin_doc.h"

#include <algorithm>
#include <cstring>

#include "document/picture_fingerprint.h"
#include "document/undo_records.h"

namespace vorlin {

namespace {

std::string FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

IRect ClipToImage(const IRect& r, const CIndexImage& img) {
    return IRect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, img.Width()),
                 std::min(r.bottom, img.Height())};
}

}  // namespace

std::vector<RgbQuad> DocumentFileHooks::ReadPaletteFile(const std::string&) {
    return {};
}

bool DocumentFileHooks::SaveDocument(CVorlinDoc&) {
    return false;
}

CVorlinDoc::CVorlinDoc(const DocumentSettings& settings)
    : history(kDocumentUndoCap), settings_(settings) {
    // A damaged setting must not leave the program without a picture.
    if (!image.Create(settings.width, settings.height, nullptr, nullptr))
        image.Create(kDefaultImageSide, kDefaultImageSide, nullptr, nullptr);
    backup.CopyFrom(&image);
    SetTitle();
    savedState_ = PictureFingerprint(image);
}

CVorlinDoc::~CVorlinDoc() {
    history.Clear();
}

void CVorlinDoc::AddView(ViewObserver* view) {
    if (view && std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
}

void CVorlinDoc::RemoveView(ViewObserver* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CVorlinDoc::UpdateAllViews(int hint, const void* object) {
    // A copy: a view may unregister itself while being told.
    const std::vector<ViewObserver*> views = views_;
    for (ViewObserver* view : views) view->OnUpdate(hint, object);
}

void CVorlinDoc::RefreshPaletteBar() {
    if (!paletteBar_) return;
    ColorRef colors[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i) colors[i] = ToColorRef(image.Palette()[i]);
    paletteBar_->SetPalette(colors);
}

DocumentFileHooks& CVorlinDoc::FileHooks() {
    static DocumentFileHooks none;
    return hooks_ ? *hooks_ : none;
}

void CVorlinDoc::SetModifiedFlag(bool modified) {
    if (!modified) savedState_ = PictureFingerprint(image);
    if (modified == modified_) return;
    modified_ = modified;
    const std::vector<ViewObserver*> views = views_;
    for (ViewObserver* view : views) view->OnModifiedChanged(modified_);
}

void CVorlinDoc::Undo() {
    history.Undo();
    ClearIfSaved();
}

void CVorlinDoc::Redo() {
    history.Redo();
    ClearIfSaved();
}

// Compared by content: undo records do not always restore exactly what they were taken from.
void CVorlinDoc::ClearIfSaved() {
    if (savedState_ && *savedState_ == PictureFingerprint(image)) SetModifiedFlag(false);
}

void CVorlinDoc::SetPathName(const std::string& path, bool addToRecent) {
    ForgetSavedState();
    path_ = path;
    if (addToRecent) recent_.Add(path);
    SetTitle();
}

void CVorlinDoc::SetTitle(std::string_view text) {
    if (!text.empty()) {
        title_ = std::string(text);
        return;
    }
    const std::string name = path_.empty() ? std::string(kUntitled) : FileNamePart(path_);
    title_ = name + " [" + std::to_string(image.Width()) + "x" + std::to_string(image.Height()) +
             "@" + std::to_string(FileHooks().CurrentDepth()) + "]";
}

void CVorlinDoc::DeleteContents() {
    image.Clear();
    const Palette256 black{};
    image.SetColors(0, kPaletteSize, black.data());
}

bool CVorlinDoc::OnNewDocument() {
    DeleteContents();
    // A new picture has no file yet: Save must ask for a name instead of
    // writing the blank picture over the file that was open before.
    path_.clear();
    const std::vector<RgbQuad> colours = settings_.defaultPalette.empty()
                                             ? std::vector<RgbQuad>{}
                                             : FileHooks().ReadPaletteFile(settings_.defaultPalette);
    if (!colours.empty()) image.SetColors(0, static_cast<int>(colours.size()), colours.data());
    FileHooks().ResetCurrentFormat();
    SetTitle();
    InstallFreshPicture();
    return true;
}

bool CVorlinDoc::OpenFromDib(PackedDib dib, const std::string& path) {
    if (!dib || !dib->block) return false;
    const int fileColours = DibBitCount(dib) <= 8 ? DibColorCount(dib) : kPaletteSize;
    CIndexImage fresh;
    if (!fresh.SetFromDib(dib, QuantizeOptions{settings_.reduction})) return false;
    const bool keepOldEntries = !settings_.clearPaletteOnLoad;
    if (keepOldEntries && fileColours > 0 && fileColours < kPaletteSize)
        fresh.SetColors(fileColours, kPaletteSize - fileColours, image.Palette() + fileColours);
    image = std::move(fresh);
    // The path first: marking the fresh picture unmodified notes it as the saved state.
    SetPathName(path);
    InstallFreshPicture();
    return true;
}

void CVorlinDoc::InstallFreshPicture() {
    backup.CopyFrom(&image);
    history.Clear();
    RefreshPaletteBar();
    UpdateAllViews(HINT_IMAGE, &image);
    SetModifiedFlag(false);
}

void CVorlinDoc::OnCloseDocument(Profile& profile) {
    StoreDocumentSize(profile, image.Width(), image.Height());
    recent_.Save(profile);
}

int CVorlinDoc::SyncBackup() {
    if (backup.Width() == image.Width() && backup.Height() == image.Height())
        std::memcpy(backup.Bits(), image.Bits(), image.Surface().bits.size());
    else
        backup.CopyFrom(&image);
    return 1;
}

int CVorlinDoc::RestoreFromBackup(const IRect* rect, bool notify) {
    IRect area = ClipToImage(rect ? *rect : image.Bounds(), image);
    area = ClipToImage(area, backup);
    if (!area.IsEmpty()) {
        const auto bytes = static_cast<std::size_t>(area.Width());
        for (int y = area.top; y < area.bottom; ++y)
            std::memcpy(image.Row(y) + area.left, backup.Row(y) + area.left, bytes);
    }
    // Views get the area actually restored, never a null rectangle.
    if (notify) UpdateAllViews(HINT_REGION, &area);
    return 1;
}

UndoRecordPtr CVorlinDoc::MakeRegionRecord(const IRect* rect, bool fromBackup) {
    return vorlin::MakeRegionRecord(*this, rect, fromBackup);
}
UndoRecordPtr CVorlinDoc::MakePixelsRecord() {
    return vorlin::MakePixelsRecord(*this);
}
UndoRecordPtr CVorlinDoc::MakeEntryRecord(int index) {
    return vorlin::MakeEntryRecord(*this, index);
}
UndoRecordPtr CVorlinDoc::MakeRangeRecord(int start, int count) {
    return vorlin::MakeRangeRecord(*this, start, count);
}
UndoRecordPtr CVorlinDoc::MakeSnapshotRecord() {
    return vorlin::MakeSnapshotRecord(*this);
}

int CVorlinDoc::SetPaletteEntry(int index, RgbQuad colour) {
    if (index < 0 || index >= kPaletteSize) return 0;
    RgbQuad& entry = image.Palette()[index];
    const bool differs = entry.rgbRed != colour.rgbRed || entry.rgbGreen != colour.rgbGreen ||
                         entry.rgbBlue != colour.rgbBlue;
    // A run of edits to one entry (a slider drag) is one undo step.
    const UndoRecord* newest = history.NewestUndo();
    const bool continuesRun = newest && newest->Kind() == UNDO_ENTRY &&
                              static_cast<const EntryRecord*>(newest)->Index() == index;
    if (differs && !continuesRun) history.Push(MakeEntryRecord(index));
    entry = colour;
    UpdateAllViews(HINT_PALETTE, nullptr);
    SetModifiedFlag(true);
    return 1;
}

int CVorlinDoc::SetPaletteEntryColorRef(int index, ColorRef colour) {
    return SetPaletteEntry(index, FromColorRef(colour));
}

int CVorlinDoc::SetPaletteEntries(const RgbQuad* entries, int start, int count, bool refresh) {
    if (!entries || start < 0 || start >= kPaletteSize || count <= 0) return 0;
    const int n = std::min(count, kPaletteSize - start);
    history.Push(MakeRangeRecord(start, n));
    image.SetColors(start, n, entries);
    SetModifiedFlag(true);
    if (refresh) {
        RefreshPaletteBar();
        UpdateAllViews(HINT_PALETTE, nullptr);
    }
    return 1;
}

int CVorlinDoc::ResizeImage(int width, int height, int stretch) {
    history.Push(MakePixelsRecord());
    if (!image.Resize(width, height, stretch)) return 0;
    backup.CopyFrom(&image);
    UpdateAllViews(HINT_IMAGE, &image);
    SetTitle();
    SetModifiedFlag(true);
    return 1;
}

}  // namespace vorlin
