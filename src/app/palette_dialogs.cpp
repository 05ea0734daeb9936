#include "app/palette_dialogs.h"

#include <algorithm>

#include "app/palette_bar_model.h"
#include "palette/palette_commands.h"
#include "app/palette_quick_commands.h"

namespace vorlin {
namespace {

DialogIntField IndexField(int id, int initial) {
    return DialogIntField{id, 0, 255, FormatDialogInt(initial)};
}
DialogIntField CountField() {
    return DialogIntField{IDC_PAL_COUNT, 1, 256, FormatDialogInt(1)};
}

}  // namespace

DialogIntField* PaletteDialogModel::Field(int id) {
    auto it = std::find_if(fields_.begin(), fields_.end(),
                           [id](const DialogIntField& f) { return f.id == id; });
    return it == fields_.end() ? nullptr : &*it;
}

const DialogIntField* PaletteDialogModel::Field(int id) const {
    return const_cast<PaletteDialogModel*>(this)->Field(id);
}

bool PaletteDialogModel::SetFieldText(int id, std::string_view text) {
    DialogIntField* f = Field(id);
    if (!f) return false;
    f->text = text;
    return true;
}

void PaletteDialogModel::Show() {
    if (!shown_) GetFromBar();
    shown_ = true;
    visible_ = true;
}

int PaletteDialogModel::SlotIndex(int slot) const {
    return bar_->GetSlotIndex(slot);
}

void PaletteDialogModel::TakeLeftAndRight(int leftField, int rightField) {
    if (!bar_) return;
    Set(leftField, SlotIndex(kSlotLeft));
    Set(rightField, SlotIndex(kSlotRight));
}

std::string PaletteDialogModel::Apply() {
    for (const DialogIntField& f : fields_) {
        std::string refusal = f.Validate();
        if (!refusal.empty()) return refusal;
    }
    if (doc_) OnApply();
    return {};
}

std::string PaletteDialogModel::Ok() {
    std::string refusal = Apply();
    if (refusal.empty()) Hide();
    return refusal;
}

// --- sorter ---

PaletteSorterModel::PaletteSorterModel(CVorlinDoc* doc, const PaletteBarModel* bar)
    : PaletteDialogModel(doc, bar) {
    fields_ = {IndexField(IDC_PAL_FIRST, 0), IndexField(IDC_PAL_LAST, 255)};
}

void PaletteSorterModel::GetFromBar() {
    TakeLeftAndRight(IDC_PAL_FIRST, IDC_PAL_LAST);
}

void PaletteSorterModel::OnApply() {
    int first = Value(IDC_PAL_FIRST), last = Value(IDC_PAL_LAST);
    if (last < first) {
        std::swap(first, last);
        Set(IDC_PAL_FIRST, first);
        Set(IDC_PAL_LAST, last);
    }
    SortPalette(*doc_, first, last, key, ascending, BarShift(bar_));
}

// --- swapper ---

PaletteSwapperModel::PaletteSwapperModel(CVorlinDoc* doc, const PaletteBarModel* bar)
    : PaletteDialogModel(doc, bar) {
    fields_ = {IndexField(IDC_PAL_SWAP_A, 0), IndexField(IDC_PAL_SWAP_B, 0), CountField()};
}

void PaletteSwapperModel::GetFromBar() {
    TakeLeftAndRight(IDC_PAL_SWAP_A, IDC_PAL_SWAP_B);
}

void PaletteSwapperModel::OnApply() {
    int count = Value(IDC_PAL_COUNT);
    SwapPaletteBlocks(*doc_, Value(IDC_PAL_SWAP_A), Value(IDC_PAL_SWAP_B), count);
    Set(IDC_PAL_COUNT, count);
}

// --- gradient ---

PaletteGradientModel::PaletteGradientModel(CVorlinDoc* doc, const PaletteBarModel* bar)
    : PaletteDialogModel(doc, bar) {
    fields_ = {IndexField(IDC_PAL_FIRST, 0), IndexField(IDC_PAL_LAST, 0)};
}

void PaletteGradientModel::GetFromBar() {
    TakeLeftAndRight(IDC_PAL_FIRST, IDC_PAL_LAST);
}

void PaletteGradientModel::OnApply() {
    GradientPalette(*doc_, Value(IDC_PAL_FIRST), Value(IDC_PAL_LAST));
}

// --- copy ---

PaletteCopyModel::PaletteCopyModel(CVorlinDoc* doc, const PaletteBarModel* bar)
    : PaletteDialogModel(doc, bar) {
    fields_ = {IndexField(IDC_PAL_COPY_SOURCE, 0), IndexField(IDC_PAL_COPY_DEST, 0), CountField(),
               IndexField(IDC_PAL_HUE_FROM, 0)};
}

void PaletteCopyModel::GetFromBar() {
    if (!bar_) return;
    Set(IDC_PAL_COPY_SOURCE, SlotIndex(kSlotLeft));
    Set(IDC_PAL_HUE_FROM, SlotIndex(kSlotMid));
    Set(IDC_PAL_COPY_DEST, SlotIndex(kSlotRight));
}

void PaletteCopyModel::OnApply() {
    CopyPalette(*doc_, Value(IDC_PAL_COPY_SOURCE), Value(IDC_PAL_COPY_DEST), Value(IDC_PAL_COUNT),
                hueRotate, Value(IDC_PAL_HUE_FROM));
}

}  // namespace vorlin
