// ZSoft PCX files: run-length coded, 1 bit, 4 bits (four 1-bit planes or one
// 4-bit plane), 8 bits and 24 bits (three 8-bit planes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/file_format.h"

namespace vorlin {

class PcxFormat : public FileFormat {
  public:
    std::unique_ptr<FileFormat> Clone() const override { return std::make_unique<PcxFormat>(); }
    int TypeId() const override { return 2; }
    std::string_view Extensions() const override { return "pcx"; }
    std::string_view Description() const override { return "ZSoft Paintbrush"; }
    std::string_view ShortName() const override { return "PCX"; }
    void TakeOptions(const FileFormat& other) override;

    // Set by a read when the file says its palette is a grey ramp; a write then
    // says so too and leaves the 256-colour palette out.
    int greyscale = 0;

  protected:
    DibPtr Decode(ByteSource& source) override;
    void CheckWritable(PackedDib dib) const override;
    void Encode(PackedDib dib, ByteSink& sink) override;
};

// Run-length codes one scan line (all planes as one stream); returns the bytes added.
std::size_t PcxEncodeLine(const std::uint8_t* line, std::size_t length,
                          std::vector<std::uint8_t>& out);
// Decodes one scan line of `want` bytes from `data`; runs are cut at the end of
// the line and decoding stops at the end of the data (the rest of the line is 0).
// Returns the encoded bytes consumed; `complete` (when given) says whether the
// data held the whole line.
std::size_t PcxDecodeLine(const std::uint8_t* data, std::size_t available, std::uint8_t* line,
                          std::size_t want, bool* complete = nullptr);

}  // namespace vorlin
