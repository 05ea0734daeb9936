// Reading and writing pictures the way the editor's Open and Save As do.
#pragma once

#include <string>

#include "cli/cli_common.h"
#include "core/packed_dib.h"
#include "core/quantize.h"

namespace vorlin::cli {

struct OpenedPicture {
    DibPtr picture;  // 8 bpp, 256 colours, top-down
    int fileDepth = 0;
};

// How a picture's colours become the 8-bpp picture's.
struct ColorSource {
    QuantizeOptions quantize;
    // A palette file the picture is mapped onto instead; empty: the file's own colours.
    std::string paletteFile;
};

// Reads a BMP, PCX, TGA or PNG file and brings it to the 8-bpp picture (a true-colour
// file reduced, or any file mapped onto a palette, as `colors` says); a failure ends
// the command with status 1 naming the file and the reason.
OpenedPicture OpenPicture(const std::string& path, const ColorSource& colors = {});

// Takes --quantize fast|best, --dither and --palette FILE; false for any other option.
bool ApplyQuantizeOption(ColorSource& colors, const std::string& option, ArgCursor& args);

struct SaveOptions {
    int depth = 8;             // 4, 8 or 24
    int subPalette = 0;        // 0..15: the 16-colour bank a 4-bpp file takes
    bool transparent = false;  // PNG: index 0 becomes transparent
};

// Writes the 8-bpp picture as Save As does, picking the format by extension; the
// picture is used up on the way.
void SavePicture(DibPtr picture, const std::string& path, const SaveOptions& options);

}  // namespace vorlin::cli
