// compress and decompress: raw files in the BIOS stream formats.
#include <algorithm>

#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "export/compress.h"
#include "export/decompress.h"

namespace vorlin::cli {

namespace {

constexpr char kTooLargeToCompress[] = "too large for a BIOS stream (16 MiB at most)";
constexpr char kNothingToCompress[] = "is empty, nothing to compress";
constexpr char kCannotCompress[] = "cannot be compressed with this method";
constexpr char kNotAStream[] = "not a valid LZ77, Huffman or run-length stream";

// Exactly `count` positional arguments; options are not taken.
Args Positionals(const Args& args, std::size_t count, const char* what) {
    for (const std::string& a : args)
        if (a.starts_with("-") && a != "-") UsageError("unknown option " + a);
    if (args.size() != count) UsageError(std::string("expected ") + what);
    return args;
}

}  // namespace

int RunCompress(const Args& args) {
    if (ShowHelpIfAsked(args, kCompressHelp)) return kExitOk;
    Args rest = args;
    const auto best = std::find(rest.begin(), rest.end(), "--best");
    const bool smallest = best != rest.end();
    if (smallest) rest.erase(best);
    const Args a = Positionals(rest, 3, "lz77|huff|rle INPUT OUTPUT");
    const int method = ParseChoice(a[0], "method", {"lz77", "huff", "rle"});
    if (smallest && method != 0) UsageError("--best is only for lz77");
    const std::vector<std::uint8_t> input = ReadFileBytes(a[1]);
    if (input.empty()) Failed(a[1], kNothingToCompress);
    if (input.size() > kBiosMaxSize) Failed(a[1], kTooLargeToCompress);
    constexpr int kCodes[] = {BLK_CPRS_LZ77, BLK_CPRS_HUFF, BLK_CPRS_RLE};
    const std::vector<std::uint8_t> stream = CompressChecked(
        kCodes[method], smallest ? Lz77Parse::kSmallest : Lz77Parse::kGreedy, input);
    if (stream.empty()) Failed(a[1], kCannotCompress);
    WriteFileBytes(a[2], stream);
    return kExitOk;
}

int RunDecompress(const Args& args) {
    if (ShowHelpIfAsked(args, kDecompressHelp)) return kExitOk;
    const Args a = Positionals(args, 2, "INPUT OUTPUT");
    const std::vector<std::uint8_t> stream = ReadFileBytes(a[0]);
    std::vector<std::uint8_t> out;
    if (!BiosDecompress(stream.data(), stream.size(), out)) Failed(a[0], kNotAStream);
    WriteFileBytes(a[1], out);
    return kExitOk;
}

}  // namespace vorlin::cli
