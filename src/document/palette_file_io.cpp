#include "document/palette_file_io.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "export/decompress.h"
#include "formats/byte_source.h"
#include "formats/format_error.h"
#include "formats/format_registry.h"
#include "formats/png_format.h"
#include "platform/atomic_write.h"

namespace vorlin {
namespace {

// Palette files are small; this bounds what a mistaken choice of file can cost.
constexpr std::size_t kMaxPaletteFileSize = std::size_t{1} << 24;
// Both of the console's palettes: the largest stream worth unpacking as one.
constexpr std::size_t kMaxPackedPaletteSize = 1024;

PaletteFileResult Refused(const std::string& path, const std::string& what) {
    return {{}, path + ": " + what, what, {}};
}

PaletteFileResult UnknownName(const std::string& path) {
    return Refused(path, "not a palette file name (known: " + std::string(PaletteFileExtensions()) +
                             ")");
}

// A BIOS stream declaring a whole number of colours that unpacks cleanly; raw
// colours that merely start like a stream header fail one of these tests.
bool UnpackIfCompressed(std::vector<std::uint8_t>& bytes) {
    const std::size_t declared = BiosDeclaredSize(bytes.data(), bytes.size());
    if (declared == 0 || declared % 2 != 0 || declared > kMaxPackedPaletteSize) return false;
    std::vector<std::uint8_t> unpacked;
    if (!BiosDecompress(bytes.data(), bytes.size(), unpacked) || unpacked.size() != declared)
        return false;
    bytes = std::move(unpacked);
    return true;
}

PaletteFileResult LoadPicturePalette(const std::string& path) {
    FileFormat* registered = FindFormat(Formats().Formats(), path);
    if (!registered) return Refused(path, "no picture format has this extension");
    const std::unique_ptr<FileFormat> reader = registered->Clone();
    if (!reader->Read(path)) return Refused(path, reader->MessageWithReason());
    const auto* png = dynamic_cast<const PngFormat*>(reader.get());
    const PaletteColors colors = PictureColors(reader->image.get(), png ? png->paletteEntries : -1);
    return {colors.colors, {}, {}, colors.note};
}

}  // namespace

PaletteFileResult LoadPaletteFile(const std::string& path, bool binIsPalette) {
    const auto layout = PaletteLayoutForPath(path, PaletteLayout::ColorList, binIsPalette);
    if (!layout) return UnknownName(path);
    try {
        if (*layout == PaletteLayout::Picture) return LoadPicturePalette(path);
        FileSource file;
        if (!file.Open(path)) return Refused(path, std::strerror(errno));
        if (file.Size() > kMaxPaletteFileSize)
            return Refused(path, "the file is " + std::to_string(file.Size()) +
                                     " bytes, too large for a palette");
        ByteReader reader(file);
        std::vector<std::uint8_t> bytes = reader.ReadRest(kMaxPaletteFileSize);
        const bool unpacked = *layout == PaletteLayout::GbaRaw && UnpackIfCompressed(bytes);
        PaletteColors colors = DecodePalette(*layout, bytes);
        if (unpacked) colors.note = "unpacked a compressed stream" +
                                    (colors.note.empty() ? "" : "; " + colors.note);
        return {std::move(colors.colors), {}, {}, std::move(colors.note)};
    } catch (const FormatError& error) {
        return Refused(path, error.text);
    } catch (const std::bad_alloc&) {
        return Refused(path, "not enough memory");
    }
}

PaletteFileResult SavePaletteFile(const std::string& path, std::span<const RgbQuad> colors,
                                  PaletteLayout palLayout, bool binIsPalette) {
    const auto layout = PaletteLayoutForPath(path, palLayout, binIsPalette);
    if (!layout) return UnknownName(path);
    if (*layout == PaletteLayout::Picture && ToLower(PathExtension(path)) != "png")
        return Refused(path, "palette pictures are written as .png");
    PaletteFileResult result;
    try {
        std::string name = FileNamePart(path);
        name = name.substr(0, name.find_last_of('.'));
        const std::string bytes = EncodePalette(*layout, colors, name, &result.note);
        if (!WriteFileAtomically(path, bytes)) return Refused(path, std::strerror(errno));
    } catch (const FormatError& error) {
        return Refused(path, error.text);
    }
    return result;
}

}  // namespace vorlin
