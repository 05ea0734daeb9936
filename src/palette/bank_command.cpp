#include "palette/bank_command.h"

#include "document/vorlin_doc.h"

namespace vorlin {

BankArrangement ArrangePaletteBanks(CVorlinDoc& doc, const BankOptions& options) {
    BankArrangement result = ArrangeBanks(doc.image.Surface(), doc.image.Palette(), options);
    if (!ChangesPicture(result)) return result;
    doc.history.Push(doc.MakeSnapshotRecord());
    doc.image.SetColors(0, static_cast<int>(result.palette.size()), result.palette.data());
    doc.image.AttachSurface(std::move(result.pixels));
    doc.backup.CopyFrom(&doc.image);
    doc.RefreshPaletteBar();
    doc.UpdateAllViews(HINT_IMAGE, &doc.image);
    doc.SetModifiedFlag(true);
    return result;
}

}  // namespace vorlin
