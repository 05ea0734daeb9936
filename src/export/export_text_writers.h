// The text outputs of an export, built in memory so that they can be written
// in one piece: C source, GNU assembler source and the C header.
#pragma once

#include <ctime>
#include <string>

#include "export/export_job.h"

namespace vorlin {

std::string CSourceText(const ExportJob& job, const std::tm& when);
std::string AsmSourceText(const ExportJob& job, const std::tm& when);
std::string HeaderText(const ExportJob& job, const std::tm& when);

// Include guard of the header: "__" + upper-case symbol + "_H__". The "_H"
// keeps it clear of macros compilers predefine (__PIC__, __VERSION__, ...).
std::string HeaderGuard(const std::string& symbol);

}  // namespace vorlin
