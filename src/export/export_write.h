// Writing a converted job to disk. Every output goes to a temporary file
// beside its target and is renamed into place only when complete, so a failed
// export never leaves a half-written file behind.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "export/export_job.h"
#include "export/export_text_writers.h"

namespace vorlin {

// Reasons recorded in ExportJob::failedReason besides the system's error texts.
inline constexpr char kWriteErrorArchiveTooLarge[] = "archive too large for GBFS";
inline constexpr char kWriteErrorUnknownKind[] = "unknown output kind";
inline constexpr char kWriteErrorNotWritten[] = "cannot be written";
inline constexpr char kWriteErrorOutOfMemory[] = "out of memory";

// A file that is no output of the export but belongs to it (the command line's
// preview picture and preset): written in the same batch as the outputs, so it
// appears only when every output was written.
struct CompanionFile {
    std::string path;
    std::string content;
};

// ExportWrite with a given local time for the summaries' time stamps, also
// writing `companions`, all or nothing.
int ExportWriteAt(ExportJob* job, const std::tm& localTime,
                  const std::vector<CompanionFile>& companions = {});
// Writes `plan`'s blocks and summary as the outputs `job` names (its kind,
// folder, title, header and append options), with `companions`, all or nothing.
int ExportWritePlan(ExportJob* job, const TextPlan& plan,
                    const std::vector<CompanionFile>& companions);
// ExportWrite that also writes `companions`, all or nothing.
int ExportWriteWith(ExportJob* job, const std::vector<CompanionFile>& companions);

// folder + "/" + title + suffix, the path of one output.
std::string ExportOutputPath(const ExportJob& job, const std::string& suffix);

}  // namespace vorlin
