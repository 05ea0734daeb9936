// What the document takes from the settings file. The application reads it
// from the user's settings; the command-line tool and tests use the defaults,
// so neither depends on a settings file.
#pragma once

#include <string>

#include "core/quantize.h"

namespace vorlin {

class Profile;

inline constexpr const char* kSectionImage = "image";
inline constexpr const char* kKeyWidth = "width";
inline constexpr const char* kKeyHeight = "height";
inline constexpr int kDefaultImageSide = 256;
inline constexpr const char* kSectionMain = "main";
inline constexpr const char* kKeyPalDefault = "PalDefault";
inline constexpr const char* kDefaultPaletteFile = "vorlin.pal";
inline constexpr const char* kKeyPalClear = "PalClear";
// Colour reduction of true-colour pictures on opening: 1 best, anything else fast.
inline constexpr const char* kKeyQuantize = "Quantize";

struct DocumentSettings {
    int width = kDefaultImageSide;   // size of the first picture
    int height = kDefaultImageSide;
    std::string defaultPalette;      // palette file New loads; empty: none
    bool clearPaletteOnLoad = false; // entries a file does not supply become black
    QuantizeQuality reduction = QuantizeQuality::kFast;  // opening true-colour pictures
};

// The settings as stored; the default palette name is resolved as given, else
// among the program's shipped files.
DocumentSettings ReadDocumentSettings(const Profile& profile);
// The picture size the next start begins with.
void StoreDocumentSize(Profile& profile, int width, int height);

}  // namespace vorlin
