// Flood fills in both modes, checked against a plain breadth-first search.
#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "core/raster.h"
#include "raster_test_util.h"

namespace vorlin {
namespace {

using test::FromPicture;
using test::Picture;

// The obvious 4-connected search: `inRegion` decides membership by the original pixels.
template <class InRegion>
IndexSurface ReferenceFill(const IndexSurface& src, IPoint seed, std::uint8_t fill,
                           InRegion inRegion) {
    IndexSurface out = src;
    if (!src.Contains(seed.x, seed.y) || !inRegion(src.Row(seed.y)[seed.x])) return out;
    IndexSurface seen(src.width, src.height);
    std::deque<IPoint> todo{seed};
    seen.Row(seed.y)[seed.x] = 1;
    while (!todo.empty()) {
        const IPoint p = todo.front();
        todo.pop_front();
        out.Row(p.y)[p.x] = fill;
        for (IPoint d : {IPoint{1, 0}, IPoint{-1, 0}, IPoint{0, 1}, IPoint{0, -1}}) {
            const IPoint n{p.x + d.x, p.y + d.y};
            if (src.Contains(n.x, n.y) && !seen.Row(n.y)[n.x] && inRegion(src.Row(n.y)[n.x])) {
                seen.Row(n.y)[n.x] = 1;
                todo.push_back(n);
            }
        }
    }
    return out;
}

IndexSurface RandomPicture(std::mt19937& rng, int w, int h, int colours) {
    IndexSurface s(w, h);
    std::uniform_int_distribution<int> pick(0, colours - 1);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) s.Row(y)[x] = static_cast<std::uint8_t>(pick(rng));
    }
    return s;
}

TEST(FloodFill, SurfaceModeIsFourConnectedAndExact) {
    IndexSurface s = FromPicture({
        "1111.22",
        "1..1.2.",
        "1..1..2",
        "1111.1.",
        ".....11",
    });
    EXPECT_TRUE(FloodFillSurface(ViewOf(s), {1, 1}, 3));
    // Only the enclosed 0 pixels change.
    EXPECT_EQ(Picture(s, 0),
              "1111.22\n"
              "1331.2.\n"
              "1331..2\n"
              "1111.1.\n"
              ".....11\n");
    EXPECT_TRUE(FloodFillSurface(ViewOf(s), {4, 0}, 4));
    // (6, 1) and (6, 3) touch the region only diagonally and keep their index.
    EXPECT_EQ(Picture(s, 0),
              "1111422\n"
              "133142.\n"
              "1331442\n"
              "111141.\n"
              "4444411\n");
}

TEST(FloodFill, BorderModeStopsAtTheBorderIndexOnly) {
    const IndexSurface start = FromPicture({
        "..5.....",
        ".5.5.7..",
        ".5.75...",
        "..5..5..",
        "5....5..",
    });
    // Border 5 filled with 5 itself (the tool's CTRL fill): everything not 5 reachable.
    IndexSurface a = start;
    EXPECT_TRUE(FloodFillBorder(ViewOf(a), {7, 0}, 5, 5));
    EXPECT_EQ(a.bits, ReferenceFill(start, {7, 0}, 5, [](std::uint8_t v) { return v != 5; }).bits);
    EXPECT_EQ(a.Row(1)[2], 0);  // the pocket enclosed by 5s stays
    EXPECT_EQ(a.Row(1)[5], 5);  // another index inside the region is filled over

    // A fill index unlike the border: pixels already holding the fill index are crossed.
    IndexSurface b = FromPicture({
        "..3..",
        "..3..",
        "33333",
        "..3.9",
        "..399",
    });
    const IndexSurface bStart = b;
    EXPECT_TRUE(FloodFillBorder(ViewOf(b), {0, 0}, 9, 3));
    EXPECT_EQ(b.bits, ReferenceFill(bStart, {0, 0}, 3, [](std::uint8_t v) { return v != 9; }).bits);
    EXPECT_EQ(b.Row(4)[0], 3);
    EXPECT_EQ(b.Row(3)[3], 3);

    // A seed on the border index changes nothing.
    IndexSurface c = start;
    EXPECT_TRUE(FloodFillBorder(ViewOf(c), {2, 0}, 5, 1));
    EXPECT_EQ(c.bits, start.bits);
}

TEST(FloodFill, NoOpsAreSuccessful) {
    IndexSurface s = FromPicture({"12", "21"});
    const IndexSurface before = s;
    EXPECT_TRUE(FloodFillSurface(ViewOf(s), {0, 0}, 1));  // already the fill index
    EXPECT_TRUE(FloodFillSurface(ViewOf(s), {-1, 0}, 7));
    EXPECT_TRUE(FloodFillSurface(ViewOf(s), {0, 2}, 7));
    EXPECT_TRUE(FloodFillBorder(ViewOf(s), {2, 2}, 1, 7));
    EXPECT_TRUE(FloodFillSurface(IndexView{}, {0, 0}, 7));
    EXPECT_EQ(s.bits, before.bits);
}

TEST(FloodFill, RandomPicturesMatchTheReferenceSearch) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 60; ++round) {
        const int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 30);
        const IndexSurface src = RandomPicture(rng, w, h, 2 + round % 3);
        const IPoint seed{static_cast<int>(rng() % w), static_cast<int>(rng() % h)};
        const std::uint8_t target = src.Row(seed.y)[seed.x];
        const std::uint8_t other = static_cast<std::uint8_t>(rng() % 4);

        IndexSurface surface = src;
        ASSERT_TRUE(FloodFillSurface(ViewOf(surface), seed, 7));
        ASSERT_EQ(surface.bits,
                  ReferenceFill(src, seed, 7, [&](std::uint8_t v) { return v == target; }).bits)
            << "surface round " << round;

        IndexSurface border = src;
        ASSERT_TRUE(FloodFillBorder(ViewOf(border), seed, other, other));
        ASSERT_EQ(border.bits,
                  ReferenceFill(src, seed, other, [&](std::uint8_t v) { return v != other; }).bits)
            << "border round " << round;

        const std::uint8_t fill = static_cast<std::uint8_t>(rng() % 4);
        IndexSurface mixed = src;
        ASSERT_TRUE(FloodFillBorder(ViewOf(mixed), seed, other, fill));
        ASSERT_EQ(mixed.bits,
                  ReferenceFill(src, seed, fill, [&](std::uint8_t v) { return v != other; }).bits)
            << "border with other fill, round " << round;
    }
}

TEST(FloodFill, SerpentineMazeIsFilledToItsEnd) {
    // Walls of index 1 leave one corridor that snakes through every row pair.
    const int w = 61, h = 61;
    IndexSurface maze(w, h);
    for (int y = 1; y < h; y += 2) {
        FillRect(ViewOf(maze), {0, y, w, y + 1}, 1);
        const int gap = (y / 2) % 2 == 0 ? w - 1 : 0;
        maze.Row(y)[gap] = 0;
    }
    const IndexSurface before = maze;
    ASSERT_TRUE(FloodFillSurface(ViewOf(maze), {0, 0}, 2));
    EXPECT_EQ(maze.bits,
              ReferenceFill(before, {0, 0}, 2, [](std::uint8_t v) { return v == 0; }).bits);
    EXPECT_EQ(maze.Row(h - 1)[w - 1], 2);
    EXPECT_EQ(test::CountIndex(maze, 0), 0);
}

TEST(FloodFill, HugeOpenAreaNeedsNoRecursion) {
    IndexSurface s(4096, 4096);
    // A wall with a single opening forces the fill around it.
    FillRect(ViewOf(s), {2048, 0, 2049, 4095}, 9);
    ASSERT_TRUE(FloodFillSurface(ViewOf(s), {100, 2000}, 3));
    EXPECT_EQ(test::CountIndex(s, 3), 4096 * 4096 - 4095);
    ASSERT_TRUE(FloodFillBorder(ViewOf(s), {4000, 10}, 9, 5));
    EXPECT_EQ(test::CountIndex(s, 5), 4096 * 4096 - 4095);
}

}  // namespace
}  // namespace vorlin
