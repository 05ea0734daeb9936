// Palette > Arrange in banks: the dialog's values, how they become the engine's options, the
// one result line the dialog and vorlin-cli show, and Apply.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "palette/bank_arrange.h"

namespace vorlin {

class CVorlinDoc;

inline constexpr int kMaxBankTileSide = 256;
inline constexpr const char* kBankTileSizeMessage =
    "The tile width and height must be multiples of 8 from 8 to 256.";
inline constexpr const char* kBankFixedListMessage =
    "Fixed entries: give indices 0 to 255 and ranges such as 1-3, separated by commas.";

struct BankDialogValues {
    int tileWidth = 8, tileHeight = 8;  // pixels
    int maxBanks = kBankCount;
    bool sharedZero = true;
    std::string fixedEntries;  // "1-3, 200"
    bool acceptPartial = false;
};

// Indices and ranges separated by commas ("1-3, 200"); blanks allowed, empty text is no index.
// False for anything else.
bool ParseIndexList(std::string_view text, std::vector<int>& indices);
// Whether a tile side in pixels is one the arrangement accepts.
bool IsBankTileSide(int side);
// The engine's options; empty on success, else the refusal to show.
std::string BankOptionsFromValues(const BankDialogValues& values, BankOptions& options);

// "37 tiles in 5 banks; 2 tiles need more than 15 colours: (8,16), (40,0)" and the like;
// it ends in "nothing changed" when the picture stayed as it was.
std::string BankResultLine(const BankArrangement& result);

// Checks the values and arranges the document (one undo step); the line to show.
std::string ApplyBankDialog(CVorlinDoc& doc, const BankDialogValues& values);

}  // namespace vorlin
