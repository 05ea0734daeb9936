#include "ui/power_of_two.h"

#include <gtest/gtest.h>

namespace vorlin {
namespace {

TEST(PowerOfTwo, RoundsUpAndTreatsSmallValuesAsOne) {
    EXPECT_EQ(RoundUpToPowerOfTwo(100), 128);
    EXPECT_EQ(RoundUpToPowerOfTwo(128), 128);
    EXPECT_EQ(RoundUpToPowerOfTwo(129), 256);
    EXPECT_EQ(RoundUpToPowerOfTwo(2), 2);
    EXPECT_EQ(RoundUpToPowerOfTwo(3), 4);
    EXPECT_EQ(RoundUpToPowerOfTwo(1), 1);
    EXPECT_EQ(RoundUpToPowerOfTwo(0), 1);
    EXPECT_EQ(RoundUpToPowerOfTwo(-5), 1);
    EXPECT_EQ(RoundUpToPowerOfTwo(65537), 131072);
    EXPECT_EQ(RoundUpToPowerOfTwo(INT64_MAX), std::int64_t{1} << 62);
}

}  // namespace
}  // namespace vorlin
