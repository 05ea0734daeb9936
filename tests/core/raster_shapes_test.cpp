// Ellipses and filled polygons: the pixel rules the drawing tools rely on.
#include <gtest/gtest.h>

#include <vector>

#include "core/raster.h"
#include "raster_test_util.h"

namespace vorlin {
namespace {

using test::CountIndex;
using test::Picture;

constexpr int kPad = 3;  // free border around a drawn box

struct BoxCheck {
    const IndexSurface& s;
    IRect box;
    std::uint8_t index;

    bool At(int x, int y) const { return s.Row(y)[x] == index; }
    bool RowHas(int y) const {
        for (int x = box.left; x < box.right; ++x) {
            if (At(x, y)) return true;
        }
        return false;
    }
    bool ColumnHas(int x) const {
        for (int y = box.top; y < box.bottom; ++y) {
            if (At(x, y)) return true;
        }
        return false;
    }
    bool TouchesAllSides() const {
        return RowHas(box.top) && RowHas(box.bottom - 1) && ColumnHas(box.left) &&
               ColumnHas(box.right - 1);
    }
    bool Symmetric() const {
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                const int mx = box.left + box.right - 1 - x, my = box.top + box.bottom - 1 - y;
                if (At(x, y) != At(mx, y) || At(x, y) != At(x, my)) return false;
            }
        }
        return true;
    }
    bool NothingOutside() const {
        for (int y = 0; y < s.height; ++y) {
            for (int x = 0; x < s.width; ++x) {
                const bool inBox = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                if (!inBox && s.Row(y)[x] != 0) return false;
            }
        }
        return true;
    }
};

std::vector<IRect> SampleBoxes() {
    std::vector<IRect> boxes;
    for (int w = 1; w <= 13; ++w) {
        for (int h = 1; h <= 13; ++h) boxes.push_back({kPad, kPad, kPad + w, kPad + h});
    }
    for (IPoint size : {IPoint{60, 2}, IPoint{2, 60}, IPoint{61, 3}, IPoint{40, 4}, IPoint{57, 57}})
        boxes.push_back({kPad, kPad, kPad + size.x, kPad + size.y});
    return boxes;
}

TEST(RasterEllipse, FilledAndOutlinedTouchTheirBoxAndAreSymmetric) {
    for (const IRect& box : SampleBoxes()) {
        IndexSurface outline(box.right + kPad, box.bottom + kPad);
        DrawEllipse(ViewOf(outline), box, 1);
        IndexSurface filled(box.right + kPad, box.bottom + kPad);
        FillEllipse(ViewOf(filled), box, 1, 2);
        const BoxCheck o{outline, box, 1};
        ASSERT_TRUE(o.TouchesAllSides()) << box.Width() << "x" << box.Height();
        ASSERT_TRUE(o.Symmetric()) << box.Width() << "x" << box.Height();
        ASSERT_TRUE(o.NothingOutside()) << box.Width() << "x" << box.Height();
        ASSERT_TRUE(BoxCheck({filled, box, 2}).Symmetric());
        ASSERT_TRUE(BoxCheck({filled, box, 1}).NothingOutside());

        // The filled shape's outline is exactly the outline shape, and its interior is
        // enclosed: every filled row is one run and every brush pixel has pen or brush
        // pixels on all four sides.
        for (int y = box.top; y < box.bottom; ++y) {
            int runs = 0;
            for (int x = box.left; x < box.right; ++x) {
                const std::uint8_t v = filled.Row(y)[x];
                ASSERT_EQ(v == 1, outline.Row(y)[x] == 1) << x << "," << y;
                runs += v != 0 && filled.Row(y)[x - 1] == 0;
                if (v == 2) {
                    ASSERT_NE(filled.Row(y)[x - 1], 0);
                    ASSERT_NE(filled.Row(y)[x + 1], 0);
                    ASSERT_NE(filled.Row(y - 1)[x], 0);
                    ASSERT_NE(filled.Row(y + 1)[x], 0);
                }
            }
            ASSERT_EQ(runs, 1) << box.Width() << "x" << box.Height() << " row " << y;
        }
    }
}

TEST(RasterEllipse, OutlineIsConnectedAndOnePixelThin) {
    for (const IRect& box : SampleBoxes()) {
        IndexSurface s(box.right + kPad, box.bottom + kPad);
        DrawEllipse(ViewOf(s), box, 1);
        // Walk the 8-connected component of one outline pixel; it must hold them all.
        std::vector<IPoint> todo;
        IndexSurface seen(s.width, s.height);
        for (int x = box.left; x < box.right && todo.empty(); ++x) {
            if (s.Row(box.top)[x] == 1) todo.push_back({x, box.top});
        }
        int reached = 0;
        while (!todo.empty()) {
            const IPoint p = todo.back();
            todo.pop_back();
            if (seen.Row(p.y)[p.x]) continue;
            seen.Row(p.y)[p.x] = 1;
            ++reached;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (s.Row(p.y + dy)[p.x + dx] == 1) todo.push_back({p.x + dx, p.y + dy});
                }
            }
        }
        ASSERT_EQ(reached, CountIndex(s, 1)) << box.Width() << "x" << box.Height();
    }
}

TEST(RasterEllipse, SmallCircleShape) {
    IndexSurface s(7, 7);
    FillEllipse(ViewOf(s), {0, 0, 7, 7}, 1, 2);
    EXPECT_EQ(Picture(s, 0),
              "..111..\n"
              ".12221.\n"
              "1222221\n"
              "1222221\n"
              "1222221\n"
              ".12221.\n"
              "..111..\n");
    IndexSurface flat(6, 2);
    DrawEllipse(ViewOf(flat), {0, 0, 6, 2}, 1);
    EXPECT_EQ(Picture(flat), "######\n######\n");
}

TEST(RasterEllipse, ClippingDrawsTheVisiblePartOfTheSameShape) {
    const IRect box{-5, -3, 9, 8};
    IndexSurface big(30, 30);
    FillEllipse(ViewOf(big), {box.left + 10, box.top + 10, box.right + 10, box.bottom + 10}, 1, 2);
    IndexSurface clipped(6, 6);
    FillEllipse(ViewOf(clipped), box, 1, 2);
    IndexSurface expected(6, 6);
    BlockCopy(ViewOf(expected), 0, 0, 6, 6, ViewOf(big), 10, 10);
    EXPECT_EQ(Picture(clipped, 0), Picture(expected, 0));
}

TEST(RasterPolygon, QuadrilateralIncludesEveryEdgePixel) {
    const std::vector<std::vector<IPoint>> quads = {
        {{2, 2}, {12, 4}, {10, 11}, {1, 9}},
        {{7, 1}, {13, 7}, {7, 13}, {1, 7}},
        {{3, 3}, {11, 3}, {11, 10}, {3, 10}},
        {{5, 2}, {6, 2}, {12, 12}, {11, 12}},  // a swept brush nib
    };
    for (const auto& q : quads) {
        IndexSurface poly(16, 16), edges(16, 16);
        FillPolygon(ViewOf(poly), q, 1);
        for (std::size_t i = 0; i < q.size(); ++i) DrawLine(ViewOf(edges), q[i], q[(i + 1) % 4], 1);
        int filled = 0;
        for (int y = 0; y < 16; ++y) {
            int runs = 0;
            for (int x = 0; x < 16; ++x) {
                if (edges.Row(y)[x] == 1) {
                    ASSERT_EQ(poly.Row(y)[x], 1) << x << "," << y;
                }
                runs += poly.Row(y)[x] == 1 && (x == 0 || poly.Row(y)[x - 1] == 0);
                filled += poly.Row(y)[x];
            }
            ASSERT_LE(runs, 1);
        }
        EXPECT_GE(filled, CountIndex(edges, 1));
        // The interior is filled too: the vertices' centre lies inside a convex quad.
        const int cx = (q[0].x + q[1].x + q[2].x + q[3].x) / 4;
        const int cy = (q[0].y + q[1].y + q[2].y + q[3].y) / 4;
        EXPECT_EQ(poly.Row(cy)[cx], 1);
    }
}

TEST(RasterPolygon, DegenerateQuadsAreTheirSegmentOrPoint) {
    IndexSurface seg(12, 6), line(12, 6);
    const IPoint a{1, 1}, b{10, 4};
    const IPoint nib[] = {a, b, b, a};
    FillPolygon(ViewOf(seg), nib, 3);
    DrawLine(ViewOf(line), a, b, 3);
    EXPECT_EQ(Picture(seg), Picture(line));

    IndexSurface dot(4, 4);
    const IPoint p[] = {{2, 1}, {2, 1}, {2, 1}, {2, 1}};
    FillPolygon(ViewOf(dot), p, 3);
    EXPECT_EQ(Picture(dot), "....\n..#.\n....\n....\n");
}

TEST(RasterPolygon, ClippedPolygonFillsFromTheImageEdge) {
    // The left edge lies far outside: rows must still be filled from x = 0.
    IndexSurface s(5, 4);
    const IPoint q[] = {{-1000, -10}, {3, -10}, {3, 20}, {-1000, 20}};
    FillPolygon(ViewOf(s), q, 1);
    EXPECT_EQ(Picture(s), "####.\n####.\n####.\n####.\n");
}

}  // namespace
}  // namespace vorlin
