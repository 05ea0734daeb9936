// Shared body of the reader fuzz targets: read the input as a file of one
// format and, when it is accepted, write the picture back out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/byte_sink.h"
#include "formats/byte_source.h"

inline constexpr std::size_t kMaxWriteBack = std::size_t{1} << 24;

template <typename Format>
int FuzzReader(const std::uint8_t* data, std::size_t size) {
    Format format;
    vorlin::MemorySource source(data, size);
    // Writing back a picture of hundreds of megabytes adds nothing but time.
    if (format.ReadFrom(source, "fuzz") && vorlin::DibBlockSize(format.image.get()) <= kMaxWriteBack) {
        vorlin::MemorySink sink;
        format.WriteTo(sink);
    }
    return 0;
}
