#include "export/compress.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "export/decompress.h"
#include "export/export_job.h"
#include "export/reduce_tiles.h"
#include "export/tile_ops.h"
#include "support/sha256.h"

namespace vorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::ElementsAreArray;

Bytes Repeat(std::uint8_t value, std::size_t n) {
    return Bytes(n, value);
}

Bytes RandomBytes(std::size_t n, unsigned seed, int range = 256) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> dist(0, range - 1);
    Bytes b(n);
    for (auto& v : b) v = static_cast<std::uint8_t>(dist(rng));
    return b;
}

Bytes Lz(const Bytes& in) {
    return Lz77Compress(in.data(), in.size());
}
Bytes LzSmallest(const Bytes& in) {
    return Lz77CompressSmallest(in.data(), in.size());
}
Bytes Rle(const Bytes& in) {
    return RleCompress(in.data(), in.size());
}
Bytes Huff(const Bytes& in) {
    return HuffCompress(in.data(), in.size(), 8);
}

TEST(Lz77Compress, HandDerivedStreams) {
    // Two literals, then a match of 8 at distance 2: distance 1 is never used.
    EXPECT_THAT(Lz(Repeat(0x41, 10)),
                ElementsAreArray({0x10, 0x0A, 0, 0, 0x20, 0x41, 0x41, 0x50, 0x01, 0, 0, 0}));
    EXPECT_THAT(Lz({0x41, 0x42, 0x43}), ElementsAreArray({0x10, 3, 0, 0, 0x00, 0x41, 0x42, 0x43}));
    EXPECT_THAT(Lz({'A', 'B', 'C', 'A', 'B', 'C', 'A', 'B', 'C'}),
                ElementsAreArray({0x10, 9, 0, 0, 0x10, 0x41, 0x42, 0x43, 0x30, 0x02, 0, 0}));
    // Eighteen equal bytes at distance 1 are passed over for the longest match at distance 2.
    EXPECT_THAT(Lz(Repeat(0x41, 20)),
                ElementsAreArray({0x10, 20, 0, 0, 0x20, 0x41, 0x41, 0xF0, 0x01, 0, 0, 0}));
    EXPECT_THAT(Lz({}), ElementsAreArray({0x10, 0, 0, 0}));
}

TEST(Lz77Compress, NeverRefersToTheByteJustBefore) {
    for (const Bytes& in : {Repeat(0, 5000), RandomBytes(20000, 7, 2), RandomBytes(3000, 8, 3)})
    for (const Bytes& out : {Lz(in), LzSmallest(in)}) {
        std::size_t pos = 4;
        std::size_t produced = 0;
        while (produced < in.size()) {
            const std::uint8_t flags = out.at(pos++);
            for (int bit = 7; bit >= 0 && produced < in.size(); --bit) {
                if (flags & (1 << bit)) {
                    EXPECT_NE(((out.at(pos) & 0x0F) << 8) | out.at(pos + 1), 0);
                    produced += (out[pos] >> 4) + 3;
                    pos += 2;
                } else {
                    ++pos;
                    ++produced;
                }
            }
        }
        EXPECT_LE(out.size(), in.size() + in.size() / 8 + 16 + 3);
    }
}

// 8-bpp sprite tiles: shaded discs of a few colours on index 0, in many sizes and
// positions, so rows repeat at varied distances as in real graphics.
Bytes SpriteTiles(int sprites, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes out;
    for (int s = 0; s < sprites; ++s) {
        const int cx = static_cast<int>(rng() % 16), cy = static_cast<int>(rng() % 16);
        const int r = 3 + static_cast<int>(rng() % 6), base = 16 * static_cast<int>(rng() % 4);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                out.push_back(static_cast<std::uint8_t>(d2 > r * r ? 0 : base + 1 + d2 * 6 / (r * r + 1)));
            }
    }
    return out;
}

// A tiled background: about 4000 patterns of short colour runs, each placed
// flipped and in one of four banks.
Bytes BackgroundTiles(std::size_t tiles, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Bytes> patterns(4000, Bytes(kTileBytes));
    for (Bytes& p : patterns)
        for (int i = 0; i < kTileBytes;) {
            const auto colour = static_cast<std::uint8_t>(rng() % 16);
            for (int run = 1 + static_cast<int>(rng() % 4); run > 0 && i < kTileBytes; --run)
                p[static_cast<std::size_t>(i++)] = colour;
        }
    Bytes out, tile(kTileBytes);
    for (std::size_t t = 0; t < tiles; ++t) {
        OrientTile(patterns[rng() % patterns.size()].data(), rng() % 2 ? 7 : 0, rng() % 2 ? 7 : 0,
                   tile.data());
        const auto bank = static_cast<std::uint8_t>((rng() % 4) << 4);
        for (std::uint8_t p : tile) out.push_back(p ? static_cast<std::uint8_t>(p | bank) : 0);
    }
    return out;
}

// Two pixels a byte, left in the low nibble, as 4-bpp graphics are exported.
Bytes Packed4(const Bytes& pixels) {
    Bytes out(pixels.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::uint8_t>((pixels[2 * i] & 15) | (pixels[2 * i + 1] & 15) << 4);
    return out;
}

Bytes MapBytes(const Bytes& tiles) {
    const ReducedTiles r = ReduceTiles(tiles.data(), tiles.size() / kTileBytes,
                                       MAP_FLIP | MAP_PALBANK);
    Bytes out;
    for (std::uint16_t e : r.entries) out.insert(out.end(), {std::uint8_t(e), std::uint8_t(e >> 8)});
    return out;
}

std::string LzDigest(const std::vector<Bytes>& inputs) {
    Bytes all;
    for (const Bytes& in : inputs) {
        const Bytes out = Lz(in);
        all.insert(all.end(), out.begin(), out.end());
    }
    return testing::Sha256Hex(all.data(), all.size());
}

std::vector<Bytes> EverySize(std::size_t from, std::size_t to, int range) {
    std::vector<Bytes> out;
    for (std::size_t n = from; n <= to; ++n) out.push_back(RandomBytes(n, static_cast<unsigned>(n), range));
    return out;
}

// The greedy coder's streams are pinned byte for byte (the console tests and the
// files users keep depend on them), whatever the match search does inside.
TEST(Lz77Compress, StreamsStayByteForByte) {
    const Bytes background = BackgroundTiles(16384, 42);
    struct Row {
        const char* name;
        std::vector<Bytes> inputs;
        const char* sha256;
    };
    const Row rows[] = {
        {"random bytes", {RandomBytes(1 << 20, 1)},
         "a82622f3a77cc1ecf8571a017bba350503492c7cea3850217e1b7276062d73a3"},
        {"random, 2 values", {RandomBytes(300000, 2, 2)},
         "2c0e5519ca6853fbec9ec9b8ab434c232bf32c67fa9b645b928efd83b8d6b88c"},
        {"random, 4 values", {RandomBytes(400000, 3, 4)},
         "83296aa551e1fd0fbd4079f5ac0de24767e9d5edcb9e301ff23f417d562ecf2a"},
        {"random, 16 values", {RandomBytes(400000, 4, 16)},
         "ab43e25d660f19c98a27e540068db749211eb73e6bed5831b29f58231c7654d9"},
        {"background tiles, 8 bpp", {background},
         "bb492d2ced05f31cd4ad8851f488be1bc6e9ca66758d4f7aafd6d0e474c4020d"},
        {"background tiles, 4 bpp", {Packed4(background)},
         "99f501e2cb7d90b4ab10945dcafd0555fbfbf95fee01dc8917af3a3b940f9cbb"},
        {"background map", {MapBytes(background)},
         "86a58376ec658f28653aa79619acdfcd4c6bdc0841aa14c3a643738a6c16b862"},
        {"sprite tiles", {SpriteTiles(2048, 5)},
         "042f004a23d50a13df4d70dee6ddd9f4be700005a270d1a184a67e60464f80ef"},
        {"one value, then another", {Repeat(0, 70001), Repeat(0xFF, 5000)},
         "7a6ea55393f4aa77caf3ceedf662c7b05eb896cc04d506490535a7704344de8b"},
        {"every size to 40", EverySize(0, 40, 3),
         "d67227c76df58b5e823b5b851526a1fabb83ccf2f5779cfd78385692af4a92dd"},
        {"around the window", EverySize(4090, 4120, 2),
         "f6b7f23541037d1e886de707e3df77c1a9e4cfc705923616ddaafb9e3831ae07"},
    };
    for (const Row& row : rows) EXPECT_EQ(LzDigest(row.inputs), row.sha256) << row.name;
}

// Every file of the shared samples, as bytes: real pictures' headers, palettes and pixels.
TEST(Lz77Compress, SampleFilesStayByteForByte) {
    const std::filesystem::path root(VORLIN_TESTDATA_DIR);
    if (!std::filesystem::is_directory(root)) GTEST_SKIP() << "no shared samples at " << root;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<Bytes> inputs;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // A different count means the samples changed, not the coder.
    ASSERT_EQ(files.size(), 519u);
    EXPECT_EQ(LzDigest(inputs), "93ec5275a801152cfaef4284ca5976165e475f3ea17346027f4bd6b1535cfa43");
}

TEST(Lz77CompressSmallest, PrefersALiteralBeforeALongerCopy) {
    // After "ABC#BCDEFGH" the greedy coder copies "ABC" and then "DEFGH"; a literal
    // 'A' and then one copy of "BCDEFGH" saves a byte, and with it a word.
    const std::string text = "ABC#BCDEFGHABCDEFGH";
    const Bytes in(text.begin(), text.end());
    Bytes expected = {0x10, 19, 0, 0, 0x00};
    expected.insert(expected.end(), in.begin(), in.begin() + 8);
    expected.push_back(0x08);
    expected.insert(expected.end(), in.begin() + 8, in.begin() + 12);
    expected.insert(expected.end(), {0x40, 0x07});
    EXPECT_THAT(LzSmallest(in), ElementsAreArray(expected));
    EXPECT_EQ(Lz(in).size(), 24u);
}

TEST(Lz77CompressSmallest, NeverLargerThanGreedyAndDecodes) {
    const std::vector<Bytes> inputs = {Bytes{},
                                       Bytes{7},
                                       Repeat(0, 100000),
                                       RandomBytes(30000, 21, 2),
                                       RandomBytes(30000, 22, 5),
                                       RandomBytes(20000, 23),
                                       SpriteTiles(64, 24),
                                       SpriteTiles(300, 25)};
    std::size_t greedyTotal = 0, smallestTotal = 0;
    for (const Bytes& in : inputs) {
        const Bytes greedy = Lz(in), smallest = LzSmallest(in);
        EXPECT_LE(smallest.size(), greedy.size()) << in.size();
        Bytes back;
        ASSERT_TRUE(Lz77Decompress(smallest.data(), smallest.size(), back)) << in.size();
        EXPECT_TRUE(back == in) << in.size();
        greedyTotal += greedy.size();
        smallestTotal += smallest.size();
    }
    // Sprite graphics are where a better parse pays; it must find something there.
    EXPECT_LT(LzSmallest(SpriteTiles(300, 25)).size(), Lz(SpriteTiles(300, 25)).size());
    EXPECT_LT(smallestTotal, greedyTotal);
}

TEST(RleCompress, RunAndLiteralBoundaries) {
    EXPECT_THAT(Rle({0x41}), ElementsAreArray({0x30, 1, 0, 0, 0x00, 0x41, 0, 0}));
    EXPECT_THAT(Rle(Repeat(0x41, 3)), ElementsAreArray({0x30, 3, 0, 0, 0x80, 0x41, 0, 0}));
    EXPECT_THAT(Rle(Repeat(0x41, 130)), ElementsAreArray({0x30, 130, 0, 0, 0xFF, 0x41, 0, 0}));
    EXPECT_THAT(Rle(Repeat(0x41, 131)),
                ElementsAreArray({0x30, 131, 0, 0, 0xFF, 0x41, 0x00, 0x41}));
    EXPECT_THAT(Rle({0x41, 0x41, 0x41, 0x42}),
                ElementsAreArray({0x30, 4, 0, 0, 0x80, 0x41, 0x00, 0x42}));
    EXPECT_THAT(Rle({0x41, 0x42, 0x42, 0x42}),
                ElementsAreArray({0x30, 4, 0, 0, 0x00, 0x41, 0x80, 0x42}));
    EXPECT_THAT(Rle({}), ElementsAreArray({0x30, 0, 0, 0}));
}

TEST(RleCompress, LiteralBlocksAreCutAt128) {
    Bytes alternating(140);
    for (std::size_t i = 0; i < alternating.size(); ++i) alternating[i] = i % 2 ? 0x42 : 0x41;
    Bytes out = Rle(alternating);
    ASSERT_EQ(out.size(), 4u + 1 + 128 + 1 + 12 + 2);
    EXPECT_EQ(out[4], 0x7F);
    EXPECT_EQ(out[4 + 129], 0x0B);

    Bytes distinct(200);
    for (std::size_t i = 0; i < distinct.size(); ++i) distinct[i] = static_cast<std::uint8_t>(i);
    out = Rle(distinct);
    ASSERT_EQ(out.size(), 4u + 129 + 73 + 2);
    EXPECT_EQ(out[4], 0x7F);
    EXPECT_EQ(out[4 + 129], 0x47);

    // A literal block that fills up is cut even where a run of 3 would start.
    Bytes cut(127);
    for (std::size_t i = 0; i < cut.size(); ++i) cut[i] = static_cast<std::uint8_t>(i);
    cut.insert(cut.end(), {0xEE, 0xEE, 0xEE});
    out = Rle(cut);
    EXPECT_EQ(out[4], 0x7F);
    EXPECT_EQ(out[4 + 129], 0x01);  // the last two 0xEE stay literal
}

TEST(HuffCompress, HandDerivedStreamAndTablePadding) {
    EXPECT_THAT(Huff({'A', 'A', 'A', 'B'}),
                ElementsAreArray({0x28, 4, 0, 0, 0x01, 0xC0, 0x41, 0x42, 0, 0, 0, 0x10}));
    // Three distinct values: size byte plus a 5-byte table need two 0xFF.
    const Bytes three = Huff({'A', 'A', 'B', 'C'});
    EXPECT_EQ(three[4], 3);
    EXPECT_EQ(three[10], 0xFF);
    EXPECT_EQ(three[11], 0xFF);
}

TEST(HuffCompress, SingleSymbolShortAndEmptyInputsDecode) {
    for (const Bytes& in :
         {Repeat(0, 64), Bytes{0x41}, Bytes{1, 2, 3}, Bytes{9, 9, 9, 9, 9}, Bytes{}}) {
        const Bytes out = Huff(in);
        ASSERT_FALSE(out.empty()) << in.size();
        EXPECT_EQ(out.size() % 4, 0u);
        Bytes back;
        ASSERT_TRUE(HuffDecompress(out.data(), out.size(), back)) << in.size();
        EXPECT_EQ(back, in);
    }
    // One value: a root with the leaf in both slots, one bit per symbol.
    EXPECT_THAT(Huff(Repeat(7, 4)),
                ElementsAreArray({0x28, 4, 0, 0, 0x01, 0xC0, 7, 7, 0, 0, 0, 0}));
}

// Frequencies that make the table as wide or as deep as 256 symbols allow.
Bytes FromCounts(const std::vector<std::size_t>& counts) {
    Bytes data;
    for (std::size_t v = 0; v < counts.size(); ++v) data.insert(data.end(), counts[v], v);
    std::shuffle(data.begin(), data.end(), std::mt19937(1));
    data.resize((data.size() + 3) / 4 * 4, 0);
    return data;
}

TEST(HuffCompress, OffsetsStayInRangeForWideAndDeepTrees) {
    std::vector<std::vector<std::size_t>> shapes;
    shapes.push_back(std::vector<std::size_t>(256, 4));  // perfectly balanced, 8 levels
    std::vector<std::size_t> fib(24);
    fib[0] = fib[1] = 1;
    for (std::size_t i = 2; i < fib.size(); ++i) fib[i] = fib[i - 1] + fib[i - 2];
    shapes.push_back(fib);  // a chain, 23 levels deep
    for (int distinct : {129, 200, 255}) shapes.push_back(std::vector<std::size_t>(distinct, 3));
    std::mt19937 rng(5);
    for (int i = 0; i < 60; ++i) {
        std::vector<std::size_t> counts(256);
        for (auto& c : counts) c = 1 + rng() % (i % 3 == 0 ? 4 : 200);
        shapes.push_back(counts);
    }
    for (const auto& counts : shapes) {
        const Bytes in = FromCounts(counts);
        const Bytes out = Huff(in);
        ASSERT_FALSE(out.empty()) << counts.size();
        Bytes back;
        ASSERT_TRUE(HuffDecompress(out.data(), out.size(), back));
        EXPECT_EQ(back, in);
    }
}

TEST(Compressors, RoundTripRandomAndDegenerateData) {
    std::vector<Bytes> inputs = {Bytes{0x41},
                                 Repeat(0, 4096),
                                 Repeat(0xFF, 70001),
                                 RandomBytes(1 << 20, 1),
                                 RandomBytes(4099, 2, 4),
                                 RandomBytes(65537, 3, 16),
                                 RandomBytes(1027, 4)};
    for (const Bytes& in : inputs) {
        for (const Bytes& out : {Lz(in), LzSmallest(in), Rle(in), Huff(in)}) {
            ASSERT_FALSE(out.empty());
            EXPECT_EQ(out.size() % 4, 0u);
            EXPECT_EQ(BiosDeclaredSize(out.data(), out.size()), in.size());
            Bytes back;
            ASSERT_TRUE(BiosDecompress(out.data(), out.size(), back)) << int(out[0]);
            EXPECT_TRUE(back == in) << int(out[0]) << " size " << in.size();
        }
    }
    const Bytes nibbles = RandomBytes(1001, 9, 16);
    const Bytes out4 = HuffCompress(nibbles.data(), nibbles.size(), 4);
    Bytes back;
    ASSERT_TRUE(HuffDecompress(out4.data(), out4.size(), back));
    EXPECT_EQ(back, nibbles);
}

TEST(Compressors, RefuseMissingAndOversizedInput) {
    EXPECT_TRUE(Lz77Compress(nullptr, 4).empty());
    EXPECT_TRUE(RleCompress(nullptr, 4).empty());
    EXPECT_TRUE(HuffCompress(nullptr, 4, 8).empty());
    const std::uint8_t byte = 0;
    EXPECT_TRUE(HuffCompress(&byte, 1, 5).empty());
    EXPECT_TRUE(Lz77Compress(&byte, kBiosMaxSize + 1).empty());
    EXPECT_TRUE(Lz77CompressSmallest(nullptr, 4).empty());
    EXPECT_TRUE(Lz77CompressSmallest(&byte, kBiosMaxSize + 1).empty());
}

TEST(Decompressors, RejectMalformedStreams) {
    const Bytes good = Lz(RandomBytes(300, 11));
    Bytes back;
    for (std::size_t cut = 0; cut + 4 < good.size(); cut += 7)
        EXPECT_FALSE(BiosDecompress(good.data(), cut, back)) << cut;
    // A back-reference before the start of the output.
    const Bytes bad = {0x10, 5, 0, 0, 0x80, 0x20, 0x05, 0, 0, 0, 0, 0};
    EXPECT_FALSE(Lz77Decompress(bad.data(), bad.size(), back));
    // A tree offset that points past the table.
    const Bytes badTree = {0x28, 4, 0, 0, 0x01, 0xFF, 'A', 'B', 0, 0, 0, 0};
    EXPECT_FALSE(HuffDecompress(badTree.data(), badTree.size(), back));
    const Bytes unknown = {0x40, 0, 0, 0};
    EXPECT_FALSE(BiosDecompress(unknown.data(), unknown.size(), back));
    // Random garbage never reads out of bounds (the sanitizers watch).
    for (unsigned seed = 0; seed < 300; ++seed) {
        Bytes junk = RandomBytes(40, seed);
        junk[0] = static_cast<std::uint8_t>(0x10 * (1 + seed % 3) + (seed % 2 ? 8 : 4));
        junk[3] = 0;
        BiosDecompress(junk.data(), junk.size(), back);
    }
}

TEST(CompressBlock, ReplacesTheBlockOnlyWithAValidStream) {
    DataBlock block;
    Bytes data = Repeat(3, 64);
    DataBlockAssign(block, 2, data);
    CompressBlock(block, WithCompression(0, BLK_CPRS_RLE));
    EXPECT_EQ(block.elementSize, 1);
    EXPECT_EQ(block.count, 8);
    EXPECT_EQ(block.bytes.size() % 4, 0u);

    DataBlockAssign(block, 2, data);
    CompressBlock(block, WithCompression(0, BLK_CPRS_NONE));
    EXPECT_EQ(block.elementSize, 2);
    CompressBlock(block, WithCompression(0, 9));
    EXPECT_EQ(block.bytes, data);

    DataBlock empty;
    CompressBlock(empty, WithCompression(0, BLK_CPRS_LZ77));
    EXPECT_TRUE(empty.bytes.empty());
}

}  // namespace
}  // namespace vorlin
