// banks: Palette > Arrange in banks without a window.
#include "cli/cli_banks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/bank_dialog.h"
#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "cli/cli_picture.h"
#include "document/vorlin_doc.h"
#include "export/palette_merge.h"
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

namespace {

void MergeSetPalettes(std::vector<DibPtr>& pictures, const std::vector<std::string>& inputs) {
    std::vector<PackedDib> images;
    for (const DibPtr& picture : pictures) images.push_back(picture.get());
    const PaletteMerge merge = MergePalettes(images, 0, kMergePaletteEntries);
    if (!merge.ok) Failed(inputs[merge.failedPicture], merge.reason);
    for (std::size_t p = 0; p < pictures.size(); ++p) {
        pictures[p] = RemappedPicture(images[p], merge.remap[p], merge.palette);
        if (!pictures[p]) Failed(inputs[p], "out of memory");
    }
}

int RoundUp(int value, int step) {
    return (value + step - 1) / step * step;
}

// The pictures one below the other, each from a multiple of the tile height;
// tops[p] is where picture p starts. Pixels between them are index 0.
DibPtr Stacked(const std::vector<DibPtr>& pictures, const BankOptions& options,
               std::vector<int>& tops) {
    int width = 0, height = 0;
    for (const DibPtr& picture : pictures) {
        tops.push_back(height);
        width = std::max(width, RoundUp(DibWidth(picture.get()), options.tileWidth));
        height += RoundUp(DibHeight(picture.get()), options.tileHeight);
    }
    DibPtr stack(DibCreate(width, height, 8, nullptr, 1));
    if (!stack) return nullptr;
    std::memset(DibPixels(stack.get()), 0, DibHeader(stack.get())->biSizeImage);
    std::memcpy(DibColors(stack.get()), DibColors(pictures[0].get()),
                sizeof(RgbQuad) * static_cast<std::size_t>(DibColorCount(pictures[0].get())));
    for (std::size_t p = 0; p < pictures.size(); ++p)
        for (int y = 0; y < DibHeight(pictures[p].get()); ++y)
            std::memcpy(DibPictureRow(stack.get(), tops[p] + y), DibPictureRow(pictures[p].get(), y),
                        static_cast<std::size_t>(DibWidth(pictures[p].get())));
    return stack;
}

std::string Joined(const std::vector<std::string>& inputs) {
    std::string text;
    for (const std::string& input : inputs) text += (text.empty() ? "" : ", ") + input;
    return text;
}

}  // namespace

void ArrangeSetBanks(std::vector<DibPtr>& pictures, const BankOptions& options,
                     const std::vector<std::string>& inputs, std::FILE* report) {
    if (pictures.size() == 1) {
        pictures[0] = ArrangePictureBanks(pictures[0].get(), options, inputs[0], report);
        return;
    }
    MergeSetPalettes(pictures, inputs);
    std::vector<int> tops;
    DibPtr stack = Stacked(pictures, options, tops);
    if (!stack) Failed(Joined(inputs), "the pictures are too large to arrange together");
    const DibPtr arranged = ArrangePictureBanks(stack.get(), options, Joined(inputs), report);
    for (std::size_t p = 0; p < pictures.size(); ++p) {
        PackedDib picture = pictures[p].get();
        pictures[p].reset(DibCrop(arranged.get(), 0, tops[p], DibWidth(picture),
                                  tops[p] + DibHeight(picture), 0));
        if (!pictures[p]) Failed(inputs[p], "out of memory");
    }
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
