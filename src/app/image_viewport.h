// Zoom, scroll and grid geometry of an image view, and the coordinate conversions between
// client (screen) pixels and image pixels. Painting is described to a ViewPainter, so the same
// geometry drives the desktop view and the tests.
#pragma once

#include <cstdint>

#include "core/index_surface.h"

namespace vorlin {

struct ISize {
    int width = 1, height = 1;
};

struct ScreenColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const ScreenColour&) const = default;
};

// Receives what the viewport paints. Rectangles are right/bottom exclusive.
class ViewPainter {
  public:
    virtual ~ViewPainter() = default;
    // Copy image pixels `source` scaled (nearest neighbour) into client rectangle `target`.
    virtual void DrawImage(const IRect& source, const IRect& target) = 0;
    virtual void FillRect(const IRect& target, ScreenColour colour) = 0;
    // Outline of `target` with the painter's current pen.
    virtual void DrawFrame(const IRect& target) = 0;
};

enum ScrollBar { SCROLL_HORZ = 0, SCROLL_VERT = 1 };

enum ScrollCode {
    SCROLL_LINE_UP = 0,
    SCROLL_LINE_DOWN = 1,
    SCROLL_PAGE_UP = 2,
    SCROLL_PAGE_DOWN = 3,
    SCROLL_THUMB_POSITION = 4,
    SCROLL_THUMB_TRACK = 5,
    SCROLL_END = 8,
};

struct ScrollInfo {
    int minimum = 0, maximum = 0, page = 0, position = 0;
    bool enabled = false;
};

class ImageViewport {
  public:
    static constexpr int kUnit = 256;       // zoom256 of factor 1
    static constexpr int kHighZoom = 1280;  // factor 5: texel grid shown, no tile gaps
    static constexpr double kMinZoom = 1.0 / 256.0;
    static constexpr double kMaxZoom = 256.0;
    static constexpr double kWheelMinZoom = 1.0 / 16.0;
    static constexpr double kWheelMaxZoom = 64.0;
    static constexpr ScreenColour kTexelGridColour{64, 64, 64};
    static constexpr ScreenColour kTileGridColour{16, 16, 208};

    virtual ~ImageViewport() = default;

    virtual void Attach(int clientWidth, int clientHeight, double zoom, const ISize* image);
    virtual void Layout();
    virtual void PaintImage(ViewPainter& dc) const;
    virtual void PaintGrids(ViewPainter& dc) const;
    virtual void FrameImageRect(ViewPainter& dc, const IRect& rect, bool widen) const;

    IPoint ClientToImage(int cx, int cy) const;
    IPoint ImageToClient(int x, int y) const;
    IRect ImageRectToClient(const IRect& rect) const;
    IPoint SnapToTile(int cx, int cy) const;

    // Returns the factor now in effect; factors of 0 or less are ignored.
    double SetZoom(double factor);
    double Zoom() const { return zoom256_ / static_cast<double>(kUnit); }
    int Zoom256() const { return zoom256_; }
    bool IsHighZoom() const { return zoom256_ >= kHighZoom; }

    void SetClientSize(int width, int height);
    // Null detaches the image.
    void SetImage(const ISize* image);
    bool HasImage() const { return hasImage_; }
    void SetTexelGrid(bool on);
    void SetTileGrid(bool on);
    void SetTileSize(int width, int height);
    void SetOrigin(int x, int y);
    void SetAutoLayout(bool on) { autoLayout_ = on; }

    bool TexelGrid() const { return texelGrid_; }
    bool TileGrid() const { return tileGrid_; }
    int TileWidth() const { return tileWidth_; }
    int TileHeight() const { return tileHeight_; }
    ISize ClientSize() const { return clientSize_; }
    ISize ImageSize() const { return imageSize_; }
    ISize VisibleSize() const { return visibleSize_; }
    IPoint Origin() const { return origin_; }
    IRect VisibleRect() const;
    bool IsVisible(IPoint p) const;

    // Mouse wheel: doubles (in) or halves the zoom within 1/16 ... 64, keeping the image point
    // under client point (cx, cy) in place. False when the zoom is already at the limit.
    bool WheelZoom(bool zoomIn, int cx, int cy);
    // Sets `factor`, keeping the image point under client point (cx, cy) in place. False when
    // the zoom in effect does not change.
    bool ZoomAbout(double factor, int cx, int cy);
    // True when the whole picture, from its top-left corner, fits the client area at this zoom.
    bool ImageFits() const;

    ScrollInfo GetScrollInfo(ScrollBar bar) const;
    // Returns true when the origin moved.
    bool Scroll(ScrollCode code, int position, ScrollBar bar);

  private:
    bool ShowsTileGaps() const { return zoom256_ < kHighZoom && tileGrid_; }
    void Changed();
    void PaintTiles(ViewPainter& dc, int endX, int endY) const;

    int zoom256_ = kUnit;
    bool texelGrid_ = true;
    bool tileGrid_ = true;
    int tileWidth_ = 8;
    int tileHeight_ = 8;
    ISize clientSize_;
    ISize imageSize_;
    ISize attachedSize_;
    bool hasImage_ = false;
    ISize visibleSize_;
    IPoint origin_;
    bool autoLayout_ = true;
};

}  // namespace vorlin
