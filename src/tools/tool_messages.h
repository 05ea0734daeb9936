// Texts the tools show in message boxes.
#pragma once

#include <string_view>

namespace vorlin {

inline constexpr std::string_view kMsgSelectionMemory =
    "Can't create the necessary bitmaps for this action! Memory problem perhaps?";
inline constexpr std::string_view kMsgNoBitmapData = "Can't get bitmap's data.";
inline constexpr std::string_view kMsgClipboardOpen = "Failed to open Clipboard!";
inline constexpr std::string_view kMsgPasteFailed = "Couldn't paste from clipboard.";
inline constexpr std::string_view kCaptionPasteFailed = "Ack!";
inline constexpr std::string_view kMsgTextWindow = "Can't create Text window :(";

}  // namespace vorlin
