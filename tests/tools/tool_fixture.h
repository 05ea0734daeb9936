// A document, the tools and a scripted view for driving the tools pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "document/undo_records.h"
#include "document/vorlin_doc.h"
#include "support/fake_ui_services.h"
#include "support/temp_profile.h"
#include "tools/tool_box.h"

namespace vorlin {

class FakeSlots : public ButtonSlots {
  public:
    int GetSlotIndex(int slot) const override { return slots[slot]; }
    void Select(int slot, int index) override {
        slots[slot] = index;
        active = slot;
    }
    int slots[4] = {0, 1, 2, 3};  // Left 1, Mid 2, Right 3 unless a test says otherwise
    int active = 1;
};

class FakeClipboard : public ClipboardPort {
  public:
    bool Open() override { return openable && (isOpen = true); }
    void Close() override { isOpen = false; }
    void Empty() override { data.clear(); }
    bool Has(ClipFormat f) const override { return data.count(f) != 0; }
    void Put(ClipFormat f, std::vector<std::uint8_t> bytes) override { data[f] = std::move(bytes); }
    bool Get(ClipFormat f, std::vector<std::uint8_t>& bytes) override {
        auto it = data.find(f);
        if (it == data.end()) return false;
        bytes = it->second;
        return true;
    }
    bool openable = true;
    bool isOpen = false;
    std::map<ClipFormat, std::vector<std::uint8_t>> data;
};

class FakeEditor : public TextEditorPort {
  public:
    bool Exists() const override { return exists; }
    bool Create() override { return exists = creatable; }
    void Show() override {
        text.clear();
        visible = true;
    }
    void Hide() override { visible = false; }
    bool IsVisible() const override { return visible; }
    std::string Text() const override { return text; }
    FontDescription Font() const override { return font; }
    bool exists = false, creatable = true, visible = false;
    std::string text;
    FontDescription font{10, 400, false, false, "Tiny"};
};

// Every character is a solid box one pixel narrower than its 3-pixel advance and as tall
// as the font height; ascent is height - 2, cells are height + 1 apart.
class FakeFont : public TextRasterizer {
  public:
    bool Measure(const FontDescription& font, FontMetrics& m) override {
        m.ascent = font.height - 2;
        m.cellHeight = font.height + 1;
        return true;
    }
    bool RenderLine(const FontDescription& font, std::string_view line, GlyphMask& mask) override;
};

class FakeToolHost : public ToolHost {
  public:
    FakeToolHost(CVorlinDoc& d, ToolBox& b) : doc(d), tools(b), toolSwitch(b) {}
    CVorlinDoc& Document() override { return doc; }
    ButtonSlots& Slots() override { return slots; }
    ClipboardPort& Clipboard() override { return clipboard; }
    TextEditorPort& TextEditor() override { return editor; }
    TextRasterizer& Fonts() override { return font; }
    IRect VisibleImageRect() const override;
    void RepaintImageRect(const IRect& rect) override { repainted.push_back(rect); }
    void RepaintAll() override { ++fullRepaints; }
    void CapturePointer() override { captured = true; }
    void ReleasePointer() override { captured = false; }
    bool HasPointerCapture() const override { return captured; }
    bool ShowCursor(int id) override {
        cursor = id;
        return true;
    }
    double Zoom() const override { return zoom; }
    void SetZoom(double factor) override { zoom = factor; }
    IPoint ScrollOrigin() const override { return origin; }
    void ScrollTo(IPoint o) override;
    void SelectTool(int id) override {
        selectCalls.push_back(id);
        toolSwitch.Select(*this, id);
    }
    void ShowToolOption(unsigned index) override { shownOption = static_cast<int>(index); }
    // Through the scripted services the tests install, so they see every text.
    void Warn(std::string_view text, std::string_view caption) override {
        UiServicesInstance().Message(text, caption.empty() ? kAppCaption : caption,
                                     UiButtons::Ok, UiIcon::Warning);
    }

    CVorlinDoc& doc;
    ToolBox& tools;
    ToolSwitch toolSwitch;
    FakeSlots slots;
    FakeClipboard clipboard;
    FakeEditor editor;
    FakeFont font;
    std::vector<IRect> repainted;
    int fullRepaints = 0;
    bool captured = false;
    int cursor = 0;
    double zoom = 1;
    int clientSide = 48;  // screen pixels each way
    IPoint origin;
    std::vector<int> selectCalls;
    int shownOption = -1;
};

class ToolTest : public ::testing::Test {
  protected:
    ToolTest();
    // A w x h picture of index 0 (backup alike), empty history, unmodified.
    void NewPicture(int w, int h);
    CTool& Tool(int id) { return *tools.Find(id); }

    // Pointer events as the view delivers them: a move to the spot, then the button.
    void Press(int id, std::uint32_t flags, int x, int y);
    void Move(int id, std::uint32_t flags, int x, int y);
    void Release(int id, std::uint32_t flags, int x, int y);
    // Press, one drag to each point in turn, release.
    void Stroke(int id, std::uint32_t flags, std::vector<IPoint> path);

    int Pixel(int x, int y) const { return doc.GetImage().GetPixel(x, y); }
    void SetPixelIndex(int x, int y, int v) {
        doc.GetImage().Row(y)[x] = static_cast<std::uint8_t>(v);
    }
    void FillPicture(int v);
    // Every pixel whose index is v, as "x,y" strings in row order.
    std::vector<std::string> PixelsOf(int v) const;
    int UndoCount() const { return doc.history.UndoCount(); }
    IRect NewestRecordRect() const;

    ScopedTempProfile profile;
    FakeUiServices ui;
    ScopedUiServices uiScope{ui};
    CVorlinDoc doc;
    ToolBox tools;
    FakeToolHost host{doc, tools};
};

}  // namespace vorlin
