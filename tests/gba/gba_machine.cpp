#include "gba_machine.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern "C" {
#include <mgba/core/core.h>
#include <mgba/core/log.h>
#include <mgba/core/config.h>
}

#ifndef VORLIN_GBA_ROM_DIR
#error "VORLIN_GBA_ROM_DIR must name the folder with crt0.s, gba.ld and show.c"
#endif

namespace vorlin::gbatest {

namespace {

constexpr std::uint32_t kDoneAddress = 0x0203FFF0u;
constexpr std::uint32_t kDoneMagic = 0x600DF00Du;

// The emulator core chats on stderr about every BIOS call; the tests only need the screen.
void QuietLog(struct mLogger*, int, enum mLogLevel, const char*, va_list) {}
struct mLogger gQuietLogger = {QuietLog, nullptr};

}  // namespace

std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        status = -1;
        return "cannot start: " + command;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    status = pclose(pipe);
    return output;
}

std::string BuildRom(const std::string& workDir, const std::vector<std::string>& sources,
                     const std::vector<std::string>& includeDirs, std::string& log) {
    const std::string romDir = VORLIN_GBA_ROM_DIR;
    const std::string elf = workDir + "/cart.elf";
    const std::string rom = workDir + "/cart.gba";
    std::ostringstream cmd;
    cmd << "arm-none-eabi-gcc -mcpu=arm7tdmi -marm -O1 -ffreestanding -nostdlib -Wall -I" << romDir;
    for (const auto& dir : includeDirs) cmd << " -I" << dir;
    cmd << " -T " << romDir << "/gba.ld " << romDir << "/crt0.s " << romDir << "/show.c";
    for (const auto& src : sources) cmd << ' ' << src;
    cmd << " -lgcc -o " << elf << " && arm-none-eabi-objcopy -O binary " << elf << ' ' << rom;
    int status = 0;
    log = RunCommand(cmd.str(), status);
    return status == 0 ? rom : std::string();
}

struct GbaMachine::Core {
    mCore* core = nullptr;
    ~Core() {
        if (core) {
            mCoreConfigDeinit(&core->config);
            core->deinit(core);
        }
    }
};

GbaMachine::GbaMachine() : core_(std::make_unique<Core>()) {
    mLogSetDefaultLogger(&gQuietLogger);
    core_->core = mCoreCreate(mPLATFORM_GBA);
    if (!core_->core) return;
    core_->core->init(core_->core);
    mCoreInitConfig(core_->core, nullptr);
    unsigned width = 0, height = 0;
    core_->core->desiredVideoDimensions(core_->core, &width, &height);
    frame_.assign(static_cast<std::size_t>(width) * height, 0);
    core_->core->setVideoBuffer(core_->core, reinterpret_cast<color_t*>(frame_.data()), width);
}

GbaMachine::~GbaMachine() = default;

bool GbaMachine::Load(const std::string& romPath) {
    if (!core_->core) return false;
    if (!mCoreLoadFile(core_->core, romPath.c_str())) return false;
    core_->core->reset(core_->core);
    return true;
}

void GbaMachine::RunFrames(int frames) {
    for (int i = 0; i < frames; ++i) core_->core->runFrame(core_->core);
}

std::uint16_t GbaMachine::Pixel555(int x, int y) const {
    const std::uint32_t c = frame_[static_cast<std::size_t>(y) * kScreenWidth + static_cast<std::size_t>(x)];
    const std::uint16_t r = (c & 0xFF) >> 3, g = ((c >> 8) & 0xFF) >> 3, b = ((c >> 16) & 0xFF) >> 3;
    return static_cast<std::uint16_t>(r | (g << 5) | (b << 10));
}

std::uint8_t GbaMachine::Read8(std::uint32_t address) const {
    return static_cast<std::uint8_t>(core_->core->busRead8(core_->core, address));
}

std::uint32_t GbaMachine::Read32(std::uint32_t address) const {
    return core_->core->busRead32(core_->core, address);
}

bool GbaMachine::Finished() const { return Read32(kDoneAddress) == kDoneMagic; }

}  // namespace vorlin::gbatest
