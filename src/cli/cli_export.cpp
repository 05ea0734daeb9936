#include <algorithm>
#include <filesystem>

#include "cli/cli_banks.h"
#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "cli/cli_export_preview.h"
#include "cli/cli_export_options.h"
#include "cli/cli_picture.h"
#include "export/export_job.h"
#include "export/export_names.h"
#include "export/export_write.h"

namespace vorlin::cli {

namespace {

constexpr char kExportOutputKinds[] = "-o OUTPUT must end in .c, .s, .bin or .gbfs";
constexpr char kExportInvalid[] = "export settings cannot be used";
constexpr char kExportBitmapWithMap[] = "a bitmap cannot be exported with a map";
constexpr char kExportConvertFailed[] = "conversion failed (out of memory?)";
constexpr char kAutoBanksNeedTiles[] = "--auto-banks needs --tiles: a bitmap has no banks";
constexpr int kBppIndex4 = 2;
constexpr char kPresetOverInput[] = "--save-preset would overwrite the INPUT picture";
constexpr char kPresetOverOutput[] = "--save-preset would overwrite an output of this export";

struct ExportCommand {
    ExportDialogValues values;
    std::string input;
    std::string output;
    std::string savePreset;
    bool autoBanks = false;
    PreviewRequest preview;
    QuantizeOptions quantize;
};

ExportCommand ParseExport(const Args& raw) {
    ExportCommand command;
    ArgCursor args(raw);
    while (!args.Done()) {
        const std::string& arg = args.Next();
        if (arg == "-o" || arg == "--output") {
            command.output = args.Value(arg);
        } else if (arg == "--preset") {
            LoadPreset(command.values, args.Value(arg));
        } else if (arg == "--save-preset") {
            command.savePreset = args.Value(arg);
        } else if (arg == "--auto-banks") {
            command.autoBanks = true;
        } else if (ApplyExportOption(command.values, arg, args) ||
                   ApplyPreviewOption(command.preview, arg, args) ||
                   ApplyQuantizeOption(command.quantize, arg, args)) {
        } else if (arg.starts_with("-") && arg != "-") {
            UsageError("unknown option " + arg);
        } else if (command.input.empty()) {
            command.input = arg;
        } else {
            UsageError("more than one INPUT: " + arg);
        }
    }
    if (command.input.empty()) UsageError("missing INPUT");
    if (command.output.empty()) UsageError("missing -o OUTPUT");
    std::string extension = PathExtension(command.output);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (FileKindFromExtension(extension) < 0) UsageError(kExportOutputKinds);
    if (command.autoBanks) {
        if (command.values.imgBitmap) UsageError(kAutoBanksNeedTiles);
        command.values.bppIndex = kBppIndex4;
        command.values.reducePal = true;
    }
    return command;
}

// An --area the picture does not reach is a mistake; one that reaches past the
// picture is exported as the dialog would, with index 0 outside, and said so.
void CheckArea(const ExportDialogValues& values, PackedDib picture) {
    if (values.areaMode != AREA_CUSTOM) return;
    const int width = DibWidth(picture), height = DibHeight(picture);
    const std::string pictureSize = std::to_string(width) + " x " + std::to_string(height);
    if (values.areaLeft >= width || values.areaTop >= height)
        UsageError("--area lies wholly outside the " + pictureSize + " picture");
    if (values.areaLeft + values.areaWidth > width || values.areaTop + values.areaHeight > height)
        PrintWarning("--area reaches past the " + pictureSize +
                     " picture; pixels outside it are exported as index 0");
}

// A bare file name is meant in the current folder, not beside the input.
std::string WithFolder(const std::string& path) {
    return path.find('/') == std::string::npos ? "./" + path : path;
}

// Tiles of the export's tile group, so each group keeps one bank.
BankOptions ExportBankOptions(const ExportDialogValues& values) {
    const TileGroupSize group = DialogTileGroup(values);
    BankOptions options;
    options.tileWidth = 8 * std::max(1, group.width);
    options.tileHeight = 8 * std::max(1, group.height);
    return options;
}

// Two names of one file, whether it exists yet or not.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    const fs::path first = fs::weakly_canonical(fs::absolute(a), ec);
    if (ec) return false;
    const fs::path second = fs::weakly_canonical(fs::absolute(b), ec);
    return !ec && first == second;
}

// Every output of an export is folder/title + a suffix that ends in ".h" or an
// output kind's extension (".c", ".pal.bin", ...).
bool NamesAnOutput(const std::string& path, const ExportDialogValues& values) {
    const std::filesystem::path file(path);
    const std::string extension = PathExtension(path);
    if (!file.filename().string().starts_with(values.title + ".")) return false;
    if (extension != "h" && FileKindFromExtension(extension) < 0) return false;
    return SameFile(file.has_parent_path() ? file.parent_path() : ".", values.folder);
}

// The preset is the last thing written; it must not take the place of anything
// this command reads or writes.
void CheckPresetTarget(const ExportCommand& command) {
    if (SameFile(command.savePreset, command.input)) UsageError(kPresetOverInput);
    if (NamesAnOutput(command.savePreset, command.values)) UsageError(kPresetOverOutput);
}

void RunJob(ExportJob& job, const std::string& output, const PreviewRequest& preview) {
    if (!ExportValidate(&job)) {
        const bool bitmapMap = (job.imgFlags & IMG_BITMAP) && ExportsMap(job);
        Failed(output, bitmapMap ? kExportBitmapWithMap : kExportInvalid);
    }
    if (!ExportConvert(&job)) Failed(output, kExportConvertFailed);
    if (PreviewWanted(preview)) RunPreview(job, preview, output);
    if (!ExportWrite(&job))
        Failed(job.failedFile.empty() ? output : job.failedFile, job.failedReason);
}

}  // namespace

int RunExport(const Args& args) {
    if (ShowHelpIfAsked(args, kExportHelp)) return kExitOk;
    ExportCommand command = ParseExport(args);
    SetOutputPath(command.values, WithFolder(command.output));
    if (!command.savePreset.empty()) CheckPresetTarget(command);
    OpenedPicture opened = OpenPicture(command.input, command.quantize);
    CheckArea(command.values, opened.picture.get());
    if (command.autoBanks)
        opened.picture = ArrangePictureBanks(opened.picture.get(),
                                             ExportBankOptions(command.values), command.input);
    ExportJobPtr job(ExportJobNew());
    if (!job || !TransferToJob(command.values, command.input, opened.picture.get(), *job))
        Failed(command.output, kExportConvertFailed);
    RunJob(*job, command.output, command.preview);
    // Only settings that produced an export are worth keeping.
    if (!command.savePreset.empty()) SavePreset(command.values, command.savePreset);
    return kExitOk;
}

}  // namespace vorlin::cli
