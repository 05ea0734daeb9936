// Settings of the main window's view and bars that the Options dialog writes too.
#pragma once

namespace vorlin {

inline constexpr const char* kSectionMainView = "mainview";
// 1: a new or opened picture starts at the zoom that fits it to the view instead of 1x.
inline constexpr const char* kKeyFitNew = "fitnew";
// 1: the palette bar at twice its size, for fine screens (section "main").
inline constexpr const char* kKeyPalLarge = "PalLarge";
// The Edit > Paste mode item last chosen (its command id).
inline constexpr const char* kKeyPasteMode = "pastemode";

}  // namespace vorlin
