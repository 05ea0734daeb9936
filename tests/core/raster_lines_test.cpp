// Lines, outlines and the inverting frame: exact pixels, clipping and patterns.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "core/raster.h"
#include "raster_test_util.h"

namespace vorlin {
namespace {

using test::CountIndex;
using test::Picture;

// Draws on a surface big enough to hold the whole line, then reads the window [ox, ox+w) x [oy,
// oy+h).
IndexSurface Window(IPoint p0, IPoint p1, PenStyle style, int ox, int oy, int w, int h) {
    IndexSurface big(64, 64);
    DrawLine(ViewOf(big), {p0.x + 32, p0.y + 32}, {p1.x + 32, p1.y + 32}, 1, style);
    IndexSurface out(w, h);
    BlockCopy(ViewOf(out), 0, 0, w, h, ViewOf(big), ox + 32, oy + 32);
    return out;
}

TEST(RasterLine, ShallowLineSetsOnePixelPerColumnIncludingBothEnds) {
    IndexSurface s(12, 5);
    DrawLine(ViewOf(s), {0, 0}, {10, 3}, 9);
    EXPECT_EQ(CountIndex(s, 9), 11);
    EXPECT_EQ(s.Row(0)[0], 9);
    EXPECT_EQ(s.Row(3)[10], 9);
    for (int x = 0; x <= 10; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 5; ++y) inColumn += s.Row(y)[x] == 9;
        EXPECT_EQ(inColumn, 1) << "column " << x;
    }
}

TEST(RasterLine, EveryOctantIsConnectedAndHitsBothEnds) {
    const IPoint c{16, 16};
    for (int dy = -9; dy <= 9; ++dy) {
        for (int dx = -9; dx <= 9; ++dx) {
            IndexSurface s(33, 33);
            const IPoint e{c.x + dx, c.y + dy};
            DrawLine(ViewOf(s), c, e, 1);
            const int steps = std::max(std::abs(dx), std::abs(dy));
            ASSERT_EQ(CountIndex(s, 1), steps + 1) << dx << "," << dy;
            ASSERT_EQ(s.Row(c.y)[c.x], 1);
            ASSERT_EQ(s.Row(e.y)[e.x], 1) << dx << "," << dy;
            // One pixel per step of the major axis, within the box of the end points.
            for (int i = 0; i <= steps; ++i) {
                int hits = 0;
                for (int j = -9; j <= 9; ++j) {
                    const bool xMajor = std::abs(dx) >= std::abs(dy);
                    const int sgn = (xMajor ? dx : dy) < 0 ? -1 : 1;
                    const int x = xMajor ? c.x + sgn * i : c.x + j;
                    const int y = xMajor ? c.y + j : c.y + sgn * i;
                    hits += s.Row(y)[x] == 1;
                }
                ASSERT_EQ(hits, 1) << dx << "," << dy << " step " << i;
            }
            // Reversed direction covers the same box and the same count.
            IndexSurface r(33, 33);
            DrawLine(ViewOf(r), e, c, 1);
            ASSERT_EQ(CountIndex(r, 1), steps + 1);
        }
    }
}

TEST(RasterLine, ClippingKeepsThePixelsAndThePatternPhase) {
    for (PenStyle style : {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot}) {
        const IPoint p0{-20, -7}, p1{25, 14};
        IndexSurface clipped(10, 8);
        DrawLine(ViewOf(clipped), p0, p1, 1, style);
        EXPECT_EQ(Picture(clipped), Picture(Window(p0, p1, style, 0, 0, 10, 8)));
        EXPECT_GT(CountIndex(clipped, 1), 0);
    }
}

TEST(RasterLine, FarAwayEndPointsAreSafe) {
    IndexSurface s(8, 8);
    DrawLine(ViewOf(s), {INT_MIN, 5}, {INT_MAX, 5}, 3);
    DrawLine(ViewOf(s), {2, INT_MIN}, {2, INT_MAX}, 4);
    DrawLine(ViewOf(s), {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, 5);
    for (int x = 0; x < 8; ++x) {
        if (x != 2 && x != 5) {
            EXPECT_EQ(s.Row(5)[x], 3);
        }
    }
    EXPECT_EQ(s.Row(0)[2], 4);
    EXPECT_EQ(s.Row(7)[2], 4);
    EXPECT_EQ(s.Row(5)[5], 5);
    EXPECT_EQ(s.Row(1)[1], 5);
}

TEST(RasterLine, DashesAndDotsLeaveGapsUntouchedAndSetTheEndPoint) {
    IndexSurface s(21, 2);
    FillRect(ViewOf(s), {0, 0, 21, 2}, 7);
    DrawLine(ViewOf(s), {0, 0}, {19, 0}, 1, PenStyle::Dash);
    DrawLine(ViewOf(s), {0, 1}, {19, 1}, 2, PenStyle::Dot);
    std::string dash, dot;
    for (int x = 0; x < 21; ++x) {
        dash += static_cast<char>('0' + s.Row(0)[x]);
        dot += static_cast<char>('0' + s.Row(1)[x]);
    }
    EXPECT_EQ(dash, "111111777111111777117");
    EXPECT_EQ(dot, "272727272727272727227");
}

TEST(RasterLine, OmittingTheLastPoint) {
    IndexSurface s(6, 1);
    DrawLine(ViewOf(s), {0, 0}, {3, 0}, 1, PenStyle::Solid, LineEnd::Omit);
    EXPECT_EQ(Picture(s), "###...\n");
    DrawLine(ViewOf(s), {5, 0}, {5, 0}, 1, PenStyle::Solid, LineEnd::Omit);
    EXPECT_EQ(s.Row(0)[5], 0);
    DrawLine(ViewOf(s), {5, 0}, {5, 0}, 1);
    EXPECT_EQ(s.Row(0)[5], 1);
}

TEST(RasterFrame, OutlineOnlyAndClipped) {
    IndexSurface s(7, 6);
    FrameRect(ViewOf(s), {2, 2, 6, 5}, 1);  // box x 2..5, y 2..4
    EXPECT_EQ(Picture(s),
              ".......\n"
              ".......\n"
              "..####.\n"
              "..#..#.\n"
              "..####.\n"
              ".......\n");
    IndexSurface c(4, 4);
    FrameRect(ViewOf(c), {-2, 1, 3, 10}, 1);
    EXPECT_EQ(Picture(c),
              "....\n"
              "###.\n"
              "..#.\n"
              "..#.\n");
}

TEST(RasterInvertFrame, TwiceRestoresAndOnceInvertsAlternatePixels) {
    const IRect rects[] = {{1, 1, 9, 7},   {2, 3, 3, 4},   {0, 2, 10, 3}, {4, 0, 5, 8},
                           {-3, -2, 6, 5}, {5, 4, 20, 20}, {3, 3, 5, 5}};
    for (const IRect& r : rects) {
        IndexSurface s(10, 8);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 10; ++x) s.Row(y)[x] = static_cast<std::uint8_t>(x * 31 + y * 7);
        }
        const IndexSurface before = s;
        InvertDottedFrame(ViewOf(s), r);
        int changed = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 10; ++x) {
                const bool onOutline =
                    x >= r.left && x < r.right && y >= r.top && y < r.bottom &&
                    (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
                const bool inverted = s.Row(y)[x] == static_cast<std::uint8_t>(~before.Row(y)[x]);
                ASSERT_EQ(inverted, onOutline && (x - r.left + y - r.top) % 2 == 0)
                    << x << "," << y;
                changed += inverted;
            }
        }
        EXPECT_GT(changed, 0);
        InvertDottedFrame(ViewOf(s), r);
        EXPECT_EQ(s.bits, before.bits);
    }
}

}  // namespace
}  // namespace vorlin
