#include "app/export_set_transfer.h"

#include "document/picture_file.h"

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

namespace {

std::string Failure(const std::string& where, const std::string& why) {
    return std::string(kExportFailed) + (where.empty() && why.empty() ? "" : "\n" + where + ": " + why);
}

}  // namespace

std::string ExportWithOthers(const ExportDialogValues& values, const std::string& documentPath,
                             PackedDib picture, const std::vector<std::string>& others) {
    if (values.areaMode == AREA_CUSTOM) return Failure("Also export", kAlsoExportNeedsWholePicture);
    std::vector<SetPicture> list{{documentPath, picture}};
    std::vector<DibPtr> read;
    for (const std::string& path : others) {
        PictureRead file = ReadEditorPicture(path);
        if (!file.picture) return Failure(path, file.error);
        read.push_back(std::move(file.picture));
        list.push_back({path, read.back().get()});
    }
    ExportSet set;
    if (!TransferToSet(values, list, set)) return Failure("", "");
    // A refusal names its picture; without a reason memory ran out.
    if (!ExportSetValidate(set) || !ExportSetConvert(set))
        return set.failedReason.empty() ? Failure("", "")
                                        : Failure(list[set.failedPicture].path, set.failedReason);
    if (!ExportSetWrite(set)) return Failure(set.shared->failedFile, set.shared->failedReason);
    return {};
}

}  // namespace vorlin
