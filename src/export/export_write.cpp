#include "export/export_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "export/export_blocks.h"
#include "export/export_names.h"
#include "export/export_text_writers.h"
#include "export/gbfs_archive.h"
#include "platform/file_batch.h"

namespace vorlin {

namespace {

// Existing contents of an output that is appended to or merged with; an
// absent file reads as empty (and clears `present`). False (errno set) when it
// cannot be read.
bool ReadExisting(const std::string& path, std::string& out, bool* present = nullptr) {
    out.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (present) *present = file != nullptr;
    if (!file) return errno == ENOENT;
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) out.append(chunk, n);
    const int error = std::ferror(file) ? (errno ? errno : EIO) : 0;
    std::fclose(file);
    errno = error;
    return error == 0;
}

// Collects every output of one export in a batch, so that the files on disk
// change only when all of them could be written.
class OutputWriter {
  public:
    explicit OutputWriter(ExportJob& job) : job_(job) {}

    void Put(const std::string& suffix, std::string_view content, bool append) {
        PutFile(ExportOutputPath(job_, suffix), content, append);
    }

    void PutFile(const std::string& path, std::string_view content, bool append) {
        if (!Ok()) return;
        std::string data;
        if (append && !ReadExisting(path, data)) return Fail(path, std::strerror(errno));
        data.append(content);
        if (!batch_.Stage(path, data)) FailFromBatch();
    }

    void Commit() {
        if (Ok() && !batch_.Commit()) FailFromBatch();
    }

    void Fail(const std::string& path, const std::string& reason) {
        if (!job_.failedFile.empty()) return;  // the first failure is the one to report
        job_.failedFile = path;
        job_.failedReason = reason;
        batch_.Discard();
    }

    bool Ok() const { return job_.failedFile.empty(); }

  private:
    void FailFromBatch() {
        const int error = batch_.FailedError();
        Fail(batch_.FailedPath(), error ? std::strerror(error) : kWriteErrorNotWritten);
    }

    ExportJob& job_;
    FileBatch batch_;
};

bool Appending(const ExportJob& job) {
    return (job.outFlags & OUT_APPEND) != 0;
}

void WriteBinaries(OutputWriter& out, const ExportJob& job, const TextPlan& plan) {
    for (const WriteBlock& block : plan.blocks) {
        if (!WriteBlockHasData(block)) continue;
        const auto& bytes = block.data->bytes;
        out.PutFile(job.folder + '/' + block.title + block.binSuffix,
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                Appending(job));
    }
}

void WriteArchive(OutputWriter& out, const ExportJob& job, const TextPlan& plan) {
    std::vector<GbfsObject> fresh;
    for (const WriteBlock& block : plan.blocks)
        fresh.push_back({GbfsEntryName(block.symbol, ArraySuffixName(block.suffix)),
                         block.data->bytes.data(), block.data->bytes.size()});
    const std::string path = ExportOutputPath(job, ".gbfs");
    std::string old;
    bool present = false;
    if (Appending(job) && !ReadExisting(path, old, &present))
        return out.Fail(path, std::strerror(errno));
    const std::vector<std::uint8_t> existing(old.begin(), old.end());
    // A damaged archive is refused rather than rebuilt, which would drop its objects.
    std::vector<GbfsObject> kept;
    std::string damage;
    if (present && !ReadGbfsDirectory(existing, kept, &damage)) return out.Fail(path, damage);
    const std::vector<std::uint8_t> archive =
        BuildGbfs(fresh, Appending(job) ? &existing : nullptr);
    if (archive.empty()) return out.Fail(path, kWriteErrorArchiveTooLarge);
    out.Put(".gbfs",
            std::string_view(reinterpret_cast<const char*>(archive.data()), archive.size()), false);
}

}  // namespace

std::string ExportOutputPath(const ExportJob& job, const std::string& suffix) {
    return job.folder + '/' + job.title + suffix;
}

namespace {

void WriteOutputs(OutputWriter& out, const ExportJob& job, const TextPlan& plan) {
    const bool append = Appending(job);
    if (job.outFlags & OUT_HEADER) out.Put(".h", HeaderText(plan), append);
    switch (OutKind(job.outFlags)) {
        case OUT_KIND_C:
            out.Put(".c", CSourceText(plan), append);
            break;
        case OUT_KIND_ASM:
            out.Put(".s", AsmSourceText(plan), append);
            break;
        case OUT_KIND_BIN:
            WriteBinaries(out, job, plan);
            break;
        default:
            WriteArchive(out, job, plan);
            break;
    }
}

}  // namespace

int ExportWriteAt(ExportJob* job, const std::tm& localTime,
                  const std::vector<CompanionFile>& companions) {
    if (!job) return 0;
    return ExportWritePlan(job, TextPlanOf(*job, localTime), companions);
}

int ExportWritePlan(ExportJob* job, const TextPlan& plan,
                    const std::vector<CompanionFile>& companions) {
    if (!job) return 0;
    job->failedFile.clear();
    job->failedReason.clear();
    const std::uint32_t kind = OutKind(job->outFlags);
    if (kind >= static_cast<std::uint32_t>(kOutKindCount)) {
        job->failedReason = kWriteErrorUnknownKind;
        return 0;
    }
    OutputWriter out(*job);
    try {
        WriteOutputs(out, *job, plan);
        for (const CompanionFile& file : companions) out.PutFile(file.path, file.content, false);
        out.Commit();
    } catch (const std::bad_alloc&) {
        out.Fail(ExportOutputPath(*job, ""), kWriteErrorOutOfMemory);
    }
    return out.Ok() ? 1 : 0;
}

int ExportWriteWith(ExportJob* job, const std::vector<CompanionFile>& companions) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ExportWriteAt(job, local, companions);
}

int ExportWrite(ExportJob* job) {
    return ExportWriteWith(job, {});
}

}  // namespace vorlin
