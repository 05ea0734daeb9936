// Reading a picture file the way the editor's Open does, for callers that
// export pictures without opening them as documents.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "core/packed_dib.h"
#include "core/quantize.h"
#include "formats/file_format.h"

namespace vorlin {

inline constexpr char kNoImageFormat[] = "not an image file name (use .bmp, .pcx, .tga or .png)";

// A fresh handler for a BMP, PCX, TGA or PNG file name; null for any other name.
std::unique_ptr<FileFormat> PictureHandlerFor(const std::string& path);

struct PictureRead {
    DibPtr picture;       // 8 bpp, 256 colours, top-down; null on a failure
    int fileDepth = 0;    // bits per pixel of the file
    std::string error;    // why the file could not be read, when picture is null
    std::string warning;  // what the reader had to fill in (the picture is usable)
};

// Reads a BMP, PCX, TGA or PNG file and brings it to the editor's 8-bpp
// picture (a true-colour file reduced as `quantize` says; with a `palette`,
// any file mapped onto those colours instead, `quantize.dither` diffusing).
PictureRead ReadEditorPicture(const std::string& path, const QuantizeOptions& quantize = {},
                              std::span<const RgbQuad> palette = {});

// The picture as the editor holds it (top-down, 8 bpp, 256 colours): `dib` itself
// when it already is, else a fresh block; null when that cannot be made.
DibPtr EditorPicture(DibPtr dib);

}  // namespace vorlin
