// Settings of the main view that others write too (the Options dialog).
#pragma once

namespace vorlin {

inline constexpr const char* kSectionMainView = "mainview";
// 1: a new or opened picture starts at the zoom that fits it to the view instead of 1x.
inline constexpr const char* kKeyFitNew = "fitnew";
// The Edit > Paste mode item last chosen (its command id).
inline constexpr const char* kKeyPasteMode = "pastemode";

}  // namespace vorlin
