#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/cli_banks.h"
#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "cli/cli_export_preview.h"
#include "cli/cli_export_options.h"
#include "cli/cli_export_targets.h"
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

struct ExportCommand {
    ExportDialogValues values;
    std::string input;
    std::string output;
    std::vector<std::string> presetsRead;
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
            command.presetsRead.push_back(args.Value(arg));
            LoadPreset(command.values, command.presetsRead.back());
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

// The preview picture and the preset go in the outputs' batch: all or nothing.
void RunJob(ExportJob& job, const ExportCommand& command) {
    if (!ExportValidate(&job)) {
        const bool bitmapMap = (job.imgFlags & IMG_BITMAP) && ExportsMap(job);
        Failed(command.output, bitmapMap ? kExportBitmapWithMap : kExportInvalid);
    }
    if (!ExportConvert(&job)) Failed(command.output, kExportConvertFailed);
    std::vector<CompanionFile> companions;
    if (PreviewWanted(command.preview)) {
        std::string picture = RunPreview(job, command.preview, command.output);
        if (!command.preview.pictureFile.empty())
            companions.push_back({command.preview.pictureFile, std::move(picture)});
    }
    // Only settings that produced an export are worth keeping.
    if (!command.savePreset.empty())
        companions.push_back({command.savePreset, PresetText(command.values)});
    if (!ExportWriteWith(&job, companions))
        Failed(job.failedFile.empty() ? command.output : job.failedFile, job.failedReason);
}

}  // namespace

int RunExport(const Args& args) {
    if (ShowHelpIfAsked(args, kExportHelp)) return kExitOk;
    ExportCommand command = ParseExport(args);
    SetOutputPath(command.values, WithFolder(command.output));
    CheckExtraTargets({command.input, command.presetsRead, command.preview.pictureFile,
                       command.savePreset},
                      command.values);
    OpenedPicture opened = OpenPicture(command.input, command.quantize);
    CheckArea(command.values, opened.picture.get());
    // With --stats=json, stdout carries the JSON document and nothing else.
    if (command.autoBanks)
        opened.picture =
            ArrangePictureBanks(opened.picture.get(), ExportBankOptions(command.values),
                                command.input, command.preview.json ? stderr : stdout);
    ExportJobPtr job(ExportJobNew());
    if (!job || !TransferToJob(command.values, command.input, opened.picture.get(), *job))
        Failed(command.output, kExportConvertFailed);
    RunJob(*job, command);
    return kExitOk;
}

}  // namespace vorlin::cli
