#include "document/document_settings.h"

#include <filesystem>
#include <system_error>

#include "platform/app_paths.h"
#include "platform/profile.h"

namespace vorlin {

namespace {

std::string ResolveDefaultPalette(const std::string& name) {
    std::error_code ec;
    if (std::filesystem::exists(name, ec)) return name;
    return ShippedFilePath(name);
}

}  // namespace

DocumentSettings ReadDocumentSettings(const Profile& profile) {
    DocumentSettings s;
    s.width = profile.GetInt(kSectionImage, kKeyWidth, kDefaultImageSide);
    s.height = profile.GetInt(kSectionImage, kKeyHeight, kDefaultImageSide);
    s.defaultPalette =
        ResolveDefaultPalette(profile.GetString(kSectionMain, kKeyPalDefault, kDefaultPaletteFile));
    s.clearPaletteOnLoad = profile.GetInt(kSectionMain, kKeyPalClear, 0) != 0;
    if (profile.GetInt(kSectionMain, kKeyQuantize, 0) == 1) s.reduction = QuantizeQuality::kBest;
    return s;
}

void StoreDocumentSize(Profile& profile, int width, int height) {
    profile.WriteInt(kSectionImage, kKeyWidth, width);
    profile.WriteInt(kSectionImage, kKeyHeight, height);
}

}  // namespace vorlin
