#include "export/export_blocks.h"

#include <algorithm>

#include "export/export_names.h"

namespace vorlin {

namespace {

const SizeCodeNames& UnitInfo(int unit) {
    const int code = unit >= 4 ? BLK_SIZE_U32 : unit == 2 ? BLK_SIZE_U16 : BLK_SIZE_U8;
    return *SizeCodeInfo(code);
}

WriteBlock MakeBlock(const ExportJob& job, const DataBlock& data, std::uint32_t flags, int suffix,
                     const char* binSuffix) {
    WriteBlock block;
    block.data = &data;
    block.flags = flags;
    block.suffix = suffix;
    block.binSuffix = binSuffix;
    block.title = job.title;
    block.symbol = job.symbol;
    block.name = job.symbol + ArraySuffixName(suffix);
    block.unit = BlockUnit(flags);
    const std::size_t bytes = data.bytes.size();
    block.items = static_cast<int>((bytes + static_cast<std::size_t>(block.unit) - 1) /
                                   static_cast<std::size_t>(block.unit));
    return block;
}

}  // namespace

std::vector<WriteBlock> BlocksToWrite(const ExportJob& job) {
    std::vector<WriteBlock> blocks;
    if (ExportsPalette(job))
        blocks.push_back(MakeBlock(job, job.palData, job.palFlags, SUFFIX_PAL, ".pal.bin"));
    if (ExportsGraphics(job)) {
        const int suffix = (job.imgFlags & IMG_BITMAP) ? SUFFIX_BITMAP : SUFFIX_TILES;
        blocks.push_back(MakeBlock(job, job.imgData, job.imgFlags, suffix, ".img.bin"));
    }
    if (ExportsMap(job)) {
        blocks.push_back(MakeBlock(job, job.mapData, job.mapFlags, SUFFIX_MAP, ".map.bin"));
        if (HasTileGroups(job))
            blocks.push_back(
                MakeBlock(job, job.metaData, job.mapFlags, SUFFIX_META_MAP, ".meta.bin"));
    }
    return blocks;
}

const char* UnitCType(int unit) {
    return UnitInfo(unit).cType;
}
const char* UnitDirective(int unit) {
    return UnitInfo(unit).asmDirective;
}
int UnitItemsPerLine(int unit) {
    return UnitInfo(unit).itemsPerLine;
}

}  // namespace vorlin
