#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {
namespace {

using PackingCall = int (*)(std::uint32_t*, const std::uint32_t*, std::size_t, int, int,
                            std::uint32_t);

std::vector<std::uint8_t> Pack(const std::vector<std::uint8_t>& src, int s, int d,
                               std::uint32_t offset, std::size_t outBytes,
                               PackingCall call = DibPackBits) {
    std::vector<std::uint32_t> words(outBytes / 4 + 4, 0xDEADBEEF);
    EXPECT_EQ(call(words.data(), reinterpret_cast<const std::uint32_t*>(src.data()), src.size(), s,
                   d, offset),
              1);
    std::vector<std::uint8_t> out(outBytes);
    std::memcpy(out.data(), words.data(), outBytes);
    return out;
}

// Straightforward pixel-by-pixel model of the documented stream order.
unsigned GetPixel(const std::uint8_t* p, std::size_t i, int bpp, bool msb) {
    const std::size_t per = 8 / bpp;
    const std::size_t slot = i % per;
    const unsigned shift = static_cast<unsigned>((msb ? per - 1 - slot : slot) * bpp);
    return (p[i / per] >> shift) & ((1u << bpp) - 1);
}

void PutPixel(std::uint8_t* p, std::size_t i, int bpp, bool msb, unsigned v) {
    const std::size_t per = 8 / bpp;
    const std::size_t slot = i % per;
    const unsigned shift = static_cast<unsigned>((msb ? per - 1 - slot : slot) * bpp);
    p[i / per] = static_cast<std::uint8_t>(p[i / per] | ((v & ((1u << bpp) - 1)) << shift));
}

// Packing subtracts the offset and unpacking adds it; only equal depths let the caller choose.
std::vector<std::uint8_t> Reference(const std::vector<std::uint8_t>& src, int s, int d,
                                    std::uint32_t offset, bool subtract) {
    const bool msb = offset & kOffsetMsbFirst, force = offset & kOffsetForce;
    const std::uint32_t amount = offset & kOffsetMask;
    const std::size_t pixels = src.size() * 8 / s;
    std::vector<std::uint8_t> out((pixels * d + 31) / 32 * 4, 0);
    for (std::size_t i = 0; i < pixels; ++i) {
        unsigned v = GetPixel(src.data(), i, s, msb);
        if (v != 0 || force) v = subtract ? v - amount : v + amount;
        PutPixel(out.data(), i, d, msb, v);
    }
    return out;
}

TEST(DibBitPacking, KnownStreamsInBothPixelOrders) {
    // 8 -> 4, leftmost pixel in the high nibble: 0x12 0x34 -> 0x24 with msb-first.
    const std::vector<std::uint8_t> bytes{0x2, 0x4, 0x6, 0x8};
    EXPECT_EQ(Pack(bytes, 8, 4, kOffsetMsbFirst, 4), (std::vector<std::uint8_t>{0x24, 0x68, 0, 0}));
    EXPECT_EQ(Pack(bytes, 8, 4, 0, 4), (std::vector<std::uint8_t>{0x42, 0x86, 0, 0}));
    // 4 -> 8 with offset 32: 0 stays 0, 5 becomes 37; forced, 0 becomes 32.
    const std::vector<std::uint8_t> nibbles{0x05, 0x50, 0x00, 0x00};
    EXPECT_EQ(Pack(nibbles, 4, 8, kOffsetMsbFirst | 32, 8),
              (std::vector<std::uint8_t>{0, 37, 37, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Pack(nibbles, 4, 8, kOffsetMsbFirst | kOffsetForce | 32, 8),
              (std::vector<std::uint8_t>{32, 37, 37, 32, 32, 32, 32, 32}));
    // 8 -> 1: the lowest bit of every index; GBA order puts pixel 0 in bit 0.
    const std::vector<std::uint8_t> eight{1, 2, 3, 0, 5, 6, 7, 9};
    EXPECT_EQ(Pack(eight, 8, 1, kOffsetMsbFirst, 4), (std::vector<std::uint8_t>{0xAB, 0, 0, 0}));
    EXPECT_EQ(Pack(eight, 8, 1, 0, 4), (std::vector<std::uint8_t>{0xD5, 0, 0, 0}));
}

TEST(DibBitPacking, OffsetSubtractionKeepsZeroAndLowBits) {
    // 8 -> 4 with offset 16: 0, 17, 31 become 0, 1, 15; 5 wraps to its low bits.
    const std::vector<std::uint8_t> src{0, 17, 31, 5};
    EXPECT_EQ(Pack(src, 8, 4, kOffsetMsbFirst | 16, 4),
              (std::vector<std::uint8_t>{0x01, 0xF5, 0, 0}));
    // Going up, a sum that does not fit keeps its low bits instead of spilling over.
    const std::vector<std::uint8_t> mono{0xFF, 0, 0, 0};
    EXPECT_EQ(Pack(mono, 1, 4, kOffsetMsbFirst | 15, 16)[0], 0x00);
    EXPECT_EQ(Pack(mono, 1, 4, kOffsetMsbFirst | 14, 16)[0], 0xFF);
    // Between equal depths the direction decides: packing 17 with offset 16 gives 1.
    const std::vector<std::uint8_t> same{0, 17, 31, 16};
    EXPECT_EQ(Pack(same, 8, 8, 16, 4, DibPackBits), (std::vector<std::uint8_t>{0, 1, 15, 0}));
    EXPECT_EQ(Pack(same, 8, 8, 16, 4, DibUnpackBits), (std::vector<std::uint8_t>{0, 33, 47, 32}));
}

TEST(DibBitPacking, MatchesPixelModelForEveryDepthPairAndFlag) {
    std::mt19937 rng(7);
    const int depths[] = {1, 2, 4, 8};
    const std::uint32_t flags[] = {0, kOffsetMsbFirst, kOffsetForce,
                                   kOffsetMsbFirst | kOffsetForce};
    for (int s : depths) {
        for (int d : depths) {
            for (std::uint32_t flag : flags) {
                for (std::size_t len : {1u, 3u, 4u, 13u, 64u, 1031u}) {
                    std::vector<std::uint8_t> src(len);
                    for (auto& b : src) b = static_cast<std::uint8_t>(rng());
                    const std::uint32_t offset = flag | (rng() % 300);
                    const auto packed = Reference(src, s, d, offset, s >= d);
                    ASSERT_EQ(Pack(src, s, d, offset, packed.size(), DibPackBits), packed)
                        << s << "->" << d << " len " << len << " offset " << std::hex << offset;
                    const auto unpacked = Reference(src, s, d, offset, s > d);
                    ASSERT_EQ(Pack(src, s, d, offset, unpacked.size(), DibUnpackBits), unpacked)
                        << s << "->" << d << " len " << len << " offset " << std::hex << offset;
                }
            }
        }
    }
}

TEST(DibBitPacking, WritesOnlyTheWordsItOwesAndRejectsOddDepths) {
    std::vector<std::uint32_t> out(4, 0xDEADBEEF);
    const std::uint8_t src[6] = {1, 2, 3, 4, 5, 6};  // 6 pixels at 8 bpp -> 24 bits -> 1 word
    ASSERT_EQ(DibPackBits(out.data(), reinterpret_cast<const std::uint32_t*>(src), 6, 8, 4, 0), 1);
    EXPECT_EQ(out[1], 0xDEADBEEFu);
    EXPECT_EQ(DibPackBits(out.data(), out.data(), 4, 3, 1, 0), 0);
    EXPECT_EQ(DibUnpackBits(out.data(), out.data(), 4, 4, 16, 0), 0);
}

}  // namespace
}  // namespace vorlin
