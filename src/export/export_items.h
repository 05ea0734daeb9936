// Item text shared by the C and assembler writers: a block printed as
// little-endian units, a fixed number a line, with an empty line after every
// eight lines.
#pragma once

#include <string>

#include "export/export_blocks.h"

namespace vorlin {

struct ItemStyle {
    std::string lineStart;  // before the first item of a line, e.g. "\n\t0x"
    std::string between;    // before any other item, e.g. "0x"
    std::string after;      // after every item, e.g. ","
};

// Hex digits of item k (2 x unit upper-case digits, high byte first); bytes
// past the end of the block read as zero.
std::string ItemDigits(const DataBlock& data, int unit, int k);

// Appends every item of the block in the given style.
void AppendItems(std::string& out, const WriteBlock& block, const ItemStyle& style);

}  // namespace vorlin
