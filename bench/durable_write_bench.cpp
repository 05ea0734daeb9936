// The cost of saving durably: WriteFileAtomically (new file flushed to disk,
// put in place, folder flushed) against the same bytes written to a temporary
// file and renamed without any flush, for a small settings-sized file, a
// typical 8-bit picture and a large one.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/atomic_write.h"

namespace vorlin {
namespace {

std::string BenchFile() {
    return (std::filesystem::temp_directory_path() / "vorlin-bench-durable.bin").string();
}

void BM_DurableReplace(benchmark::State& state) {
    const std::string content(static_cast<std::size_t>(state.range(0)), 'x');
    const std::string path = BenchFile();
    for (auto _ : state)
        if (!WriteFileAtomically(path, content)) state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * state.range(0));
    std::remove(path.c_str());
}

void BM_UnsyncedReplace(benchmark::State& state) {
    const std::string content(static_cast<std::size_t>(state.range(0)), 'x');
    const std::string path = BenchFile();
    const std::string temp = path + ".tmp";
    for (auto _ : state) {
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool ok =
            fd >= 0 &&
            ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()) &&
            ::close(fd) == 0 && std::rename(temp.c_str(), path.c_str()) == 0;
        if (!ok) state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    std::remove(path.c_str());
}

// 1 KB (settings, presets), 66 KB (a 256 x 256 8-bit BMP), 16 MB (a 4096 x 4096 one).
BENCHMARK(BM_DurableReplace)
    ->Arg(1 << 10)
    ->Arg(66614)
    ->Arg(16 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnsyncedReplace)
    ->Arg(1 << 10)
    ->Arg(66614)
    ->Arg(16 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
