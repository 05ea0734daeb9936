// The palette-bank arrangement shared by `banks` and `export --auto-banks`.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/packed_dib.h"
#include "palette/bank_arrange.h"

namespace vorlin::cli {

// The 8-bpp picture arranged in banks as the editor's Arrange in banks does; prints the result
// line on `report`. When the picture cannot be arranged the command ends with status 1 and
// that line.
DibPtr ArrangePictureBanks(PackedDib picture, const BankOptions& options, const std::string& input,
                           std::FILE* report);

// Arranges several pictures in banks together, as one picture stacked from
// them (each starting on a whole bank tile), so banks are shared where the
// tiles allow; their palettes are merged by RGB first. One picture is arranged
// as ArrangePictureBanks does. Ends the command (status 1) when the colours or
// the tiles cannot be arranged, naming the picture or the pictures.
void ArrangeSetBanks(std::vector<DibPtr>& pictures, const BankOptions& options,
                     const std::vector<std::string>& inputs, std::FILE* report);

}  // namespace vorlin::cli
