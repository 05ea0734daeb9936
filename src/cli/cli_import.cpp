// import: GBA data (tiles or a bitmap, map, tile-group map, palette) back into a picture.
#include <cctype>

#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "cli/cli_picture.h"
#include "export/export_names.h"
#include "export/gba_import.h"
#include "export/import_sources.h"

namespace vorlin::cli {

const char kImportHelp[] =
    "usage: vorlin-cli import -o OUTPUT --tiles FILE [--map FILE] [--pal FILE] [options]\n"
    "       vorlin-cli import -o OUTPUT --bin PREFIX | --gbfs FILE --title NAME [options]\n"
    "\n"
    "Turns GBA data back into an 8-bpp picture with the full 256-entry palette, indexed\n"
    "as the console indexes it (4-bpp tiles take 16 x bank + colour, so the picture\n"
    "exports again with its banks). OUTPUT's extension (.png, .bmp, .pcx, .tga) picks\n"
    "the format. Each FILE may be raw or an LZ77, Huffman or run-length BIOS stream;\n"
    "the header tells, and a stream counts only when it decodes fully.\n"
    "\n"
    "Data:     --tiles FILE           the graphics: tiles, or a bitmap with --bitmap\n"
    "          --map FILE             the map (without it: tiles in rows of --columns)\n"
    "          --meta-map FILE        the tile-group map (with --meta)\n"
    "          --pal FILE             the palette, 15-bit colours (without it: greys)\n"
    "          --bin PREFIX           PREFIX.pal.bin, .img.bin, .map.bin, .meta.bin as\n"
    "                                 vorlin-cli export writes them (those that exist)\n"
    "          --gbfs FILE --title NAME   the same blocks from an archive (NAMEPal,\n"
    "                                 NAMETiles or NAMEBitmap, NAMEMap, NAMEMetaMap)\n"
    "          A FILE given with --bin or --gbfs replaces that block.\n"
    "Layout:   --bpp 1|2|4|8|16       bits per pixel of the graphics (4); 16 is a bitmap\n"
    "          --map-layout flat|sbb|affine   (flat)\n"
    "          --map-size WxH         map size in tiles; needed unless the map is one\n"
    "                                 32x32 screen (flat or sbb) or a square affine map\n"
    "                                 of 16, 32, 64 or 128 tiles\n"
    "          --tile-offset N        the export's tile offset, taken off map indices (0)\n"
    "          --pal-start N          entry of the palette file's first colour (0)\n"
    "          --meta WxH             tile groups of W x H tiles (1x1)\n"
    "          --meta-pal             the tile-group map carries the groups' banks\n"
    "          --bitmap WxH           the graphics are a bitmap of W x H pixels\n"
    "          --columns N            tiles a row without a map (16)\n"
    "Checks:   --partial              short or inconsistent data is read as index 0 with a\n"
    "                                 warning instead of failing\n"
    "Colours:  --quantize fast|best --dither   reduce a 16-bpp bitmap to 256 colours\n"
    "                                 (a 16-bpp bitmap is refused without --quantize)\n"
    "Output:   --verbose              say how each file was read\n";

namespace {

constexpr int kMaxMapSide = 8192;
constexpr int kMaxGroupSide = 256;
constexpr char kImportOutputKinds[] = "-o OUTPUT must end in .png, .bmp, .pcx or .tga";
constexpr char kSixteenNeedsQuantize[] =
    "a 16-bpp bitmap has more colours than a palette holds: add --quantize fast|best";

struct ImportCommand {
    ImportOptions options;
    std::string output, tiles, map, metaMap, palette, bin, gbfs, title;
    bool verbose = false;
};

bool ApplyFileOption(ImportCommand& c, const std::string& arg, ArgCursor& args) {
    std::string ImportCommand::*const fields[] = {&ImportCommand::output,  &ImportCommand::output,
                                                  &ImportCommand::tiles,   &ImportCommand::map,
                                                  &ImportCommand::metaMap, &ImportCommand::palette,
                                                  &ImportCommand::bin,     &ImportCommand::gbfs,
                                                  &ImportCommand::title};
    const char* const names[] = {"-o",         "--output", "--tiles", "--map",  "--meta-map",
                                 "--pal",      "--bin",    "--gbfs",  "--title"};
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (arg == names[i]) {
            c.*fields[i] = args.Value(arg);
            return true;
        }
    return false;
}

bool ApplyLayoutOption(ImportOptions& o, const std::string& arg, ArgCursor& args) {
    if (arg == "--bpp") {
        static const int kDepths[] = {1, 2, 4, 8, 16};
        o.bpp = kDepths[ParseChoice(args.Value(arg), arg, {"1", "2", "4", "8", "16"})];
    } else if (arg == "--map-layout") {
        o.layout = static_cast<ImportLayout>(
            ParseChoice(args.Value(arg), arg, {"flat", "sbb", "affine"}));
    } else if (arg == "--map-size") {
        const SizePair size = ParseSize(args.Value(arg), arg, 1, kMaxMapSide);
        o.mapWidth = size.width;
        o.mapHeight = size.height;
    } else if (arg == "--tile-offset") {
        o.tileOffset = ParseInt(args.Value(arg), arg, INT32_MIN, INT32_MAX);
    } else if (arg == "--pal-start") {
        o.palStart = ParseInt(args.Value(arg), arg, 0, 255);
    } else if (arg == "--meta") {
        const SizePair size = ParseSize(args.Value(arg), arg, 1, kMaxGroupSide);
        o.metaWidth = size.width;
        o.metaHeight = size.height;
    } else if (arg == "--bitmap") {
        const SizePair size = ParseSize(args.Value(arg), arg, 1, 65536);
        o.bitmapWidth = size.width;
        o.bitmapHeight = size.height;
    } else if (arg == "--columns") {
        o.columns = ParseInt(args.Value(arg), arg, 1, kMaxMapSide);
    } else if (arg == "--meta-pal" || arg == "--partial") {
        (arg == "--partial" ? o.partial : o.metaBanks) = true;
    } else {
        return false;
    }
    return true;
}

ImportCommand ParseImport(const Args& raw) {
    ImportCommand c;
    ArgCursor args(raw);
    while (!args.Done()) {
        const std::string& arg = args.Next();
        if (ApplyFileOption(c, arg, args) || ApplyLayoutOption(c.options, arg, args)) continue;
        ColorSource colors{c.options.quantizeOptions, {}};
        if (ApplyQuantizeOption(colors, arg, args)) {
            // The palette comes with the console data (--pal); mapping onto another is
            // convert's job.
            if (!colors.paletteFile.empty())
                UsageError("unknown option --palette (the palette data is --pal)");
            c.options.quantizeOptions = colors.quantize;
            c.options.quantize = true;
        } else if (arg == "--verbose") {
            c.verbose = true;
        } else {
            UsageError(arg.starts_with("-") ? "unknown option " + arg : "unexpected " + arg);
        }
    }
    if (c.output.empty()) UsageError("missing -o OUTPUT");
    std::string extension = PathExtension(c.output);
    for (char& ch : extension) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (extension != "png" && extension != "bmp" && extension != "pcx" && extension != "tga")
        UsageError(kImportOutputKinds);
    if (!c.bin.empty() && !c.gbfs.empty()) UsageError("--bin and --gbfs cannot be combined");
    if (c.gbfs.empty() != c.title.empty()) UsageError("--gbfs and --title go together");
    if (c.tiles.empty() && c.bin.empty() && c.gbfs.empty())
        UsageError("missing --tiles FILE (or --bin PREFIX, or --gbfs FILE --title NAME)");
    if (c.options.bpp == 16 && !c.options.quantize) UsageError(kSixteenNeedsQuantize);
    return c;
}

void ReadGiven(const std::string& path, ImportFile& slot) {
    if (path.empty()) return;
    std::string error;
    if (!ReadImportFile(path, slot, error)) throw CliFailure{kExitFailed, error};
}

ImportFiles ReadFiles(const ImportCommand& c) {
    ImportFiles files;
    std::string error;
    if (!c.gbfs.empty() && !ReadImportArchive(c.gbfs, c.title, files, error))
        throw CliFailure{kExitFailed, error};
    if (!c.bin.empty() && !ReadImportPrefix(c.bin, files, error))
        throw CliFailure{kExitFailed, error};
    ReadGiven(c.tiles, files.graphics);
    ReadGiven(c.map, files.map);
    ReadGiven(c.metaMap, files.metaMap);
    ReadGiven(c.palette, files.palette);
    return files;
}

}  // namespace

int RunImport(const Args& args) {
    if (ShowHelpIfAsked(args, kImportHelp)) return kExitOk;
    const ImportCommand command = ParseImport(args);
    ImportResult result = ImportGbaData(ReadFiles(command), command.options);
    if (command.verbose)
        for (const std::string& note : result.notes) std::fprintf(stderr, "%s\n", note.c_str());
    for (const std::string& warning : result.warnings) PrintWarning(warning);
    if (!result.picture) throw CliFailure{kExitFailed, result.error};
    SavePicture(std::move(result.picture), command.output, SaveOptions{});
    return kExitOk;
}

}  // namespace vorlin::cli
