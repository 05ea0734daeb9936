// The comment that opens every text output of an export: what was exported,
// the sizes, when, and by which program.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "export/export_blocks.h"

#include "export/export_job.h"

namespace vorlin {

inline constexpr int kSummaryRuleWidth = 72;
inline constexpr char kSummaryTimeFormat[] = "%Y-%m-%d, %H:%M:%S";

// Two lines, each starting with a tab, joined by '\n' (no final line end).
const std::string& ExportBanner();

// The summary comment, every line prefixed with `prefix` ("//" or "@"),
// stamped with `when` (local time), ending in the rule line and an empty line.
std::string SummaryComment(const ExportJob& job, const char* prefix, const std::tm& when);

// The summary of several pictures exported together: the shared palette and
// tiles of `shared`, each picture's size and map, the total of `blocks`.
std::string SetSummaryComment(const ExportJob& shared, const std::vector<const ExportJob*>& pictures,
                              const std::vector<WriteBlock>& blocks, const char* prefix,
                              const std::tm& when);

}  // namespace vorlin
