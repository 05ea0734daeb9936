// Windows bitmap files: uncompressed BMP at 1, 4, 8, 16, 24 and 32 bits per pixel.
#pragma once

#include "formats/file_format.h"

namespace vorlin {

class BmpFormat : public FileFormat {
  public:
    std::unique_ptr<FileFormat> Clone() const override { return std::make_unique<BmpFormat>(); }
    int TypeId() const override { return 0; }
    std::string_view Extensions() const override { return "bmp"; }
    std::string_view Description() const override { return "Windows Bitmap"; }
    std::string_view ShortName() const override { return "BMP"; }

  protected:
    DibPtr Decode(ByteSource& source) override;
    void Encode(PackedDib dib, ByteSink& sink) override;
};

}  // namespace vorlin
