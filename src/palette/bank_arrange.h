// Arranging a picture's palette in 16-colour banks: every tile's pixels end up with indices of
// one bank, the picture keeps its look (every pixel's colour stays), and colours are copied
// into several banks where that saves banks. Works on a copy; the caller installs the result.
#pragma once

#include <array>
#include <vector>

#include "core/index_surface.h"
#include "core/packed_dib.h"
#include "palette/bank_packing.h"

namespace vorlin {

struct BankOptions {
    int tileWidth = 8, tileHeight = 8;  // pixels: a hardware tile or a tile group
    int maxBanks = kBankCount;          // 1 … 16
    // Index 0 is the transparent entry: it takes no slot, and the first entry of every bank in
    // use holds its colour, so transparent pixels keep their look in any bank.
    bool sharedZero = true;
    std::vector<int> fixedIndices;  // entries that keep their index and colour
    bool acceptPartial = false;     // change the picture even when some tiles cannot fit
    bool firstFit = false;          // the simple baseline instead of the search (comparisons)
};

enum class BankStatus {
    Arranged,       // every tile's indices lie in one bank
    Partial,        // accepted: the misfits and the tiles over the bank limit kept only their colours
    TilesDoNotFit,  // nothing changed
    TooManyBanks,   // nothing changed
    PaletteFull,    // the partial result needs more than 256 entries; nothing changed
    BadFixedIndex,  // a fixed index is a bank's shared transparent entry; nothing changed
};

struct TileMisfit {
    int x = 0, y = 0;         // the tile's top-left pixel
    int colours = 0;          // colours it uses (shared index 0 not counted)
    bool fixedApart = false;  // its fixed colours lie in different banks or crowd their bank
};

struct BankArrangement {
    BankStatus status = BankStatus::Arranged;
    int capacity = kBankSlots;  // colours per bank under the options
    int tiles = 0;              // tiles placed in one bank
    int banks = 0;              // banks holding colours in the result
    int banksNeeded = 0;        // banks the packing asked for
    int bankLimit = kBankCount;  // the options' maxBanks, brought into 1 … 16
    int tilesOverLimit = 0;     // tiles left out because their bank was beyond maxBanks
    int droppedColours = 0;     // unused entries that no longer found a place
    int badIndex = -1;
    std::vector<TileMisfit> misfits;
    std::array<RgbQuad, 256> palette{};
    IndexSurface pixels;  // empty unless the arrangement changes the picture
};

inline bool ChangesPicture(const BankArrangement& result) {
    return result.status == BankStatus::Arranged || result.status == BankStatus::Partial;
}

BankArrangement ArrangeBanks(const IndexSurface& pixels, const RgbQuad* palette,
                             const BankOptions& options);

}  // namespace vorlin
