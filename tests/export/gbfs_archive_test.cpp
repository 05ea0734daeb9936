#include "export/gbfs_archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/little_endian.h"

namespace vorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string NameText(const GbfsName& name) {
    return std::string(reinterpret_cast<const char*>(name.data()), name.size());
}

std::uint32_t At32(const Bytes& b, std::size_t at) {
    return Le32(b.data() + at);
}

GbfsObject Object(const std::string& symbol, const char* suffix, const Bytes& data) {
    return {GbfsEntryName(symbol, suffix), data.data(), data.size()};
}

TEST(GbfsArchive, EntryNamesOfALongSymbolAreCutTo24Bytes) {
    const std::string symbol = "abcdefghijklmnopqrstuvwxyz0123";  // 30 characters
    EXPECT_EQ(NameText(GbfsEntryName(symbol, "Pal")), "abcdefghijklmnopqrstuPal");
    EXPECT_EQ(NameText(GbfsEntryName(symbol, "Tiles")), "abcdefghijklmnopqrstuTil");
    EXPECT_EQ(NameText(GbfsEntryName("foo", "Map")), std::string("fooMap") + std::string(18, '\0'));
}

TEST(GbfsArchive, LayoutHeaderDirectoryAndAlignedObjects) {
    const Bytes pal(5, 0xAA), tiles(32, 0xBB);
    const Bytes a = BuildGbfs({Object("foo", "Pal", pal), Object("foo", "Tiles", tiles)}, nullptr);
    ASSERT_EQ(a.size(), 96u + 16 + 32);
    EXPECT_EQ(std::memcmp(a.data(), "PinEightGBFS\r\n\x1A\n", 16), 0);
    EXPECT_EQ(At32(a, 16), a.size());
    EXPECT_EQ(a[20] | a[21] << 8, 32);
    EXPECT_EQ(a[22] | a[23] << 8, 2);
    EXPECT_EQ(At32(a, 24) | At32(a, 28), 0u);
    // fooPal: length 5 at 96, zero padded to 112; fooTiles at 112.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&a[32]), 6), "fooPal");
    EXPECT_EQ(At32(a, 32 + 24), 5u);
    EXPECT_EQ(At32(a, 32 + 28), 96u);
    EXPECT_EQ(At32(a, 64 + 28), 112u);
    EXPECT_EQ(a[100], 0xAA);
    EXPECT_EQ(a[101], 0);
    EXPECT_EQ(a[112], 0xBB);
}

TEST(GbfsArchive, DirectoryIsSortedByUnsignedNameBytes) {
    const Bytes d(4, 1);
    GbfsObject high = Object("x", "", d);
    high.name[0] = 0xE9;  // above every ASCII letter when compared unsigned
    const Bytes a = BuildGbfs({high, Object("b", "Map", d), Object("a", "Pal", d)}, nullptr);
    std::vector<GbfsObject> dir;
    ASSERT_TRUE(ReadGbfsDirectory(a, dir));
    ASSERT_EQ(dir.size(), 3u);
    EXPECT_EQ(NameText(dir[0].name).c_str(), std::string("aPal"));
    EXPECT_EQ(NameText(dir[1].name).c_str(), std::string("bMap"));
    EXPECT_EQ(dir[2].name[0], 0xE9);
}

TEST(GbfsArchive, AppendKeepsOthersReplacesSameNamesOldDataFirst) {
    const Bytes oldPal(6, 0x11), barMap(20, 0x22), newPal(4, 0x33), fooTiles(8, 0x44);
    const Bytes old =
        BuildGbfs({Object("foo", "Pal", oldPal), Object("bar", "Map", barMap)}, nullptr);
    const Bytes merged =
        BuildGbfs({Object("foo", "Pal", newPal), Object("foo", "Tiles", fooTiles)}, &old);
    std::vector<GbfsObject> dir;
    ASSERT_TRUE(ReadGbfsDirectory(merged, dir));
    ASSERT_EQ(dir.size(), 3u);
    EXPECT_EQ(NameText(dir[0].name).c_str(), std::string("barMap"));
    EXPECT_EQ(NameText(dir[1].name).c_str(), std::string("fooPal"));
    EXPECT_EQ(NameText(dir[2].name).c_str(), std::string("fooTiles"));
    EXPECT_EQ(Bytes(dir[0].data, dir[0].data + dir[0].size), barMap);
    EXPECT_EQ(Bytes(dir[1].data, dir[1].data + dir[1].size), newPal);
    EXPECT_EQ(Bytes(dir[2].data, dir[2].data + dir[2].size), fooTiles);
    // barMap's data sits right behind the directory, before the new objects.
    EXPECT_EQ(dir[0].data - merged.data(), 32 + 3 * 32);
    EXPECT_LT(dir[0].data, dir[1].data);
    EXPECT_EQ(merged.size() % 16, 0u);
}

TEST(GbfsArchive, ExistingFileThatIsNoSoundArchiveIsReplaced) {
    const Bytes data(4, 9);
    const Bytes fresh = BuildGbfs({Object("foo", "Pal", data)}, nullptr);
    Bytes notArchive(64, 'x');
    EXPECT_EQ(BuildGbfs({Object("foo", "Pal", data)}, &notArchive), fresh);
    Bytes shortFile(fresh.begin(), fresh.begin() + 20);
    EXPECT_EQ(BuildGbfs({Object("foo", "Pal", data)}, &shortFile), fresh);

    // A directory entry reaching past the file's end is never followed.
    Bytes broken = BuildGbfs({Object("bar", "Map", data)}, nullptr);
    broken[32 + 24] = 0xFF;
    broken[32 + 25] = 0xFF;
    std::vector<GbfsObject> dir;
    EXPECT_FALSE(ReadGbfsDirectory(broken, dir));
    EXPECT_EQ(BuildGbfs({Object("foo", "Pal", data)}, &broken), fresh);
    // So is an entry count larger than the directory the file holds.
    Bytes counted = fresh;
    counted[22] = 40;
    EXPECT_FALSE(ReadGbfsDirectory(counted, dir));
}

TEST(GbfsArchive, DamagedArchivesSayWhatIsWrong) {
    const Bytes data(20, 7);
    const Bytes sound =
        BuildGbfs({Object("bar", "Map", data), Object("bar", "Pal", data)}, nullptr);
    auto changed = [&](std::size_t at, std::uint8_t value) {
        Bytes b = sound;
        b[at] = value;
        return b;
    };
    const struct {
        const char* name;
        Bytes bytes;
        const char* problem;
    } cases[] = {
        {"empty file", {}, "not a GBFS archive"},
        {"other file", Bytes(100, 'x'), "not a GBFS archive"},
        {"header cut short", Bytes(sound.begin(), sound.begin() + 24), "GBFS header cut short"},
        {"file cut short", Bytes(sound.begin(), sound.end() - 16),
         "archive cut short: its header gives 160 bytes, the file has 144"},
        {"directory inside the header", changed(20, 16), "GBFS directory overlaps the header"},
        {"more entries than the file holds", changed(22, 9), "GBFS directory cut short"},
        {"object past the end", changed(32 + 31, 0x7F),
         "GBFS object \"barMap\" lies outside the archive data"},
    };
    std::vector<GbfsObject> dir;
    std::string problem;
    ASSERT_TRUE(ReadGbfsDirectory(sound, dir, &problem));
    EXPECT_EQ(problem, "");
    for (const auto& c : cases) {
        EXPECT_FALSE(ReadGbfsDirectory(c.bytes, dir, &problem)) << c.name;
        EXPECT_EQ(problem, c.problem) << c.name;
        EXPECT_TRUE(dir.empty()) << c.name;
    }
}

TEST(GbfsArchive, EmptyArchiveIsJustTheHeader) {
    const Bytes a = BuildGbfs({}, nullptr);
    ASSERT_EQ(a.size(), 32u);
    EXPECT_EQ(At32(a, 16), 32u);
    EXPECT_EQ(a[22], 0);
}

}  // namespace
}  // namespace vorlin
