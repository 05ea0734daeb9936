// Truevision TGA files: colour-mapped, true-colour and grey images, raw or
// run-length coded; written uncompressed.
#pragma once

#include "formats/file_format.h"

namespace vorlin {

class TgaFormat : public FileFormat {
  public:
    std::unique_ptr<FileFormat> Clone() const override { return std::make_unique<TgaFormat>(); }
    int TypeId() const override { return 4; }
    std::string_view Extensions() const override { return "tga,targa"; }
    std::string_view Description() const override { return "Truevision Targa"; }
    std::string_view ShortName() const override { return "targa"; }

  protected:
    DibPtr Decode(ByteSource& source) override;
    void Encode(PackedDib dib, ByteSink& sink) override;
};

}  // namespace vorlin
