// The palette-bank arrangement shared by `banks` and `export --auto-banks`.
#pragma once

#include <cstdio>
#include <string>

#include "core/packed_dib.h"
#include "palette/bank_arrange.h"

namespace vorlin::cli {

// The 8-bpp picture arranged in banks as the editor's Arrange in banks does; prints the result
// line on `report`. When the picture cannot be arranged the command ends with status 1 and
// that line.
DibPtr ArrangePictureBanks(PackedDib picture, const BankOptions& options, const std::string& input,
                           std::FILE* report);

}  // namespace vorlin::cli
