// Palette files on disk in every layout the program knows: reading (a raw
// console palette may also arrive as a BIOS-compressed stream, which only this
// layer can undo) and writing beside the target, replacing it once complete.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "formats/palette_files.h"

namespace vorlin {

struct PaletteFileResult {
    std::vector<RgbQuad> colors;
    // Why the file was refused, naming it and where in it; empty on success.
    std::string error;
    // The same without the file's name, for messages that name it already.
    std::string what;
    // What was cut or rounded on the way; empty when nothing was.
    std::string note;

    bool Ok() const { return error.empty(); }
};

// Reads the palette of a palette file or a picture, chosen by the name's
// extension. On a refusal `colors` is empty.
PaletteFileResult LoadPaletteFile(const std::string& path, bool binIsPalette);
// Writes `colors` in the layout for the name (".pal" in `palLayout`).
PaletteFileResult SavePaletteFile(const std::string& path, std::span<const RgbQuad> colors,
                                  PaletteLayout palLayout, bool binIsPalette);

}  // namespace vorlin
