#include "platform/display_check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vorlin {
namespace {

std::map<std::string, std::string> g_env;

const char* FakeEnv(const char* name) {
    auto it = g_env.find(name);
    return it == g_env.end() ? nullptr : it->second.c_str();
}

TEST(DisplayCheck, NeedsADisplayForTheChosenPlatform) {
    g_env = {};
    EXPECT_EQ(MissingDisplayReason(FakeEnv), kNoDisplayMessage);
    g_env = {{"DISPLAY", ""}};
    EXPECT_FALSE(MissingDisplayReason(FakeEnv).empty());
    g_env = {{"DISPLAY", ":0"}};
    EXPECT_TRUE(MissingDisplayReason(FakeEnv).empty());
    g_env = {{"WAYLAND_DISPLAY", "wayland-0"}};
    EXPECT_TRUE(MissingDisplayReason(FakeEnv).empty());
    g_env = {{"QT_QPA_PLATFORM", "offscreen"}};
    EXPECT_TRUE(MissingDisplayReason(FakeEnv).empty());
    g_env = {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}};
    EXPECT_FALSE(MissingDisplayReason(FakeEnv).empty());
    g_env = {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}};
    EXPECT_FALSE(MissingDisplayReason(FakeEnv).empty());
}

}  // namespace
}  // namespace vorlin
