// Writing a converted job to disk. Every output goes to a temporary file
// beside its target and is renamed into place only when complete, so a failed
// export never leaves a half-written file behind.
#pragma once

#include <ctime>
#include <string>

#include "export/export_job.h"

namespace vorlin {

// Reasons recorded in ExportJob::failedReason besides the system's error texts.
inline constexpr char kWriteErrorArchiveTooLarge[] = "archive too large for GBFS";
inline constexpr char kWriteErrorUnknownKind[] = "unknown output kind";
inline constexpr char kWriteErrorNotWritten[] = "cannot be written";
inline constexpr char kWriteErrorOutOfMemory[] = "out of memory";

// ExportWrite with a given local time for the summaries' time stamps.
int ExportWriteAt(ExportJob* job, const std::tm& localTime);

// folder + "/" + title + suffix, the path of one output.
std::string ExportOutputPath(const ExportJob& job, const std::string& suffix);

}  // namespace vorlin
