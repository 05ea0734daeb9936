// Text: a click fixes the baseline position and the colour and opens the text editor;
// every edit re-renders the text from the backup, and finishing commits one undo record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/text_ports.h"
#include "tools/tool.h"

namespace vorlin {

class CTextTool : public CTool {
  public:
    CTextTool(ToolStroke& stroke, int id, int cursorId);
    void OnPress(ToolHost& view, std::uint32_t flags, int x, int y) override;
    void Finish(ToolHost& view) override;
    void Perform(ToolHost& view) override;

    // The editor's notification: render while it is shown, finish once it was closed.
    void OnEditorChanged(ToolHost& view);

    bool IsActive() const { return active_; }
    int TextColour() const { return textColour_; }
    const IRect& TextRect() const { return textRect_; }

  private:
    void DrawText(ToolHost& view, const FontDescription& font, const FontMetrics& metrics);

    int textColour_ = 0;
    bool active_ = false;
    IRect textRect_;
};

// The text's lines: split at "\r\n", "\n" or "\r".
std::vector<std::string_view> SplitTextLines(std::string_view text);

}  // namespace vorlin
