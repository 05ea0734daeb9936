// The smallest-parse LZ77 coder's streams decoded by the console's own BIOS call.
#include <gtest/gtest.h>

#include <random>

#include "cartridge.h"
#include "export/compress.h"
#include "rom/show.h"

namespace vorlin::gbatest {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Tiles of a few shaded rows that repeat at many distances, as sprite graphics do.
Bytes TileLike(std::size_t size) {
    std::mt19937 rng(3);
    Bytes out;
    while (out.size() < size) {
        const std::uint8_t base = static_cast<std::uint8_t>(16 * (rng() % 4));
        for (int row = 0; row < 8; ++row) {
            const int width = static_cast<int>(rng() % 8);
            for (int x = 0; x < 8; ++x) out.push_back(x < width ? base + row % 3 : 0);
        }
    }
    out.resize(size);
    return out;
}

// A random block seen again exactly 4096 bytes later: copies at the farthest distance.
Bytes FarRepeat() {
    std::mt19937 rng(5);
    Bytes out(4096);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng());
    out.insert(out.end(), out.begin(), out.begin() + 600);
    return out;
}

// Runs of one byte: every copy comes from distance 2, never 1.
Bytes Runs() {
    Bytes out;
    for (int i = 0; i < 200; ++i) out.insert(out.end(), 3 + i % 40, static_cast<std::uint8_t>(i * 37));
    return out;
}

TEST(Lz77SmallestOnConsole, BiosDecodesEveryStreamByteForByte) {
    const struct {
        const char* name;
        Bytes data;
    } cases[] = {{"tiles", TileLike(12000)}, {"far", FarRepeat()}, {"runs", Runs()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes stream = Lz77CompressSmallest(c.data.data(), c.data.size());
        ASSERT_FALSE(stream.empty());
        Glue glue;
        glue.extraCode = CArray("unsigned char", "stream", stream);
        glue.probe = {"stream", "sizeof stream", true, 0};
        GbaMachine machine;
        std::string log;
        ASSERT_TRUE(BuildAndRun(machine, MakeWorkDir(std::string("lz77_smallest_") + c.name), glue,
                                {}, log))
            << log;
        int wrong = 0;
        for (std::size_t i = 0; i < c.data.size(); ++i)
            if (machine.Read8(SHOW_PROBE_ADDR + static_cast<std::uint32_t>(i)) != c.data[i] &&
                wrong++ < 3)
                ADD_FAILURE() << "byte " << i;
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
}  // namespace vorlin::gbatest
