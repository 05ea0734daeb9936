#include "app/palette_bar_link.h"

#include "app/bank_move_check.h"
#include "app/ui_services.h"
#include "palette/palette_commands.h"
#include "platform/profile.h"

namespace vorlin {

PaletteBarDocumentLink::PaletteBarDocumentLink(CVorlinDoc& doc, PaletteBarModel& bar)
    : doc_(doc), bar_(bar) {
    bar_.SetListener(this);
    doc_.SetPaletteBar(this);
    doc_.RefreshPaletteBar();
}

PaletteBarDocumentLink::~PaletteBarDocumentLink() {
    if (doc_.GetPaletteBar() == this) doc_.SetPaletteBar(nullptr);
    bar_.SetListener(nullptr);
}

void PaletteBarDocumentLink::SetPalette(const ColorRef* colors) {
    bar_.SetPalette(colors);
}

void PaletteBarDocumentLink::OnActiveColorEdited(int index, ColorRef color) {
    doc_.SetPaletteEntryColorRef(index, color);
}

namespace {

// The pixels of a bank move together with the bar's mode, bank and selections, so undo and
// redo leave the bar showing the bank the pixels are in.
class BankMoveRecord final : public UndoRecord {
  public:
    BankMoveRecord(UndoRecordPtr pixels, const PaletteBarBankState& bar)
        : UndoRecord(pixels->Kind(), pixels->Document()), pixels_(std::move(pixels)), bar_(bar) {}

    UndoRecordPtr Apply() override {
        UndoRecordPtr inverse = pixels_->Apply();
        // The bar may be gone (the window closed before the document); the pixels still return.
        auto* link = dynamic_cast<PaletteBarDocumentLink*>(Document()->GetPaletteBar());
        PaletteBarBankState replaced = bar_;
        if (link) {
            replaced = link->Bar().BankState();
            link->Bar().RestoreBankState(bar_);
        }
        if (!inverse) return nullptr;
        return std::make_unique<BankMoveRecord>(std::move(inverse), replaced);
    }

  private:
    UndoRecordPtr pixels_;
    PaletteBarBankState bar_;
};

}  // namespace

bool PaletteBarDocumentLink::MayChangeBank(int bank) {
    const BankMoveLoss loss = CountBankMoveLoss(doc_.image, bank);
    return !loss.NeedsQuestion() ||
           UiServicesInstance().AskYesNo(BankMoveQuestion(loss, bank)) == UiAnswer::Yes;
}

void PaletteBarDocumentLink::OnBankSelected(int bank, const PaletteBarBankState& before) {
    MoveToSubPalette(doc_, bank, [&before](UndoRecordPtr pixels) -> UndoRecordPtr {
        return std::make_unique<BankMoveRecord>(std::move(pixels), before);
    });
}

void PaletteBarDocumentLink::OnSixteenClicked() {
    bar_.ToggleSixteenMode();
}

void LoadPaletteBarSettings(PaletteBarModel& bar, const Profile& profile) {
    bar.SetBitsPerChannel(
        profile.GetInt(kSectionMain, kKeyPalBpc, PaletteBarModel::kDefaultBitsPerChannel));
}

void SavePaletteBarSettings(const PaletteBarModel& bar, Profile& profile) {
    profile.WriteInt(kSectionMain, kKeyPalBpc, 8 - bar.Shift());
}

}  // namespace vorlin
