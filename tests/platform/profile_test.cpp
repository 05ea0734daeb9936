#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/temp_profile.h"
#include "platform/app_paths.h"

namespace vorlin {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(Profile, RoundTripThroughTheFileAsDecimalText) {
    ScopedTempDir dir;
    const std::string path = dir.File("sub/vorlin.ini");  // folder made on first write
    {
        Profile p(path);
        EXPECT_EQ(p.GetInt("main", "PalBPC", 5), 5);
        EXPECT_EQ(p.GetString("main", "PalDefault", "vorlin.pal"), "vorlin.pal");
        EXPECT_TRUE(p.WriteInt("main", "PalBPC", 8));
        EXPECT_TRUE(p.WriteInt("image", "width", -12));
        EXPECT_TRUE(p.WriteString("Last File", "Save As", "/home/u/my pics/a=b.bmp"));
        EXPECT_TRUE(p.WriteInt("main", "PalBPC", 7));  // replaces, does not repeat
    }
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("PalBPC=7\n"), std::string::npos);
    EXPECT_EQ(text.find("PalBPC=8"), std::string::npos);
    Profile again(path);
    EXPECT_EQ(again.GetInt("main", "PalBPC", 5), 7);
    EXPECT_EQ(again.GetInt("IMAGE", "Width", 0), -12);  // names ignore case
    EXPECT_EQ(again.GetString("Last File", "Save As", ""), "/home/u/my pics/a=b.bmp");
}

TEST(Profile, DamagedLinesAreIgnoredAndKept) {
    ScopedTempDir dir;
    const std::string path = dir.File("vorlin.ini");
    WriteAll(path,
             "garbage before any section\r\n"
             "[main]\r\n"
             "PalBPC=6\r\n"
             "this line has no equals\n"
             "=orphan value\n"
             "[broken section\n"
             "; a comment=with equals\n"
             "PalClear = 1 \n"
             "PalDefault\x01\xff=junk\n"
             "[image]\n"
             "width=12abc\n"
             "height=99999999999\n"
             "[main]\n"
             "PalBPC=4\n");
    Profile p(path);
    EXPECT_EQ(p.GetInt("main", "PalBPC", 5), 6);  // first occurrence wins
    EXPECT_EQ(p.GetInt("main", "PalClear", 0), 1);
    EXPECT_EQ(p.GetInt("image", "width", 256), 256);   // not a plain number
    EXPECT_EQ(p.GetInt("image", "height", 256), 256);  // out of range
    EXPECT_EQ(p.GetString("main", "; a comment", "none"), "none");

    ASSERT_TRUE(p.WriteInt("main", "PalBPC", 8));
    ASSERT_TRUE(p.WriteInt("sketch", "zoom", 2));
    const std::string text = ReadAll(path);
    for (const char* kept :
         {"garbage before any section", "this line has no equals", "=orphan value",
          "[broken section", "; a comment=with equals", "width=12abc", "PalBPC=4"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    Profile again(path);
    EXPECT_EQ(again.GetInt("main", "PalBPC", 5), 8);
    EXPECT_EQ(again.GetInt("sketch", "zoom", 1), 2);
    EXPECT_EQ(again.GetInt("main", "PalClear", 0), 1);
}

TEST(Profile, ByteOrderMarkDoesNotHideTheFirstSection) {
    ScopedTempDir dir;
    const std::string path = dir.File("vorlin.ini");
    WriteAll(path, "\xEF\xBB\xBF[main]\r\nPalBPC=6\r\n");
    Profile p(path);
    EXPECT_EQ(p.GetInt("main", "PalBPC", 5), 6);
}

TEST(Profile, RefusesWhatWouldBreakTheFile) {
    ScopedTempDir dir;
    const std::string path = dir.File("vorlin.ini");
    Profile p(path);
    EXPECT_FALSE(p.WriteString("main", "PalDefault", "a\nb=c"));
    EXPECT_FALSE(p.WriteString("main", "Pal=Default", "x"));
    EXPECT_FALSE(p.WriteString("ma]in", "key", "x"));
    EXPECT_FALSE(p.WriteString("", "key", "x"));
    EXPECT_FALSE(p.WriteString("main", "", "x"));
    EXPECT_FALSE(p.WriteString("main", "[key", "x"));
    EXPECT_TRUE(p.WriteString("main", "PalDefault", "a.pal"));
    Profile again(path);
    EXPECT_EQ(again.GetString("main", "PalDefault", ""), "a.pal");
    EXPECT_EQ(again.GetString("b", "c", "none"), "none");
}

TEST(Profile, FailedWriteReportsFalseAndLeavesNoTemporaryFile) {
    ScopedTempDir dir;
    // A folder where the file should be: the final rename fails whatever the rights.
    const std::string path = dir.File("vorlin.ini");
    std::filesystem::create_directories(path + "/inside");
    Profile p(path);
    EXPECT_FALSE(p.WriteInt("main", "PalBPC", 7));
    EXPECT_EQ(p.GetInt("main", "PalBPC", 5), 7);  // kept in memory for this run
    EXPECT_TRUE(std::filesystem::is_directory(path + "/inside"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(Profile, OversizedFileIsNeitherReadNorOverwritten) {
    ScopedTempDir dir;
    const std::string path = dir.File("vorlin.ini");
    WriteAll(path, "[main]\nPalBPC=6\n" + std::string(kProfileMaxBytes, ';'));
    Profile p(path);
    EXPECT_EQ(p.GetInt("main", "PalBPC", 5), 5);
    EXPECT_FALSE(p.WriteInt("main", "PalBPC", 7));
    EXPECT_EQ(p.GetInt("main", "PalBPC", 5), 7);  // counts for this run only
    EXPECT_EQ(std::filesystem::file_size(path), kProfileMaxBytes + 16);
}

TEST(Profile, AppProfileCanBePointedAtATestFile) {
    ScopedTempProfile scoped;
    EXPECT_EQ(AppProfile().Path(), scoped.Path());
    AppProfile().WriteInt("mainview", "grid", 0);
    EXPECT_EQ(Profile(scoped.Path()).GetInt("mainview", "grid", 1), 0);
}

// Sets or clears an environment variable for one test.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (had_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(ProfileLocation, EnvironmentThenBesideTheProgramThenConfigFolder) {
    {
        ScopedEnv ini("VORLIN_INI", "/tmp/elsewhere.ini");
        EXPECT_EQ(DefaultProfilePath(), "/tmp/elsewhere.ini");
    }
    ScopedEnv noIni("VORLIN_INI", nullptr);
    const std::string beside = ExecutableDir() + "/vorlin.ini";
    ASSERT_FALSE(std::filesystem::exists(beside));
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/cfg");
        EXPECT_EQ(DefaultProfilePath(), "/tmp/cfg/vorlin/vorlin.ini");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(DefaultProfilePath(), "/home/someone/.config/vorlin/vorlin.ini");
    }
    WriteAll(beside, "[main]\n");
    const std::string found = DefaultProfilePath();
    std::filesystem::remove(beside);
    EXPECT_EQ(found, beside);
}

}  // namespace
}  // namespace vorlin
