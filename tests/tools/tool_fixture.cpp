#include "tool_fixture.h"

#include <algorithm>

namespace vorlin {

bool FakeFont::RenderLine(const FontDescription& font, std::string_view line, GlyphMask& mask) {
    mask.width = static_cast<int>(line.size()) * 3;
    mask.height = font.height;
    mask.stride = (static_cast<std::size_t>(mask.width) + 7) / 8;
    mask.bits.assign(mask.stride * static_cast<std::size_t>(mask.height), 0);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (x % 3 != 2)
                mask.bits[mask.stride * static_cast<std::size_t>(y) +
                          static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80u >> (x % 8));
    return true;
}

IRect FakeToolHost::VisibleImageRect() const {
    const IRect bounds = doc.GetImage().Bounds();
    const int side = static_cast<int>(clientSide / zoom);
    return IRect{origin.x, origin.y, origin.x + std::min(side, bounds.right),
                 origin.y + std::min(side, bounds.bottom)};
}

void FakeToolHost::ScrollTo(IPoint o) {
    const IRect bounds = doc.GetImage().Bounds();
    const IRect visible = VisibleImageRect();
    origin.x = std::clamp(o.x, 0, bounds.right - visible.Width());
    origin.y = std::clamp(o.y, 0, bounds.bottom - visible.Height());
}

ToolTest::ToolTest() {
    NewPicture(32, 32);
}

void ToolTest::NewPicture(int w, int h) {
    doc.image.Create(w, h, nullptr, nullptr);
    doc.backup.Create(w, h, nullptr, nullptr);
    doc.history.Clear();
    doc.SetModifiedFlag(false);
}

void ToolTest::Press(int id, std::uint32_t flags, int x, int y) {
    Tool(id).OnMove(host, flags & ~kPointerButtons, x, y);
    Tool(id).OnPress(host, flags, x, y);
}

void ToolTest::Move(int id, std::uint32_t flags, int x, int y) {
    Tool(id).OnMove(host, flags, x, y);
}

void ToolTest::Release(int id, std::uint32_t flags, int x, int y) {
    Tool(id).OnRelease(host, flags, x, y);
}

void ToolTest::Stroke(int id, std::uint32_t flags, std::vector<IPoint> path) {
    Press(id, flags, path.front().x, path.front().y);
    for (std::size_t i = 1; i < path.size(); ++i) Move(id, flags, path[i].x, path[i].y);
    Release(id, flags, path.back().x, path.back().y);
}

void ToolTest::FillPicture(int v) {
    CIndexImage& img = doc.GetImage();
    for (int y = 0; y < img.Height(); ++y)
        std::fill(img.Row(y), img.Row(y) + img.Width(), static_cast<std::uint8_t>(v));
}

std::vector<std::string> ToolTest::PixelsOf(int v) const {
    std::vector<std::string> out;
    const CIndexImage& img = doc.GetImage();
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            if (img.Row(y)[x] == v) out.push_back(std::to_string(x) + "," + std::to_string(y));
    return out;
}

IRect ToolTest::NewestRecordRect() const {
    auto* region = dynamic_cast<const RegionRecord*>(doc.history.NewestUndo());
    return region ? region->Rect() : IRect{-1, -1, -1, -1};
}

}  // namespace vorlin
