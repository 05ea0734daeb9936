// Test harness: builds a tiny cartridge from exported C data and runs it in the emulator core.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorlin::gbatest {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 160;

// Runs a shell command; its standard output and error together, the exit status in `status`.
std::string RunCommand(const std::string& command, int& status);

// Compiles the cartridge (start-up code, show.c) with the given extra C sources into a ROM
// image in `workDir`. Returns the ROM path, or an empty string with the compiler's output in `log`.
std::string BuildRom(const std::string& workDir, const std::vector<std::string>& sources,
                     const std::vector<std::string>& includeDirs, std::string& log);

// One emulated console running a ROM.
class GbaMachine {
public:
    GbaMachine();
    ~GbaMachine();
    GbaMachine(const GbaMachine&) = delete;
    GbaMachine& operator=(const GbaMachine&) = delete;

    bool Load(const std::string& romPath);
    void RunFrames(int frames);
    // Screen pixel as the console's 15-bit colour (red in bits 0-4).
    std::uint16_t Pixel555(int x, int y) const;
    std::uint8_t Read8(std::uint32_t address) const;
    std::uint32_t Read32(std::uint32_t address) const;
    // True once the cartridge's main has finished loading and set up the display.
    bool Finished() const;

private:
    struct Core;
    std::unique_ptr<Core> core_;
    std::vector<std::uint32_t> frame_;
};

}  // namespace vorlin::gbatest
