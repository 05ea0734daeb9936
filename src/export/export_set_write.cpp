// Writing several pictures as one export: the shared palette and graphics under
// the output's names, then each picture's map under its own.
#include <ctime>

#include "export/export_blocks.h"
#include "export/export_names.h"
#include "export/export_set.h"
#include "export/export_summary.h"

namespace vorlin {

namespace {

bool IsShared(const WriteBlock& block) {
    return block.suffix == SUFFIX_PAL || block.suffix == SUFFIX_TILES ||
           block.suffix == SUFFIX_BITMAP;
}

}  // namespace

int ExportSetWriteAt(ExportSet& set, const std::tm& localTime,
                     const std::vector<CompanionFile>& companions) {
    if (!set.shared || set.pictures.empty()) return 0;
    ExportJob& shared = *set.shared;
    if (set.pictures.size() == 1) {
        ExportJob& only = *set.pictures[0];
        const int ok = ExportWriteAt(&only, localTime, companions);
        shared.failedFile = only.failedFile;
        shared.failedReason = only.failedReason;
        return ok;
    }
    std::vector<WriteBlock> blocks;
    for (WriteBlock& block : BlocksToWrite(shared))
        if (IsShared(block)) blocks.push_back(std::move(block));
    std::vector<const ExportJob*> pictures;
    for (const ExportJobPtr& picture : set.pictures) {
        pictures.push_back(picture.get());
        for (WriteBlock& block : BlocksToWrite(*picture))
            if (!IsShared(block)) blocks.push_back(std::move(block));
    }
    TextPlan plan{shared.symbol, blocks, [&](const char* prefix) {
                      return SetSummaryComment(shared, pictures, blocks, prefix, localTime);
                  }};
    return ExportWritePlan(&shared, plan, companions);
}

int ExportSetWrite(ExportSet& set, const std::vector<CompanionFile>& companions) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ExportSetWriteAt(set, local, companions);
}

}  // namespace vorlin
