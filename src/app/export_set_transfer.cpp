#include "app/export_set_transfer.h"

namespace vorlin {

namespace {

ExportJobPtr JobFor(const ExportDialogValues& values, const SetPicture& picture) {
    ExportJobPtr job(ExportJobNew());
    if (job && !TransferToJob(values, picture.path, picture.picture, *job)) job.reset();
    return job;
}

}  // namespace

bool TransferToSet(const ExportDialogValues& values, const std::vector<SetPicture>& pictures,
                   ExportSet& set) {
    set.pictures.clear();
    if (pictures.empty()) return false;
    set.shared = JobFor(values, pictures[0]);
    if (!set.shared) return false;
    for (const SetPicture& picture : pictures) {
        set.pictures.push_back(JobFor(values, picture));
        if (!set.pictures.back()) return false;
    }
    return true;
}

}  // namespace vorlin
