// Portable Network Graphics files through libpng: every colour type and bit
// depth is read (2-bit files become 4-bit, grey with alpha becomes 32-bit);
// 1, 4, 8, 24 and 32 bits per pixel are written.
#pragma once

#include "formats/file_format.h"

namespace vorlin {

class PngFormat : public FileFormat {
  public:
    std::unique_ptr<FileFormat> Clone() const override { return std::make_unique<PngFormat>(); }
    int TypeId() const override { return 3; }
    std::string_view Extensions() const override { return "png"; }
    std::string_view Description() const override { return "Portable Network Graphics"; }
    std::string_view ShortName() const override { return "PNG"; }
    void TakeOptions(const FileFormat& other) override;

    // Read: the file has a transparency chunk. Write: make `transparentIndex`
    // fully transparent (every lower index opaque).
    int transparent = 0;
    int transparentIndex = 0;
    // Read: how many entries the file's palette chunk defined; -1 without one.
    int paletteEntries = -1;

  protected:
    DibPtr Decode(ByteSource& source) override;
    void CheckWritable(PackedDib dib) const override;
    void Encode(PackedDib dib, ByteSink& sink) override;
};

}  // namespace vorlin
