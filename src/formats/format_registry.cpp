#include "formats/format_registry.h"

#include <algorithm>
#include <cctype>

#include "formats/bmp_format.h"
#include "formats/palette_format.h"
#include "formats/pcx_format.h"
#include "formats/png_format.h"
#include "formats/tga_format.h"

namespace vorlin {

FormatRegistry::FormatRegistry()
    : handlers_{std::make_unique<BmpFormat>(), std::make_unique<PaletteFormat>(),
                std::make_unique<PcxFormat>(), std::make_unique<PngFormat>(),
                std::make_unique<TgaFormat>()} {
    for (std::size_t i = 0; i < kCount; ++i) pointers_[i] = handlers_[i].get();
    current_ = pointers_[0];
}

void FormatRegistry::ResetToBmp() {
    handlers_[0] = std::make_unique<BmpFormat>();
    pointers_[0] = handlers_[0].get();
    current_ = pointers_[0];
}

FormatRegistry& Formats() {
    static FormatRegistry registry;
    return registry;
}

std::string_view ExtensionForLookup(std::string_view name) {
    const auto dot = name.find_last_of('.');
    return dot == std::string_view::npos ? name : name.substr(dot + 1);
}

std::string FileNamePart(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string PathExtension(std::string_view path) {
    const std::string name = FileNamePart(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string ToLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

FileFormat* FindFormat(std::span<FileFormat* const> list, std::string_view name) {
    const std::string ext = ToLower(ExtensionForLookup(name));
    for (FileFormat* format : list) {
        if (!format) break;
        const std::string_view all = format->Extensions();
        if (ext == all) return format;
        std::size_t start = 0;
        while (start <= all.size()) {
            const auto comma = all.find(',', start);
            const auto item = all.substr(
                start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
            if (!item.empty() && ext == item) return format;
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
    }
    return nullptr;
}

}  // namespace vorlin
