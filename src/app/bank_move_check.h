// Picking another bank in sixteen-colour mode moves every pixel into it (index i becomes
// 16·bank + i mod 16). For a picture drawn in one bank that is the point; a picture whose
// pixels lie in several banks loses colours, so the palette bar asks first.
#pragma once

#include <cstdint>
#include <string>

namespace vorlin {

class CIndexImage;

struct BankMoveLoss {
    int banksUsed = 0;          // banks holding at least one pixel
    std::uint64_t changed = 0;  // pixels whose colour the move changes
    // One bank, or no colour changes: the move goes ahead as always.
    bool NeedsQuestion() const { return banksUsed > 1 && changed > 0; }
};

BankMoveLoss CountBankMoveLoss(const CIndexImage& image, int bank);

// The Yes/No question shown before a move that NeedsQuestion().
std::string BankMoveQuestion(const BankMoveLoss& loss, int bank);

}  // namespace vorlin
