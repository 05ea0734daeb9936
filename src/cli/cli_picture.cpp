#include "cli/cli_picture.h"

#include <filesystem>

#include "cli/cli_common.h"
#include "document/palette_file_io.h"
#include "document/picture_file.h"
#include "formats/format_messages.h"
#include "formats/file_format.h"
#include "formats/png_format.h"

namespace vorlin::cli {

namespace {

constexpr int kPngTypeId = 3;

std::unique_ptr<FileFormat> ImageHandlerFor(const std::string& path) {
    std::unique_ptr<FileFormat> handler = PictureHandlerFor(path);
    if (!handler) Failed(path, kNoImageFormat);
    return handler;
}

// The colours of the --palette file; a refusal ends the command.
std::vector<RgbQuad> TargetPalette(const std::string& path) {
    PaletteFileResult loaded = LoadPaletteFile(path, true);
    if (!loaded.Ok()) throw CliFailure{kExitFailed, loaded.error};
    if (loaded.colors.empty()) Failed(path, "the palette has no colours");
    if (!loaded.note.empty()) PrintWarning(path + ": " + loaded.note);
    return std::move(loaded.colors);
}

}  // namespace

bool ApplyQuantizeOption(ColorSource& colors, const std::string& option, ArgCursor& args) {
    QuantizeOptions& quantize = colors.quantize;
    if (option == "--palette") {
        colors.paletteFile = args.Value(option);
        return true;
    }
    if (option == "--dither") {
        quantize.dither = true;
        return true;
    }
    if (option != "--quantize") return false;
    quantize.quality = ParseChoice(args.Value(option), option, {"fast", "best"}) == 1
                           ? QuantizeQuality::kBest
                           : QuantizeQuality::kFast;
    return true;
}

OpenedPicture OpenPicture(const std::string& path, const ColorSource& colors) {
    const std::vector<RgbQuad> palette =
        colors.paletteFile.empty() ? std::vector<RgbQuad>{} : TargetPalette(colors.paletteFile);
    PictureRead read = ReadEditorPicture(path, colors.quantize, palette);
    if (!read.picture) Failed(path, read.error);
    // What the reader filled in is worth knowing, but the picture is usable.
    if (!read.warning.empty()) PrintWarning(read.warning);
    return {std::move(read.picture), read.fileDepth};
}

void SavePicture(DibPtr picture, const std::string& path, const SaveOptions& options) {
    std::unique_ptr<FileFormat> handler = ImageHandlerFor(path);
    picture = EditorPicture(std::move(picture));
    if (!picture) Failed(path, kMsgMemoryAllocation);
    const std::uint32_t offset = options.depth == 4 ? 16u * options.subPalette : 0u;
    DibPtr out = options.depth == 8 ? std::move(picture)
                                    : DibPtr(DibConvert(picture.get(), options.depth, offset));
    if (!out) Failed(path, kMsgMemoryAllocation);
    handler->depth = options.depth;
    if (handler->TypeId() == kPngTypeId)
        static_cast<PngFormat&>(*handler).transparent = options.transparent ? 1 : 0;
    handler->AttachImage(std::move(out));
    // Like every other output, a picture may go into a folder that does not exist yet;
    // if it cannot be made, the write below says so.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    if (!handler->Write(path)) Failed(path, handler->MessageWithReason());
}

}  // namespace vorlin::cli
