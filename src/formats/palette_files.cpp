#include "formats/palette_files.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/true_color.h"
#include "formats/byte_sink.h"
#include "formats/byte_source.h"
#include "formats/file_format.h"
#include "formats/format_error.h"
#include "formats/format_registry.h"
#include "formats/palette_format.h"
#include "formats/png_format.h"

namespace vorlin {
namespace {

struct LayoutName {
    PaletteLayout layout;
    std::string_view name;
};
constexpr LayoutName kLayoutNames[] = {
    {PaletteLayout::ColorList, "CLRX"}, {PaletteLayout::Riff, "RIFF"},
    {PaletteLayout::Jasc, "JASC-PAL"},  {PaletteLayout::Gimp, "GIMP"},
    {PaletteLayout::Act, "ACT"},        {PaletteLayout::Hex, "HEX"},
    {PaletteLayout::GbaRaw, "GBA"},     {PaletteLayout::Picture, "PNG"},
};

struct ExtensionLayout {
    std::string_view extension;
    PaletteLayout layout;
};
constexpr ExtensionLayout kFixedExtensions[] = {
    {"gpl", PaletteLayout::Gimp},      {"act", PaletteLayout::Act},
    {"hex", PaletteLayout::Hex},       {"gbapal", PaletteLayout::GbaRaw},
    {"png", PaletteLayout::Picture},   {"bmp", PaletteLayout::Picture},
    {"pcx", PaletteLayout::Picture},   {"tga", PaletteLayout::Picture},
};

constexpr int kSwatch = 8;
constexpr int kSwatchesPerRow = 16;

// The registry's ".pal" reader tells its three layouts apart by their first bytes.
PaletteColors DecodePal(std::span<const std::uint8_t> file) {
    PaletteFormat reader;
    MemorySource source(file.data(), file.size());
    if (!reader.ReadFrom(source, {})) throw FormatError{reader.message, {}};
    const RgbQuad* table = DibColors(reader.image.get());
    return {std::vector<RgbQuad>(table, table + DibColorCount(reader.image.get())), {}};
}

std::string EncodeStrip(std::span<const RgbQuad> colors) {
    PngFormat writer;
    writer.AttachImage(PaletteStrip(colors));
    MemorySink sink;
    if (!writer.WriteTo(sink)) throw FormatError{writer.message, {}};
    return std::string(sink.Bytes().begin(), sink.Bytes().end());
}

// Distinct colours of a 24-bpp picture in reading order.
PaletteColors DistinctColors(PackedDib rgb) {
    std::vector<bool> seen(std::size_t{1} << 24);
    PaletteColors result;
    for (int y = 0; y < DibHeight(rgb); ++y) {
        const std::uint8_t* p = DibPictureRow(rgb, y);
        for (int x = 0; x < DibWidth(rgb); ++x, p += 3) {
            const std::uint32_t key = p[0] | (p[1] << 8) | (p[2] << 16);
            if (seen[key]) continue;
            if (result.colors.size() == kMaxPaletteColors)
                throw FormatError{"the picture has more than 256 colours, so it is no palette", {}};
            seen[key] = true;
            result.colors.push_back(RgbQuad{p[0], p[1], p[2], 0});
        }
    }
    return result;
}

}  // namespace

std::string_view PaletteLayoutName(PaletteLayout layout) {
    for (const LayoutName& entry : kLayoutNames)
        if (entry.layout == layout) return entry.name;
    return {};
}

std::optional<PaletteLayout> PaletteLayoutFromName(std::string_view name) {
    for (const LayoutName& entry : kLayoutNames)
        if (entry.name == name) return entry.layout;
    return std::nullopt;
}

std::optional<PaletteLayout> PaletteLayoutForPath(std::string_view path, PaletteLayout palLayout,
                                                  bool binIsPalette) {
    const std::string ext = ToLower(PathExtension(path));
    if (ext == "pal") return palLayout;
    if (ext == "bin") return binIsPalette ? std::optional(PaletteLayout::GbaRaw) : std::nullopt;
    for (const ExtensionLayout& entry : kFixedExtensions)
        if (entry.extension == ext) return entry.layout;
    return std::nullopt;
}

std::string_view PaletteFileExtensions() {
    return "pal (CLRX text, JASC-PAL or RIFF), gpl, act, hex, gbapal, bin, png";
}

PaletteColors DecodePalette(PaletteLayout layout, std::span<const std::uint8_t> file) {
    switch (layout) {
        case PaletteLayout::Gimp: return ReadGimpPalette(file);
        case PaletteLayout::Act: return ReadActTable(file);
        case PaletteLayout::Hex: return ReadHexList(file);
        case PaletteLayout::GbaRaw: return ReadGbaColors(file);
        case PaletteLayout::Picture: break;
        default: return DecodePal(file);
    }
    throw FormatError{"a picture is read by its own format", {}};
}

std::string EncodePalette(PaletteLayout layout, std::span<const RgbQuad> colors,
                          std::string_view name, std::string* note) {
    switch (layout) {
        case PaletteLayout::Riff: return WriteRiffPalette(colors);
        case PaletteLayout::Jasc: return WriteJascPalette(colors);
        case PaletteLayout::Gimp: return WriteGimpPalette(colors, name);
        case PaletteLayout::Act: return WriteActTable(colors);
        case PaletteLayout::Hex: return WriteHexList(colors);
        case PaletteLayout::Picture: return EncodeStrip(colors);
        case PaletteLayout::GbaRaw:
            if (note) *note = RoundToGbaColors(colors).note;
            return WriteGbaColors(colors);
        case PaletteLayout::ColorList: break;
    }
    PaletteFormat writer;
    DibPtr holder = CreatePaletteHolder();
    std::copy(colors.begin(), colors.end(), DibColors(holder.get()));
    SetHolderColorCount(holder.get(), static_cast<int>(colors.size()));
    writer.AttachImage(std::move(holder));
    MemorySink sink;
    writer.WriteTo(sink);
    return std::string(sink.Bytes().begin(), sink.Bytes().end());
}

PaletteColors PictureColors(PackedDib picture, int definedColors) {
    if (DibBitCount(picture) <= 8) {
        const RgbQuad* table = DibColors(picture);
        int count = std::min(DibColorCount(picture), kMaxPaletteColors);
        if (definedColors >= 0) count = std::min(count, definedColors);
        return {std::vector<RgbQuad>(table, table + count), {}};
    }
    if (DibBitCount(picture) == 24) return DistinctColors(picture);
    const DibPtr rgb(DibConvertTrueColor(picture, 24));
    if (!rgb) throw FormatError{"not enough memory to read the picture's colours", {}};
    return DistinctColors(rgb.get());
}

DibPtr PaletteStrip(std::span<const RgbQuad> colors) {
    const int count = static_cast<int>(std::clamp<std::size_t>(colors.size(), 1, kMaxPaletteColors));
    const int columns = std::min(count, kSwatchesPerRow);
    const int rows = (count + kSwatchesPerRow - 1) / kSwatchesPerRow;
    DibPtr strip = CreateImageOrFail(columns * kSwatch, rows * kSwatch, 8);
    // The table shrinks to the colours given before the pixels (which move with it) are drawn.
    DibHeader(strip.get())->biClrUsed = static_cast<std::uint32_t>(count);
    std::memset(DibColors(strip.get()), 0, 4 * static_cast<std::size_t>(count));
    std::copy_n(colors.begin(), std::min<std::size_t>(colors.size(), count), DibColors(strip.get()));
    for (int y = 0; y < rows * kSwatch; ++y) {
        std::uint8_t* row = DibPictureRow(strip.get(), y);
        for (int x = 0; x < columns * kSwatch; ++x) {
            // Cells past the last colour repeat it, so the strip shows no extra colour.
            const int index = std::min(y / kSwatch * kSwatchesPerRow + x / kSwatch, count - 1);
            row[x] = static_cast<std::uint8_t>(index);
        }
    }
    return strip;
}

}  // namespace vorlin
