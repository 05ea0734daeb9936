#include "cli/cli_common.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "platform/atomic_write.h"

namespace vorlin::cli {

namespace {
// Inputs larger than the BIOS formats or the export can use are refused before reading.
constexpr long kMaxInputFile = 256L << 20;
}  // namespace

void UsageError(const std::string& message) {
    throw CliFailure{kExitUsage, message};
}

void Failed(const std::string& file, const std::string& reason) {
    throw CliFailure{kExitFailed, file + ": " + reason};
}

void PrintWarning(const std::string& message) {
    std::fprintf(stderr, "vorlin-cli: warning: %s\n", message.c_str());
}

const std::string& ArgCursor::Value(const std::string& option) {
    if (Done()) UsageError(option + " needs a value");
    return Next();
}

int ParseInt(const std::string& text, const std::string& option, std::int64_t low,
             std::int64_t high) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        UsageError(option + " needs a whole number, not \"" + text + "\"");
    if (value < low || value > high)
        UsageError(option + " must be between " + std::to_string(low) + " and " +
                   std::to_string(high));
    return static_cast<int>(value);
}

SizePair ParseSize(const std::string& text, const std::string& option, std::int64_t low,
                   std::int64_t high) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) UsageError(option + " needs WIDTHxHEIGHT, for example 2x2");
    return {ParseInt(text.substr(0, x), option, low, high),
            ParseInt(text.substr(x + 1), option, low, high)};
}

int ParseChoice(const std::string& text, const std::string& option,
                const std::vector<std::string>& choices) {
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == text) return static_cast<int>(i);
    std::string list;
    for (const std::string& c : choices) list += (list.empty() ? "" : "|") + c;
    UsageError(option + " must be one of " + list + ", not \"" + text + "\"");
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

std::string Printable(const std::string& text, std::size_t limit) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r' || c == '\n' || c == '\t')
            out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\t";
        else if (byte < 0x20 || byte >= 0x7F)
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        else
            out += c;
    }
    if (out.size() > limit) out = out.substr(0, limit > 3 ? limit - 3 : 0) + "...";
    return out;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) Failed(path, std::strerror(errno));
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (bytes.size() + n > static_cast<std::size_t>(kMaxInputFile)) {
            std::fclose(file);
            Failed(path, "file too large");
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    const int error = std::ferror(file) ? (errno ? errno : EIO) : 0;
    std::fclose(file);
    if (error) Failed(path, std::strerror(error));
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    errno = 0;
    if (!WriteFileAtomically(
            path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        Failed(path, errno ? std::strerror(errno) : "cannot be written");
}

}  // namespace vorlin::cli
