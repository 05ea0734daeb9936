#include "export/export_job.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace vorlin {

void DataBlockClear(DataBlock& block) {
    block.elementSize = 0;
    block.count = 0;
    std::vector<std::uint8_t>().swap(block.bytes);
    block.compression = BLK_CPRS_NONE;
}

void DataBlockAssign(DataBlock& block, int elementSize, std::vector<std::uint8_t> data) {
    block.elementSize = elementSize;
    block.count = elementSize > 0 ? static_cast<int>(data.size()) / elementSize : 0;
    block.bytes = std::move(data);
    block.compression = BLK_CPRS_NONE;
}

ExportJob* ExportJobNew() {
    return new (std::nothrow) ExportJob{};
}

void ExportJobFree(ExportJob* job) {
    if (!job) return;
    *job = ExportJob{};  // releases every owned member before the record goes
    delete job;
}

bool ExportsPalette(const ExportJob& job) {
    return BlockExported(job.palFlags);
}
bool ExportsGraphics(const ExportJob& job) {
    return BlockExported(job.imgFlags);
}
bool ExportsMap(const ExportJob& job) {
    return BlockExported(job.mapFlags);
}

bool HasTileGroups(const ExportJob& job) {
    return static_cast<std::int64_t>(job.metaWidth) * job.metaHeight > 1;
}

int ExportPaletteEntries(const ExportJob& job) {
    std::int64_t n = static_cast<std::int64_t>(job.palEnd) - job.palStart;
    if (job.image) n = std::min<std::int64_t>(n, DibColorCount(job.image.get()));
    return n > 0 ? static_cast<int>(n) : 0;
}

int ExportAreaTiles(const ExportJob& job) {
    const std::int64_t tiles = (static_cast<std::int64_t>(job.right) - job.left) / 8 *
                               ((static_cast<std::int64_t>(job.bottom) - job.top) / 8);
    return tiles > 0 && tiles <= INT32_MAX ? static_cast<int>(tiles) : 0;
}

namespace {
int MapExtent(std::int64_t pixels, std::int32_t group) {
    if (group < 1) group = 1;
    return static_cast<int>(pixels / group / 8);
}
}  // namespace

int ExportMapColumns(const ExportJob& job) {
    return MapExtent(static_cast<std::int64_t>(job.right) - job.left, job.metaWidth);
}

int ExportMapRows(const ExportJob& job) {
    return MapExtent(static_cast<std::int64_t>(job.bottom) - job.top, job.metaHeight);
}

}  // namespace vorlin
