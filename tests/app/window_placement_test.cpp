#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace vorlin {
namespace {

TEST(WindowPlacement, RestoredWindowIsClampedToTheScreen) {
    struct Row {
        const char* what;
        IRect window, screen, expected;
    };
    const IRect screen{0, 0, 1280, 720};
    const Row rows[] = {
        {"fits: unchanged", {100, 50, 900, 650}, screen, {100, 50, 900, 650}},
        {"saved at a larger scale: shrunk", {0, 0, 1500, 1080}, screen, {0, 0, 1280, 720}},
        {"hangs off the bottom: moved up", {100, 400, 900, 1000}, screen, {100, 120, 900, 720}},
        {"off to the left: moved in", {-300, 10, 500, 610}, screen, {0, 10, 800, 610}},
        {"both too big and off", {2000, -50, 3600, 1000}, screen, {0, 0, 1280, 720}},
        {"second screen to the right",
         {1300, 10, 2000, 500},
         {1280, 0, 3200, 1080},
         {1300, 10, 2000, 500}},
        {"a screen with a panel on top", {0, 0, 800, 600}, {0, 32, 1280, 720}, {0, 32, 800, 632}},
        {"no screen: left alone", {5, 5, 50, 50}, {}, {5, 5, 50, 50}},
    };
    for (const Row& r : rows) {
        const IRect got = ClampWindowToScreen(r.window, r.screen);
        EXPECT_EQ(got.left, r.expected.left) << r.what;
        EXPECT_EQ(got.top, r.expected.top) << r.what;
        EXPECT_EQ(got.right, r.expected.right) << r.what;
        EXPECT_EQ(got.bottom, r.expected.bottom) << r.what;
    }
}

}  // namespace
}  // namespace vorlin
