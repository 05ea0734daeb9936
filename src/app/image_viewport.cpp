#include "app/image_viewport.h"

#include <algorithm>

namespace vorlin {

namespace {

// Products of zoom and coordinates overflow int for big pictures at high zoom, so the
// arithmetic runs in 64 bits; "/" truncates toward zero as the geometry requires.
using i64 = std::int64_t;

int ToInt(i64 v) {
    return static_cast<int>(std::clamp<i64>(v, -(i64{1} << 30), i64{1} << 30));
}

// Screen offset of image offset `d` when every tile of `tile` pixels is followed by a gap.
int GappedClient(int x, int origin, int tile, int zoom256) {
    const i64 a = i64{zoom256} * tile + ImageViewport::kUnit;
    const i64 scaled = (i64{x} * a) / tile - (i64{origin} * a) / tile;
    return ToInt(scaled / ImageViewport::kUnit + 1);
}

int RemoveGaps(int c, int tile, int zoom256) {
    const i64 a = i64{tile} * zoom256 + ImageViewport::kUnit;
    i64 r = c + (-i64{ImageViewport::kUnit} * c) / a - 1;
    if (zoom256 == ImageViewport::kUnit && r < 0) r = 0;
    return ToInt(r);
}

int SnapAxis(int p, int tile) {
    int s = tile * (p / tile);
    if (p % tile >= tile / 2) s += tile - 1;
    return s;
}

}  // namespace

void ImageViewport::Attach(int clientWidth, int clientHeight, double zoom, const ISize* image) {
    const bool wasAuto = autoLayout_;
    autoLayout_ = false;
    SetClientSize(clientWidth, clientHeight);
    SetZoom(zoom);
    SetImage(image);
    autoLayout_ = wasAuto;
    Changed();
}

void ImageViewport::Layout() {
    if (!hasImage_) return;
    const IPoint old = origin_;
    origin_ = {};
    const IPoint p = ClientToImage(clientSize_.width, clientSize_.height);
    imageSize_ = attachedSize_;
    visibleSize_ = {std::min(p.x, imageSize_.width), std::min(p.y, imageSize_.height)};
    visibleSize_.width = std::max(visibleSize_.width, 0);
    visibleSize_.height = std::max(visibleSize_.height, 0);
    SetOrigin(old.x, old.y);
}

void ImageViewport::Changed() {
    if (autoLayout_) Layout();
}

IPoint ImageViewport::ClientToImage(int cx, int cy) const {
    if (ShowsTileGaps()) {
        cx = RemoveGaps(cx, tileWidth_, zoom256_);
        cy = RemoveGaps(cy, tileHeight_, zoom256_);
    }
    return {ToInt(i64{cx} * kUnit / zoom256_ + origin_.x),
            ToInt(i64{cy} * kUnit / zoom256_ + origin_.y)};
}

IPoint ImageViewport::ImageToClient(int x, int y) const {
    if (ShowsTileGaps()) {
        return {GappedClient(x, origin_.x, tileWidth_, zoom256_),
                GappedClient(y, origin_.y, tileHeight_, zoom256_)};
    }
    return {ToInt(i64{zoom256_} * (x - origin_.x) / kUnit),
            ToInt(i64{zoom256_} * (y - origin_.y) / kUnit)};
}

IRect ImageViewport::ImageRectToClient(const IRect& rect) const {
    const IPoint tl = ImageToClient(rect.left, rect.top);
    const IPoint br = ImageToClient(rect.right, rect.bottom);
    IRect r{tl.x, tl.y, br.x, br.y};
    const bool rightOnTile = rect.right % tileWidth_ == 0;
    const bool bottomOnTile = rect.bottom % tileHeight_ == 0;
    if (IsHighZoom()) {
        if (texelGrid_) {
            ++r.right;
            ++r.bottom;
        } else if (tileGrid_) {
            if (rightOnTile) ++r.right;
            if (bottomOnTile) ++r.bottom;
        }
    } else if (tileGrid_) {
        if (rightOnTile) --r.right;
        if (bottomOnTile) --r.bottom;
    }
    return r;
}

IPoint ImageViewport::SnapToTile(int cx, int cy) const {
    const IPoint p = ClientToImage(cx, cy);
    return {SnapAxis(p.x, tileWidth_), SnapAxis(p.y, tileHeight_)};
}

double ImageViewport::SetZoom(double factor) {
    if (factor > 0) {
        // Bounded so that the fixed-point factor never reaches 0 and stays far from overflow.
        factor = std::clamp(factor, kMinZoom, kMaxZoom);
        const int z = static_cast<int>(factor * kUnit);
        if (z != zoom256_) {
            zoom256_ = z;
            Changed();
        }
    }
    return Zoom();
}

bool ImageViewport::WheelZoom(bool zoomIn, int cx, int cy) {
    const double next = std::clamp(zoomIn ? Zoom() * 2 : Zoom() / 2, kWheelMinZoom, kWheelMaxZoom);
    return ZoomAbout(next, cx, cy);
}

bool ImageViewport::ZoomAbout(double factor, int cx, int cy) {
    if (factor <= 0) return false;
    const int before256 = zoom256_;
    const IPoint before = ClientToImage(cx, cy);
    SetZoom(factor);
    if (zoom256_ == before256) return false;
    const IPoint after = ClientToImage(cx, cy);
    SetOrigin(origin_.x + before.x - after.x, origin_.y + before.y - after.y);
    return true;
}

bool ImageViewport::ImageFits() const {
    ImageViewport probe = *this;
    probe.origin_ = {};
    const IRect r = probe.ImageRectToClient({0, 0, attachedSize_.width, attachedSize_.height});
    return r.right <= clientSize_.width && r.bottom <= clientSize_.height;
}

void ImageViewport::SetClientSize(int width, int height) {
    clientSize_ = {std::max(width, 1), std::max(height, 1)};
    Changed();
}

void ImageViewport::SetImage(const ISize* image) {
    hasImage_ = image != nullptr && image->width > 0 && image->height > 0;
    attachedSize_ = hasImage_ ? *image : ISize{};
    Changed();
}

void ImageViewport::SetTexelGrid(bool on) {
    texelGrid_ = on;
    Changed();
}

void ImageViewport::SetTileGrid(bool on) {
    tileGrid_ = on;
    Changed();
}

void ImageViewport::SetTileSize(int width, int height) {
    // Zero or negative sizes would divide by zero; callers offer 4 ... 256.
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == tileWidth_ && height == tileHeight_) return;
    tileWidth_ = width;
    tileHeight_ = height;
    if (tileGrid_) Changed();
}

void ImageViewport::SetOrigin(int x, int y) {
    origin_.x = std::clamp(x, 0, std::max(imageSize_.width - visibleSize_.width, 0));
    origin_.y = std::clamp(y, 0, std::max(imageSize_.height - visibleSize_.height, 0));
}

IRect ImageViewport::VisibleRect() const {
    return {origin_.x, origin_.y, origin_.x + visibleSize_.width, origin_.y + visibleSize_.height};
}

bool ImageViewport::IsVisible(IPoint p) const {
    const IRect r = VisibleRect();
    return p.x >= r.left && p.y >= r.top && p.x < r.right && p.y < r.bottom;
}

ScrollInfo ImageViewport::GetScrollInfo(ScrollBar bar) const {
    const int extent = bar == SCROLL_HORZ ? imageSize_.width : imageSize_.height;
    const int visible = bar == SCROLL_HORZ ? visibleSize_.width : visibleSize_.height;
    ScrollInfo info;
    if (visible < extent) {
        info.maximum = extent - 1;
        info.page = visible;
        info.position = bar == SCROLL_HORZ ? origin_.x : origin_.y;
        info.enabled = true;
    }
    return info;
}

bool ImageViewport::Scroll(ScrollCode code, int position, ScrollBar bar) {
    const ScrollInfo info = GetScrollInfo(bar);
    const int old = bar == SCROLL_HORZ ? origin_.x : origin_.y;
    int pos = old;
    switch (code) {
        case SCROLL_LINE_UP:
            pos -= 1;
            break;
        case SCROLL_LINE_DOWN:
            pos += 1;
            break;
        case SCROLL_PAGE_UP:
            pos -= info.page;
            break;
        case SCROLL_PAGE_DOWN:
            pos += info.page;
            break;
        case SCROLL_THUMB_POSITION:
        case SCROLL_THUMB_TRACK:
            pos = position;
            break;
        default:
            return false;
    }
    if (bar == SCROLL_HORZ) {
        SetOrigin(pos, origin_.y);
        return origin_.x != old;
    }
    SetOrigin(origin_.x, pos);
    return origin_.y != old;
}

void ImageViewport::PaintImage(ViewPainter& dc) const {
    if (!hasImage_) return;
    const IPoint e = ClientToImage(clientSize_.width, clientSize_.height);
    const int endX = std::min(e.x + 1, imageSize_.width);
    const int endY = std::min(e.y + 1, imageSize_.height);
    if (endX <= origin_.x || endY <= origin_.y) return;
    if (ShowsTileGaps()) {
        PaintTiles(dc, endX, endY);
        return;
    }
    const IRect source{origin_.x, origin_.y, endX, endY};
    dc.DrawImage(source, {0, 0, ToInt(i64{zoom256_} * (endX - origin_.x) / kUnit),
                          ToInt(i64{zoom256_} * (endY - origin_.y) / kUnit)});
}

// One stretch per tile, each followed by a one-pixel gap left for the tile grid line.
void ImageViewport::PaintTiles(ViewPainter& dc, int endX, int endY) const {
    const int tw = tileWidth_, th = tileHeight_;
    const int w = ToInt(i64{tw} * zoom256_ / kUnit);
    const int h = ToInt(i64{th} * zoom256_ / kUnit);
    const int firstX = tw * (origin_.x / tw);
    const int firstY = th * (origin_.y / th);
    int row = 0;
    for (int ty = firstY; ty < endY; ty += th, ++row) {
        const int sy = ToInt((i64{ty - origin_.y} * zoom256_ + kUnit + i64{row} * kUnit) / kUnit);
        int col = 0;
        for (int tx = firstX; tx < endX; tx += tw, ++col) {
            const int sx =
                ToInt((i64{tx - origin_.x} * zoom256_ + kUnit + i64{col} * kUnit) / kUnit);
            dc.DrawImage({tx, ty, tx + tw, ty + th}, {sx, sy, sx + w, sy + h});
        }
    }
}

void ImageViewport::PaintGrids(ViewPainter& dc) const {
    if (!hasImage_) return;
    const IPoint g0 = ImageToClient(imageSize_.width, imageSize_.height);
    const int gx = std::min(g0.x, clientSize_.width);
    const int gy = std::min(g0.y, clientSize_.height);
    if (texelGrid_ && IsHighZoom()) {
        for (i64 s = 0; s <= i64{kUnit} * gx; s += zoom256_) {
            const int x = ToInt(s / kUnit);
            dc.FillRect({x, 0, x + 1, gy + 1}, kTexelGridColour);
        }
        for (i64 s = 0; s <= i64{kUnit} * gy; s += zoom256_) {
            const int y = ToInt(s / kUnit);
            dc.FillRect({0, y, gx + 1, y + 1}, kTexelGridColour);
        }
    }
    if (!tileGrid_) return;
    const i64 gap = IsHighZoom() ? 0 : kUnit;
    const i64 stepX = i64{tileWidth_} * zoom256_ + gap;
    const i64 stepY = i64{tileHeight_} * zoom256_ + gap;
    for (i64 s = -i64{origin_.x % tileWidth_} * zoom256_; s <= i64{kUnit} * gx; s += stepX) {
        const int x = ToInt(s / kUnit);
        dc.FillRect({x, 0, x + 1, gy}, kTileGridColour);
    }
    for (i64 s = -i64{origin_.y % tileHeight_} * zoom256_; s <= i64{kUnit} * gy; s += stepY) {
        const int y = ToInt(s / kUnit);
        dc.FillRect({0, y, gx, y + 1}, kTileGridColour);
    }
}

void ImageViewport::FrameImageRect(ViewPainter& dc, const IRect& rect, bool widen) const {
    IRect r = ImageRectToClient(rect);
    if (widen && !IsHighZoom()) {
        --r.left;
        --r.top;
        ++r.right;
        ++r.bottom;
    }
    dc.DrawFrame(r);
}

}  // namespace vorlin
