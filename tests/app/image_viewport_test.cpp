#include "app/image_viewport.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/zoom_text.h"

namespace vorlin {
namespace {

struct Blit {
    IRect source, target;
};

class RecordingPainter : public ViewPainter {
  public:
    void DrawImage(const IRect& source, const IRect& target) override {
        blits.push_back({source, target});
    }
    void FillRect(const IRect& target, ScreenColour colour) override {
        (colour == ImageViewport::kTexelGridColour ? texelLines : tileLines).push_back(target);
    }
    void DrawFrame(const IRect& target) override { frames.push_back(target); }

    std::vector<Blit> blits;
    std::vector<IRect> texelLines, tileLines, frames;
};

ImageViewport MakeViewport(int cw, int ch, double zoom, int iw, int ih) {
    ImageViewport vp;
    const ISize image{iw, ih};
    vp.Attach(cw, ch, zoom, &image);
    return vp;
}

TEST(ImageViewport, TileGapsBelowHighZoomMatchPaintingAndConversions) {
    ImageViewport vp = MakeViewport(200, 200, 2, 64, 64);
    RecordingPainter dc;
    vp.PaintImage(dc);
    ASSERT_GE(dc.blits.size(), 2u);
    // Tile 0 covers x 1 ... 16, the gap is at 17 and pixel (8, 0) starts at 18.
    EXPECT_EQ(dc.blits[0].target.left, 1);
    EXPECT_EQ(dc.blits[0].target.right, 17);
    EXPECT_EQ(dc.blits[1].source.left, 8);
    EXPECT_EQ(dc.blits[1].target.left, 18);
    EXPECT_EQ(vp.ClientToImage(18, 0).x, 8);
    EXPECT_EQ(vp.ClientToImage(18, 0).y, 0);
    EXPECT_EQ(vp.ImageToClient(8, 0).x, 18);

    vp.PaintGrids(dc);
    ASSERT_GE(dc.tileLines.size(), 2u);
    EXPECT_EQ(dc.tileLines[0].left, 0);
    EXPECT_EQ(dc.tileLines[1].left, 17);  // the gap pixel
    EXPECT_TRUE(dc.texelLines.empty());
}

TEST(ImageViewport, ZoomOneWithTileGridNeverGivesNegativePositions) {
    ImageViewport vp = MakeViewport(100, 100, 1, 64, 64);
    EXPECT_EQ(vp.ClientToImage(0, 0).x, 0);
    EXPECT_EQ(vp.ClientToImage(0, 0).y, 0);
    EXPECT_EQ(vp.ClientToImage(9, 9).x, 7);  // the gap pixel belongs to the tile before it
    EXPECT_EQ(vp.ClientToImage(10, 10).x, 8);
}

TEST(ImageViewport, TileSnapGoesToNearerTileCorner) {
    ImageViewport vp = MakeViewport(400, 400, 8, 64, 64);
    EXPECT_EQ(vp.SnapToTile(3 * 8 + 2, 0).x, 0);
    EXPECT_EQ(vp.SnapToTile(4 * 8, 0).x, 7);
    EXPECT_EQ(vp.SnapToTile(12 * 8, 5 * 8).x, 15);
    EXPECT_EQ(vp.SnapToTile(12 * 8, 5 * 8).y, 7);
    EXPECT_EQ(vp.SnapToTile(11 * 8, 0).x, 8);
}

TEST(ImageViewport, ZoomFactorsAreFixedPointAndRefuseNonPositive) {
    ImageViewport vp = MakeViewport(100, 100, 1, 64, 64);
    EXPECT_DOUBLE_EQ(vp.SetZoom(1.5), 1.5);
    EXPECT_EQ(vp.Zoom256(), 384);
    EXPECT_DOUBLE_EQ(vp.SetZoom(0), 1.5);
    EXPECT_DOUBLE_EQ(vp.SetZoom(-3), 1.5);
    vp.SetZoom(1.0 / 3.0);
    EXPECT_EQ(vp.Zoom256(), 85);  // fraction dropped
    // Absurd factors stay within the fixed-point range instead of dividing by zero.
    vp.SetZoom(1e-9);
    EXPECT_GT(vp.Zoom256(), 0);
    vp.SetZoom(1e12);
    EXPECT_EQ(vp.Zoom256(), static_cast<int>(ImageViewport::kMaxZoom * 256));
}

TEST(ImageViewport, WheelStopsAtItsLimitsAndKeepsThePointerPoint) {
    ImageViewport vp = MakeViewport(200, 200, 64, 512, 512);
    EXPECT_FALSE(vp.WheelZoom(true, 10, 10));
    EXPECT_EQ(vp.Zoom256(), 64 * 256);
    vp.SetZoom(1.0 / 16);
    EXPECT_FALSE(vp.WheelZoom(false, 10, 10));
    EXPECT_EQ(vp.Zoom256(), 16);

    vp.SetZoom(8);
    vp.SetOrigin(100, 100);
    const IPoint before = vp.ClientToImage(120, 80);
    EXPECT_TRUE(vp.WheelZoom(true, 120, 80));
    EXPECT_EQ(vp.Zoom256(), 16 * 256);
    const IPoint after = vp.ClientToImage(120, 80);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
}

TEST(ImageViewport, TexelGridOnlyAtHighZoom) {
    ImageViewport vp = MakeViewport(60, 60, 6, 64, 64);
    vp.SetTileGrid(false);
    RecordingPainter dc;
    vp.PaintGrids(dc);
    ASSERT_GE(dc.texelLines.size(), 3u);
    EXPECT_EQ(dc.texelLines[0].left, 0);
    EXPECT_EQ(dc.texelLines[1].left, 6);
    EXPECT_EQ(dc.texelLines[2].left, 12);

    RecordingPainter dc4;
    vp.SetZoom(4);
    vp.PaintGrids(dc4);
    EXPECT_TRUE(dc4.texelLines.empty());
}

TEST(ImageViewport, LayoutLimitsVisibleSizeAndClampsOrigin) {
    ImageViewport vp = MakeViewport(100, 50, 2, 64, 64);
    vp.SetTileGrid(false);
    EXPECT_EQ(vp.VisibleSize().width, 50);
    EXPECT_EQ(vp.VisibleSize().height, 25);
    vp.SetOrigin(1000, -5);
    EXPECT_EQ(vp.Origin().x, 14);
    EXPECT_EQ(vp.Origin().y, 0);
    vp.SetZoom(1);  // everything fits: the origin returns to the corner
    EXPECT_EQ(vp.Origin().x, 0);
    EXPECT_EQ(vp.VisibleSize().width, 64);

    ImageViewport empty;
    RecordingPainter dc;
    empty.PaintImage(dc);
    empty.PaintGrids(dc);
    EXPECT_TRUE(dc.blits.empty() && dc.tileLines.empty());
}

TEST(ImageViewport, UnusableTileSizesNeverDivideByZero) {
    ImageViewport vp = MakeViewport(100, 100, 2, 64, 64);
    vp.SetTileSize(0, -3);
    EXPECT_EQ(vp.TileWidth(), 1);
    EXPECT_EQ(vp.TileHeight(), 1);
    RecordingPainter dc;
    vp.PaintImage(dc);
    vp.PaintGrids(dc);
    EXPECT_FALSE(dc.blits.empty());
    EXPECT_EQ(vp.SnapToTile(5, 5).x, vp.ClientToImage(5, 5).x);
}

TEST(ImageViewport, ScrollBarsAndScrollCodes) {
    ImageViewport vp = MakeViewport(100, 100, 1, 300, 80);
    vp.SetTileGrid(false);
    const ScrollInfo h = vp.GetScrollInfo(SCROLL_HORZ);
    EXPECT_TRUE(h.enabled);
    EXPECT_EQ(h.maximum, 299);
    EXPECT_EQ(h.page, 100);
    const ScrollInfo v = vp.GetScrollInfo(SCROLL_VERT);
    EXPECT_FALSE(v.enabled);
    EXPECT_EQ(v.maximum, 0);
    EXPECT_EQ(v.page, 0);

    EXPECT_TRUE(vp.Scroll(SCROLL_LINE_DOWN, 0, SCROLL_HORZ));
    EXPECT_EQ(vp.Origin().x, 1);
    EXPECT_TRUE(vp.Scroll(SCROLL_PAGE_DOWN, 0, SCROLL_HORZ));
    EXPECT_EQ(vp.Origin().x, 101);
    EXPECT_TRUE(vp.Scroll(SCROLL_THUMB_TRACK, 500, SCROLL_HORZ));
    EXPECT_EQ(vp.Origin().x, 200);
    EXPECT_FALSE(vp.Scroll(SCROLL_LINE_DOWN, 0, SCROLL_HORZ));
    EXPECT_FALSE(vp.Scroll(SCROLL_END, 0, SCROLL_HORZ));
    EXPECT_FALSE(vp.Scroll(SCROLL_LINE_DOWN, 0, SCROLL_VERT));
    EXPECT_EQ(vp.GetScrollInfo(SCROLL_HORZ).position, 200);
}

TEST(ImageViewport, ImageRectToClientClosesGridEdges) {
    ImageViewport vp = MakeViewport(400, 400, 8, 64, 64);
    IRect r = vp.ImageRectToClient({1, 1, 3, 3});
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.right, 25);  // texel grid: one more for the closing line
    vp.SetTexelGrid(false);
    EXPECT_EQ(vp.ImageRectToClient({1, 1, 3, 3}).right, 24);
    EXPECT_EQ(vp.ImageRectToClient({1, 1, 8, 3}).right, 65);  // ends on a tile edge
    vp.SetZoom(2);
    // Below high zoom a right edge on a tile boundary stops at the gap.
    EXPECT_EQ(vp.ImageRectToClient({0, 0, 8, 8}).right, 17);

    RecordingPainter dc;
    vp.FrameImageRect(dc, {0, 0, 8, 8}, true);
    ASSERT_EQ(dc.frames.size(), 1u);
    EXPECT_EQ(dc.frames[0].left, 0);
    EXPECT_EQ(dc.frames[0].right, 18);
}

TEST(ImageViewport, PaintingFollowsTheVisibleAreaNotThePicture) {
    for (bool tileGrid : {true, false}) {
        ImageViewport small = MakeViewport(1000, 700, 2, 1024, 1024);
        ImageViewport big = MakeViewport(1000, 700, 2, 4096, 4096);
        small.SetTileGrid(tileGrid);
        big.SetTileGrid(tileGrid);
        big.SetOrigin(2000, 2000);
        RecordingPainter a, b;
        small.PaintImage(a);
        big.PaintImage(b);
        EXPECT_EQ(b.blits.size(), a.blits.size());
        for (const Blit& blit : b.blits) {
            EXPECT_GE(blit.source.left, 2000 - 8);
            EXPECT_LE(blit.source.right, 2000 + 520);
        }
    }
}

TEST(ImageViewport, OriginOffTileBoundaryKeepsGapsUnderGridLines) {
    ImageViewport vp = MakeViewport(200, 100, 2, 256, 256);
    vp.SetOrigin(3, 0);
    RecordingPainter dc;
    vp.PaintImage(dc);
    vp.PaintGrids(dc);
    ASSERT_GE(dc.blits.size(), 2u);
    ASSERT_GE(dc.tileLines.size(), 2u);
    // The first tile sticks out to the left; the grid line sits right after it.
    EXPECT_EQ(dc.blits[0].target.right, dc.tileLines[1].left);
    EXPECT_EQ(dc.blits[1].target.left, dc.tileLines[1].left + 1);
    EXPECT_EQ(vp.ClientToImage(dc.blits[1].target.left, 0).x, 8);
}

TEST(ZoomText, FormatsAndReadsTheLeadingNumber) {
    EXPECT_EQ(FormatZoom(3), "3x");
    EXPECT_EQ(FormatZoom(1.5), "1.5x");
    EXPECT_EQ(FormatZoom(0.0625), "0.0625x");
    EXPECT_DOUBLE_EQ(ParseZoom("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(ParseZoom(" 8x"), 8);
    EXPECT_DOUBLE_EQ(ParseZoom("3 times"), 3);
    EXPECT_DOUBLE_EQ(ParseZoom("x3"), 0);
    EXPECT_DOUBLE_EQ(ParseZoom(""), 0);
    EXPECT_DOUBLE_EQ(ParseZoom("nan"), 0);
    EXPECT_DOUBLE_EQ(ParseZoom("inf"), 0);
}

}  // namespace
}  // namespace vorlin
