// Shared pieces of the command-line tool: exit statuses, the failure that
// carries one, and walking through a command's arguments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorlin::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Thrown to end a command: status 1 (operation failed) or 2 (bad usage), with
// the one line to show on stderr.
struct CliFailure {
    int status;
    std::string message;
};

[[noreturn]] void UsageError(const std::string& message);
[[noreturn]] void Failed(const std::string& file, const std::string& reason);
// One line on stderr that does not change the exit status.
void PrintWarning(const std::string& message);

class ArgCursor {
  public:
    explicit ArgCursor(std::vector<std::string> args) : args_(std::move(args)) {}
    bool Done() const { return at_ >= args_.size(); }
    const std::string& Next() { return args_[at_++]; }
    // The value of `option`; a usage error when there is none.
    const std::string& Value(const std::string& option);

  private:
    std::vector<std::string> args_;
    std::size_t at_ = 0;
};

// Whole-string integer in [low, high]; a usage error naming `option` otherwise.
int ParseInt(const std::string& text, const std::string& option, std::int64_t low,
             std::int64_t high);
struct SizePair {
    int width = 0, height = 0;
};
// "WxH" with both numbers in [low, high]; a usage error naming `option` otherwise.
SizePair ParseSize(const std::string& text, const std::string& option, std::int64_t low,
                   std::int64_t high);
// Index of `text` in `choices`; a usage error listing them otherwise.
int ParseChoice(const std::string& text, const std::string& option,
                const std::vector<std::string>& choices);
bool IsHelp(const std::string& arg);
// `text` safe to print on one line: control and non-ASCII bytes as \xNN (\r,
// \n and \t by name), and at most `limit` characters, ending in "..." when cut.
std::string Printable(const std::string& text, std::size_t limit);

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace vorlin::cli
