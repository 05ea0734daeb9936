// The text outputs of an export, built in memory so that they can be written
// in one piece: C source, GNU assembler source and the C header.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "export/export_blocks.h"
#include "export/export_job.h"

namespace vorlin {

// What a text output holds: the blocks in order, the summary comment for a
// given comment prefix, and the symbol that names the header guard.
struct TextPlan {
    std::string symbol;
    std::vector<WriteBlock> blocks;
    std::function<std::string(const char* prefix)> summary;
};

// The plan of one picture's export: BlocksToWrite and SummaryComment.
TextPlan TextPlanOf(const ExportJob& job, const std::tm& when);

std::string CSourceText(const TextPlan& plan);
std::string AsmSourceText(const TextPlan& plan);
std::string HeaderText(const TextPlan& plan);

inline std::string CSourceText(const ExportJob& job, const std::tm& when) {
    return CSourceText(TextPlanOf(job, when));
}
inline std::string AsmSourceText(const ExportJob& job, const std::tm& when) {
    return AsmSourceText(TextPlanOf(job, when));
}
inline std::string HeaderText(const ExportJob& job, const std::tm& when) {
    return HeaderText(TextPlanOf(job, when));
}

// Include guard of the header: "__" + upper-case symbol + "_H__". The "_H"
// keeps it clear of macros compilers predefine (__PIC__, __VERSION__, ...).
std::string HeaderGuard(const std::string& symbol);

}  // namespace vorlin
