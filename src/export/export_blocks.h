// The blocks a job writes, in the order every writer handles them, with the
// names and print units the writers share.
#pragma once

#include <string>
#include <vector>

#include "export/export_job.h"

namespace vorlin {

struct WriteBlock {
    const DataBlock* data = nullptr;
    std::uint32_t flags = 0;     // the block's own flag word (the meta-map uses the map's)
    int suffix = 0;              // ArraySuffix
    const char* binSuffix = "";  // ".pal.bin", ...
    std::string title;           // file title of a binary output (title + binSuffix)
    std::string symbol;          // the name's stem, also a GBFS object's
    std::string name;            // symbol + suffix
    int unit = 1;                // print unit in bytes: 1, 2 or 4
    int items = 0;               // ceil(byte size / unit)
};

inline bool WriteBlockHasData(const WriteBlock& block) {
    return block.data && !block.data->bytes.empty();
}

// Palette, graphics, map and meta-map, each when the job exports it.
std::vector<WriteBlock> BlocksToWrite(const ExportJob& job);

// C type and assembler directive of a print unit.
const char* UnitCType(int unit);
const char* UnitDirective(int unit);
int UnitItemsPerLine(int unit);

}  // namespace vorlin
