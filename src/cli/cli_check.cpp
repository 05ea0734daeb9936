// vorlin-cli check: the editor's console check on a picture file, for build
// pipelines that want to stop on art the console cannot show.
#include <iostream>

#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "cli/cli_export_options.h"
#include "cli/cli_export_preview.h"
#include "cli/cli_picture.h"
#include "app/console_check_link.h"

namespace vorlin::cli {

namespace {

constexpr char kCheckInvalid[] = "export settings cannot be used";

struct CheckCommand {
    ExportDialogValues values;
    std::string input;
    bool json = false;
    VramPlacement placement;
    ColorSource quantize;
};

bool ApplyCheckOption(CheckCommand& command, const std::string& option, ArgCursor& args) {
    if (option == "--stats=json") {
        command.json = true;
    } else if (option == "--preset") {
        LoadPreset(command.values, args.Value(option));
    } else {
        return ApplyPlacementOption(command.placement, option, args) ||
               ApplyExportOption(command.values, option, args) ||
               ApplyQuantizeOption(command.quantize, option, args);
    }
    return true;
}

CheckCommand ParseCheck(const Args& raw) {
    CheckCommand command;
    ArgCursor args(raw);
    while (!args.Done()) {
        const std::string& arg = args.Next();
        if (ApplyCheckOption(command, arg, args)) {
        } else if (arg.starts_with("-") && arg != "-") {
            UsageError("unknown option " + arg);
        } else if (command.input.empty()) {
            command.input = arg;
        } else {
            UsageError("more than one PICTURE: " + arg);
        }
    }
    if (command.input.empty()) UsageError("missing PICTURE");
    return command;
}

std::string FiguresJson(const CheckFigures& f) {
    return "{\"graphicsTiles\": " + std::to_string(f.graphicsTiles) +
           ", \"tileLimit\": " + std::to_string(f.tileLimit) +
           ", \"banks\": " + std::to_string(f.banks) +
           ", \"vramBytes\": " + std::to_string(f.vramBytes) +
           ", \"vramAvailable\": " + std::to_string(f.vramAvailable) +
           ", \"brokenTiles\": " + std::to_string(f.brokenTiles) +
           ", \"limitPassed\": " + (f.limitPassed ? "true" : "false") + "}";
}

void PrintJson(const ConsoleCheck& check, const std::vector<BrokenTile>& tiles) {
    std::string out = "{\n  \"figures\": " + FiguresJson(check.Figures()) + ",\n  \"tiles\": [";
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        out += std::string(i ? "," : "") + "\n    {\"x\": " + std::to_string(tiles[i].x) +
               ", \"y\": " + std::to_string(tiles[i].y) + ", \"problems\": [";
        for (std::size_t p = 0; p < tiles[i].problems.size(); ++p)
            out += (p ? ", " : "") + JsonString(tiles[i].problems[p]);
        out += "]}";
    }
    out += tiles.empty() ? "]\n}\n" : "\n  ]\n}\n";
    std::cout << out;
}

void PrintText(const ConsoleCheck& check, const std::vector<BrokenTile>& tiles) {
    for (const BrokenTile& tile : tiles) {
        std::cout << tile.x << ',' << tile.y << ':';
        for (std::size_t p = 0; p < tile.problems.size(); ++p)
            std::cout << (p ? " | " : " ") << tile.problems[p];
        std::cout << '\n';
    }
    std::cout << CheckFiguresText(check.Figures(), check.Rules()) << '\n'
              << "broken tiles: " << check.Figures().brokenTiles << '\n';
}

}  // namespace

int RunCheck(const Args& args) {
    if (ShowHelpIfAsked(args, kCheckHelp)) return kExitOk;
    const CheckCommand command = ParseCheck(args);
    OpenedPicture opened = OpenPicture(command.input, command.quantize);
    const std::optional<CheckRules> rules =
        CheckRulesFor(command.values, opened.picture.get(), command.placement);
    if (!rules) Failed(command.input, kCheckInvalid);
    ConsoleCheck check;
    const PictureRows rows = RowsOf(opened.picture.get());
    check.Reset(*rules, rows);
    const std::vector<BrokenTile> tiles = check.BrokenTiles(rows);
    if (command.json)
        PrintJson(check, tiles);
    else
        PrintText(check, tiles);
    std::cout.flush();
    return tiles.empty() && !check.Figures().limitPassed ? kExitOk : kExitFailed;
}

}  // namespace vorlin::cli
