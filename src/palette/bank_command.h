// Palette > Arrange in banks on the document: the arrangement replaces palette and pixels as
// one undo step, or leaves everything as it was when it does not change the picture.
#pragma once

#include "palette/bank_arrange.h"

namespace vorlin {

class CVorlinDoc;

// The result says what happened; its pixels have been moved into the document.
BankArrangement ArrangePaletteBanks(CVorlinDoc& doc, const BankOptions& options);

}  // namespace vorlin
