#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/export_set_transfer.h"
#include "cli/cli_banks.h"
#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "cli/cli_export_preview.h"
#include "cli/cli_export_options.h"
#include "cli/cli_export_targets.h"
#include "cli/cli_picture.h"
#include "export/export_job.h"
#include "export/export_names.h"
#include "export/export_set.h"
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
    std::vector<std::string> inputs;
    std::string output;
    std::vector<std::string> presetsRead;
    std::string savePreset;
    bool autoBanks = false;
    PreviewRequest preview;
    ColorSource quantize;
};

// Each picture's map takes its file title, so two pictures must not share one
// (nor an identifier); an area means a part of one picture.
void CheckSeveral(const ExportCommand& command) {
    if (command.values.areaMode == AREA_CUSTOM)
        UsageError("--area applies to one picture; it cannot be used with several INPUTs");
    std::vector<std::string> symbols;
    for (const std::string& input : command.inputs) {
        std::string symbol = PathFileTitle(input);
        SanitizeIdentifier(symbol, symbol.size());
        for (std::size_t i = 0; i < symbols.size(); ++i)
            if (symbols[i] == symbol || PathFileTitle(command.inputs[i]) == PathFileTitle(input))
                UsageError("two INPUTs have the title " + PathFileTitle(input) + ": " +
                           command.inputs[i] + " and " + input);
        symbols.push_back(symbol);
    }
}

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
        } else {
            command.inputs.push_back(arg);
        }
    }
    if (command.inputs.empty()) UsageError("missing INPUT");
    if (command.output.empty()) UsageError("missing -o OUTPUT");
    std::string extension = PathExtension(command.output);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (FileKindFromExtension(extension) < 0) UsageError(kExportOutputKinds);
    if (command.autoBanks) {
        if (command.values.imgBitmap) UsageError(kAutoBanksNeedTiles);
        command.values.bppIndex = kBppIndex4;
        command.values.reducePal = true;
    }
    if (command.inputs.size() > 1) CheckSeveral(command);
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

void ValidateAndConvert(ExportSet& set, const ExportCommand& command) {
    if (!ExportSetValidate(set)) {
        if (!set.failedReason.empty() && set.pictures.size() > 1)
            Failed(command.inputs[set.failedPicture], set.failedReason);
        const ExportJob& job = *set.shared;
        const bool bitmapMap = (job.imgFlags & IMG_BITMAP) && ExportsMap(job);
        Failed(command.output, bitmapMap ? kExportBitmapWithMap : kExportInvalid);
    }
    if (!ExportSetConvert(set)) {
        if (!set.failedReason.empty()) Failed(command.inputs[set.failedPicture], set.failedReason);
        Failed(command.output, kExportConvertFailed);
    }
}

// The preview pictures and the preset go in the outputs' batch: all or nothing.
void RunSet(ExportSet& set, const ExportCommand& command, const std::vector<std::string>& previews) {
    ValidateAndConvert(set, command);
    std::vector<CompanionFile> companions;
    if (PreviewWanted(command.preview)) {
        std::vector<std::string> pictures =
            set.pictures.size() == 1
                ? std::vector<std::string>{RunPreview(*set.pictures[0], command.preview,
                                                      command.output)}
                : RunSetPreview(set, command.inputs, command.preview, command.output);
        for (std::size_t p = 0; p < previews.size(); ++p)
            companions.push_back({previews[p], std::move(pictures[p])});
    }
    // Only settings that produced an export are worth keeping.
    if (!command.savePreset.empty())
        companions.push_back({command.savePreset, PresetText(command.values)});
    if (!ExportSetWrite(set, companions)) {
        const ExportJob& job = *set.shared;
        Failed(job.failedFile.empty() ? command.output : job.failedFile, job.failedReason);
    }
}

// One picture: --preview names the file. Several: it names a folder that gets
// TITLE.png for each picture.
std::vector<std::string> PreviewFiles(const ExportCommand& command) {
    const std::string& given = command.preview.pictureFile;
    if (given.empty()) return {};
    if (command.inputs.size() == 1) return {given};
    std::string folder = given;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    std::vector<std::string> files;
    for (const std::string& input : command.inputs)
        files.push_back(folder + '/' + PathFileTitle(input) + ".png");
    return files;
}

std::vector<std::string> MapTitles(const ExportCommand& command) {
    std::vector<std::string> titles;
    if (command.inputs.size() > 1)
        for (const std::string& input : command.inputs) titles.push_back(PathFileTitle(input));
    return titles;
}

}  // namespace

int RunExport(const Args& args) {
    if (ShowHelpIfAsked(args, kExportHelp)) return kExitOk;
    ExportCommand command = ParseExport(args);
    SetOutputPath(command.values, WithFolder(command.output));
    const std::vector<std::string> previews = PreviewFiles(command);
    CheckExtraTargets({command.inputs, command.presetsRead, previews, command.savePreset,
                       MapTitles(command)},
                      command.values);
    std::vector<DibPtr> pictures;
    for (const std::string& input : command.inputs)
        pictures.push_back(std::move(OpenPicture(input, command.quantize).picture));
    if (pictures.size() == 1) CheckArea(command.values, pictures[0].get());
    // With --stats=json, stdout carries the JSON document and nothing else.
    if (command.autoBanks)
        ArrangeSetBanks(pictures, ExportBankOptions(command.values), command.inputs,
                        command.preview.json ? stderr : stdout);
    std::vector<SetPicture> list;
    for (std::size_t p = 0; p < pictures.size(); ++p)
        list.push_back({command.inputs[p], pictures[p].get()});
    ExportSet set;
    if (!TransferToSet(command.values, list, set)) Failed(command.output, kExportConvertFailed);
    // The jobs hold their own copies: freed now, these blocks take the conversion's working copies.
    list.clear();
    pictures.clear();
    RunSet(set, command, previews);
    return kExitOk;
}

}  // namespace vorlin::cli
