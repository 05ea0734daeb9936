// convert, reduce and info: the editor's picture commands without a window.
#include <cstdio>
#include <cstring>
#include <set>

#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "cli/cli_picture.h"
#include "document/image_operations.h"
#include "document/vorlin_doc.h"
#include "export/reduce_tiles.h"

namespace vorlin::cli {

namespace {

constexpr int kTileSide = 8;
constexpr int kSaveDepths[] = {4, 8, 24};

struct PictureCommand {
    std::vector<std::string> files;
    SaveOptions save;
    ColorSource quantize;
    bool flip = false, pal = false;
    int metaWidth = 1, metaHeight = 1;
};

// Parses the positional files and the options `allowed` lists.
PictureCommand ParsePictureCommand(const Args& raw, std::size_t fileCount, const char* usage,
                                   const std::set<std::string>& allowed) {
    PictureCommand c;
    ArgCursor args(raw);
    while (!args.Done()) {
        const std::string& arg = args.Next();
        const bool option = arg.starts_with("-") && arg != "-";
        // The colour options go with every command that reads a picture.
        if (!option)
            c.files.push_back(arg);
        else if (ApplyQuantizeOption(c.quantize, arg, args))
            continue;
        else if (!allowed.count(arg))
            UsageError("unknown option " + arg);
        else if (arg == "--bpp")
            c.save.depth = kSaveDepths[ParseChoice(args.Value(arg), arg, {"4", "8", "24"})];
        else if (arg == "--sub-palette")
            c.save.subPalette = ParseInt(args.Value(arg), arg, 0, 15);
        else if (arg == "--transparent")
            c.save.transparent = true;
        else if (arg == "--flip")
            c.flip = true;
        else if (arg == "--pal")
            c.pal = true;
        else if (arg == "--meta") {
            const SizePair size = ParseSize(args.Value(arg), arg, 1, 256);
            c.metaWidth = size.width;
            c.metaHeight = size.height;
        }
    }
    if (c.files.size() != fileCount) UsageError(std::string("expected ") + usage);
    return c;
}

// The picture's 8 x 8 tiles in row order, padded with index 0 to whole tiles.
std::vector<std::uint8_t> PictureTiles(PackedDib picture, std::size_t& count) {
    const int width = DibWidth(picture), height = DibHeight(picture);
    const int columns = (width + kTileSide - 1) / kTileSide;
    const int rows = (height + kTileSide - 1) / kTileSide;
    count = static_cast<std::size_t>(columns) * rows;
    std::vector<std::uint8_t> tiles(count * kTileSide * kTileSide, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = DibPictureRow(picture, y);
        for (int x = 0; x < width; ++x) {
            const std::size_t tile =
                static_cast<std::size_t>(y / kTileSide) * columns + x / kTileSide;
            tiles[tile * 64 + (y % kTileSide) * kTileSide + x % kTileSide] = row[x];
        }
    }
    return tiles;
}

}  // namespace

int RunConvert(const Args& args) {
    if (ShowHelpIfAsked(args, kConvertHelp)) return kExitOk;
    const PictureCommand c =
        ParsePictureCommand(args, 2, "INPUT OUTPUT", {"--bpp", "--sub-palette", "--transparent"});
    OpenedPicture opened = OpenPicture(c.files[0], c.quantize);
    SavePicture(std::move(opened.picture), c.files[1], c.save);
    return kExitOk;
}

int RunReduce(const Args& args) {
    if (ShowHelpIfAsked(args, kReduceHelp)) return kExitOk;
    const PictureCommand c =
        ParsePictureCommand(args, 2, "INPUT OUTPUT", {"--flip", "--pal", "--meta"});
    const OpenedPicture opened = OpenPicture(c.files[0], c.quantize);
    CVorlinDoc doc;
    if (!doc.GetImage().SetFromDib(opened.picture.get())) Failed(c.files[0], "cannot be used");
    const OperationResult reduced = ReduceImageTiles(doc, c.pal, c.flip, c.metaWidth, c.metaHeight);
    if (!reduced) Failed(c.files[0], reduced.message);
    DibPtr picture(doc.GetImage().ToDib(8, 0));
    if (!picture) Failed(c.files[1], "out of memory");
    SavePicture(std::move(picture), c.files[1], SaveOptions{});
    return kExitOk;
}

int RunInfo(const Args& args) {
    if (ShowHelpIfAsked(args, kInfoHelp)) return kExitOk;
    const PictureCommand c = ParsePictureCommand(args, 1, "INPUT", {});
    const OpenedPicture opened = OpenPicture(c.files[0], c.quantize);
    PackedDib picture = opened.picture.get();
    bool used[256] = {};
    for (int y = 0; y < DibHeight(picture); ++y)
        for (int x = 0; x < DibWidth(picture); ++x) used[DibPictureRow(picture, y)[x]] = true;
    int colours = 0;
    for (bool u : used) colours += u;
    std::size_t count = 0;
    const std::vector<std::uint8_t> tiles = PictureTiles(picture, count);
    std::printf("width: %d\nheight: %d\ndepth: %d\ncolours used: %d\n", DibWidth(picture),
                DibHeight(picture), opened.fileDepth, colours);
    std::printf("tiles: %zu\n", count);
    // One pass counts every way; the reduction keeps a blank tile 0 besides.
    const TileCounts counts = CountUniqueTiles(tiles.data(), count);
    const struct {
        const char* unique;
        const char* reduced;
        std::size_t distinct;
        bool blank;
    } kinds[] = {
        {"unique tiles", "reduced tiles", counts.plain, counts.blank},
        {"unique with flips", "reduced with flips", counts.flips, counts.blank},
        {"unique with flips and banks", "reduced with flips and banks", counts.flipsBanks,
         counts.blankInBanks}};
    for (const auto& kind : kinds) std::printf("%s: %zu\n", kind.unique, kind.distinct);
    for (const auto& kind : kinds)
        std::printf("%s: %zu\n", kind.reduced, kind.distinct + (kind.blank ? 0 : 1));
    return kExitOk;
}

}  // namespace vorlin::cli
