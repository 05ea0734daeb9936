// vorlin-cli: the engine's export, conversion and compression for build pipelines.
#include <cstdio>
#include <map>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_common.h"
#include "platform/build_info.h"
#include "platform/file_size_signal.h"
#include "platform/freed_memory.h"

namespace {

using namespace vorlin::cli;

struct Command {
    int (*run)(const Args&);
    const char* help;
};

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"export", {RunExport, kExportHelp}},
        {"convert", {RunConvert, kConvertHelp}},
        {"info", {RunInfo, kInfoHelp}},
        {"reduce", {RunReduce, kReduceHelp}},
        {"compress", {RunCompress, kCompressHelp}},
        {"decompress", {RunDecompress, kDecompressHelp}},
        {"banks", {RunBanks, kBanksHelp}},
        {"check", {RunCheck, kCheckHelp}},
        {"import", {RunImport, kImportHelp}},
        {"palette", {RunPalette, kPaletteHelp}},
    };
    return commands;
}

}  // namespace

int main(int argc, char** argv) {
    vorlin::IgnoreFileSizeSignal();
    vorlin::KeepFreedMemory();
    const Args all(argv + 1, argv + argc);
    if (all.empty()) {
        std::fputs(kMainHelp, stderr);
        return kExitUsage;
    }
    if (IsHelp(all[0])) {
        std::fputs(kMainHelp, stdout);
        return kExitOk;
    }
    if (all[0] == "--version") {
        std::printf("vorlin-cli %s\n", vorlin::ProgramVersion());
        return kExitOk;
    }
    const auto found = Commands().find(all[0]);
    if (found == Commands().end()) {
        std::fprintf(stderr, "vorlin-cli: unknown command \"%s\" (see vorlin-cli --help)\n",
                     all[0].c_str());
        return kExitUsage;
    }
    try {
        return found->second.run(Args(all.begin() + 1, all.end()));
    } catch (const CliFailure& failure) {
        std::fprintf(stderr, "vorlin-cli %s: %s\n", all[0].c_str(), failure.message.c_str());
        if (failure.status == kExitUsage)
            std::fprintf(stderr, "(see vorlin-cli %s --help)\n", all[0].c_str());
        return failure.status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vorlin-cli %s: %s\n", all[0].c_str(), error.what());
        return kExitFailed;
    }
}
