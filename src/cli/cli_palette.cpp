// palette: converts a palette between file layouts, or takes a picture's.
#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "document/palette_file_io.h"

namespace vorlin::cli {

namespace {

struct PaletteCommand {
    std::vector<std::string> files;
    int start = 0;
    int count = -1;  // -1: every colour from start on
    PaletteLayout palLayout = PaletteLayout::ColorList;
};

PaletteCommand ParsePalette(const Args& raw) {
    PaletteCommand c;
    ArgCursor args(raw);
    while (!args.Done()) {
        const std::string& arg = args.Next();
        if (arg == "--start") {
            c.start = ParseInt(args.Value(arg), arg, 0, 255);
        } else if (arg == "--count") {
            c.count = ParseInt(args.Value(arg), arg, 1, 256);
        } else if (arg == "--pal-format") {
            // In the order of kPalLayouts.
            c.palLayout = kPalLayouts[ParseChoice(args.Value(arg), arg, {"clrx", "jasc", "riff"})];
        } else if (arg.starts_with("-") && arg != "-") {
            UsageError("unknown option " + arg);
        } else {
            c.files.push_back(arg);
        }
    }
    if (c.files.size() != 2) UsageError("expected INPUT OUTPUT");
    return c;
}

}  // namespace

int RunPalette(const Args& args) {
    if (ShowHelpIfAsked(args, kPaletteHelp)) return kExitOk;
    const PaletteCommand c = ParsePalette(args);
    const PaletteFileResult read = LoadPaletteFile(c.files[0], true);
    if (!read.Ok()) throw CliFailure{kExitFailed, read.error};
    if (!read.note.empty()) PrintWarning(c.files[0] + ": " + read.note);
    const int held = static_cast<int>(read.colors.size());
    if (c.start >= held)
        Failed(c.files[0], "--start " + std::to_string(c.start) + " is past its " +
                               std::to_string(held) + " colours");
    const int count = c.count < 0 ? held - c.start : c.count;
    if (c.start + count > held)
        Failed(c.files[0], "--start " + std::to_string(c.start) + " --count " +
                               std::to_string(count) + " asks for more than its " +
                               std::to_string(held) + " colours");
    const std::span<const RgbQuad> range(read.colors.data() + c.start, static_cast<std::size_t>(count));
    const PaletteFileResult written = SavePaletteFile(c.files[1], range, c.palLayout, true);
    if (!written.Ok()) throw CliFailure{kExitFailed, written.error};
    if (!written.note.empty()) PrintWarning(c.files[1] + ": " + written.note);
    return kExitOk;
}

}  // namespace vorlin::cli
