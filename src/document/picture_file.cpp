#include "document/picture_file.h"

#include <memory>

#include "core/palette_map.h"
#include "document/index_image.h"
#include "formats/format_messages.h"
#include "formats/format_registry.h"

namespace vorlin {

namespace {

constexpr int kPaletteTypeId = 1;

bool IsEditorPicture(PackedDib dib) {
    return DibBitCount(dib) == 8 && DibIsTopDown(dib) && DibColorCount(dib) == kPaletteSize;
}

}  // namespace

std::unique_ptr<FileFormat> PictureHandlerFor(const std::string& path) {
    FileFormat* found = FindFormat(Formats().Formats(), path);
    if (!found || found->TypeId() == kPaletteTypeId) return nullptr;
    return found->Clone();
}

DibPtr EditorPicture(DibPtr dib) {
    if (!dib || IsEditorPicture(dib.get())) return dib;
    CIndexImage image;
    if (!image.SetFromDib(dib.get())) return nullptr;
    return DibPtr(image.ToDib(8, 0));
}

PictureRead ReadEditorPicture(const std::string& path, const QuantizeOptions& quantize,
                              std::span<const RgbQuad> palette) {
    PictureRead out;
    std::unique_ptr<FileFormat> handler = PictureHandlerFor(path);
    if (!handler) {
        out.error = kNoImageFormat;
        return out;
    }
    if (!handler->Read(path)) {
        out.error = handler->MessageWithReason();
        return out;
    }
    out.warning = ReadWarningLine(*handler);
    DibPtr read = handler->DetachImage();
    if (read) {
        out.fileDepth = DibBitCount(read.get());
        if (!palette.empty())
            read.reset(DibMapToPalette(read.get(), palette.data(), static_cast<int>(palette.size()),
                                       quantize.dither));
        else if (out.fileDepth > 8)
            read.reset(DibQuantize(read.get(), 8, quantize));
        out.picture = EditorPicture(std::move(read));
    }
    if (!out.picture) out.error = kMsgMemoryAllocation;
    return out;
}

}  // namespace vorlin
