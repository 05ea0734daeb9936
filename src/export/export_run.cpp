#include "export/export_job.h"

namespace vorlin {

int ExportRun(ExportJob* job) {
    if (!ExportValidate(job)) return 0;
    if (!ExportConvert(job)) return 0;
    if (job->outFlags & OUT_CONVERT_ONLY) return 1;
    return ExportWrite(job);
}

}  // namespace vorlin
