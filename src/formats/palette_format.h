// Palette files: the "CLRX" text colour list (read and written), RIFF "PAL data"
// and "JASC-PAL" (read). The palette travels in a palette holder: a 1 x 1, 8-bpp
// dib whose biClrUsed is the number of colours present.
#pragma once

#include "formats/file_format.h"

namespace vorlin {

class PaletteFormat : public FileFormat {
  public:
    std::unique_ptr<FileFormat> Clone() const override { return std::make_unique<PaletteFormat>(); }
    int TypeId() const override { return 1; }
    std::string_view Extensions() const override { return "pal"; }
    std::string_view Description() const override { return "Palette Files"; }
    std::string_view ShortName() const override { return "PAL"; }

  protected:
    DibPtr Decode(ByteSource& source) override;
    void Encode(PackedDib dib, ByteSink& sink) override;
};

// A holder for up to 256 colours, all black, biClrUsed 256 until lowered.
DibPtr CreatePaletteHolder();
// Lowers the holder's colour count (the pixel area moves up behind the table).
void SetHolderColorCount(PackedDib holder, int count);

}  // namespace vorlin
