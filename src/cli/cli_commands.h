// The commands of vorlin-cli. Each takes the arguments after its name, returns
// the exit status and throws CliFailure to end with status 1 or 2.
#pragma once

#include <string>
#include <vector>

namespace vorlin::cli {

using Args = std::vector<std::string>;

int RunExport(const Args& args);
int RunConvert(const Args& args);
int RunInfo(const Args& args);
int RunReduce(const Args& args);
int RunCompress(const Args& args);
int RunDecompress(const Args& args);
int RunBanks(const Args& args);
int RunCheck(const Args& args);
int RunImport(const Args& args);
int RunPalette(const Args& args);

// Help texts, shown by --help and after usage errors.
extern const char kMainHelp[];
extern const char kExportHelp[];
extern const char kConvertHelp[];
extern const char kInfoHelp[];
extern const char kReduceHelp[];
extern const char kCompressHelp[];
extern const char kDecompressHelp[];
extern const char kBanksHelp[];
extern const char kCheckHelp[];
extern const char kImportHelp[];
extern const char kPaletteHelp[];

// Prints `help` to stdout and returns 0 when the arguments ask for help.
bool ShowHelpIfAsked(const Args& args, const char* help);

}  // namespace vorlin::cli
