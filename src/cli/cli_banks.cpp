// banks: Palette > Arrange in banks without a window.
#include "cli/cli_banks.h"

#include <cstdio>

#include "app/bank_dialog.h"
#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "cli/cli_picture.h"
#include "document/vorlin_doc.h"
#include "palette/bank_command.h"

namespace vorlin::cli {

namespace {

struct BanksCommand {
    std::string input, output;
    BankDialogValues values;
};

BanksCommand ParseBanks(const Args& raw) {
    BanksCommand c;
    std::vector<std::string> files;
    ArgCursor args(raw);
    while (!args.Done()) {
        const std::string& arg = args.Next();
        if (arg == "--max-banks") {
            c.values.maxBanks = ParseInt(args.Value(arg), arg, 1, kBankCount);
        } else if (arg == "--shared-zero" || arg == "--no-shared-zero") {
            c.values.sharedZero = arg == "--shared-zero";
        } else if (arg == "--tile") {
            const SizePair size = ParseSize(args.Value(arg), arg, 8, kMaxBankTileSide);
            c.values.tileWidth = size.width;
            c.values.tileHeight = size.height;
        } else if (arg == "--fixed") {
            c.values.fixedEntries = args.Value(arg);
        } else if (arg == "--partial") {
            c.values.acceptPartial = true;
        } else if (arg.starts_with("-") && arg != "-") {
            UsageError("unknown option " + arg);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) UsageError("expected INPUT OUTPUT");
    c.input = files[0];
    c.output = files[1];
    return c;
}

}  // namespace

DibPtr ArrangePictureBanks(PackedDib picture, const BankOptions& options, const std::string& input,
                           std::FILE* report) {
    CVorlinDoc doc;
    if (!doc.GetImage().SetFromDib(picture)) Failed(input, "cannot be used");
    const BankArrangement result = ArrangePaletteBanks(doc, options);
    const std::string line = BankResultLine(result);
    if (!ChangesPicture(result)) Failed(input, line);
    DibPtr arranged(doc.GetImage().ToDib(8, 0));
    if (!arranged) Failed(input, "out of memory");
    std::fprintf(report, "%s\n", line.c_str());
    return arranged;
}

int RunBanks(const Args& args) {
    if (ShowHelpIfAsked(args, kBanksHelp)) return kExitOk;
    const BanksCommand c = ParseBanks(args);
    BankOptions options;
    const std::string refusal = BankOptionsFromValues(c.values, options);
    if (!refusal.empty()) UsageError(refusal);
    const OpenedPicture opened = OpenPicture(c.input);
    DibPtr arranged = ArrangePictureBanks(opened.picture.get(), options, c.input, stdout);
    SavePicture(std::move(arranged), c.output, SaveOptions{});
    return kExitOk;
}

}  // namespace vorlin::cli
