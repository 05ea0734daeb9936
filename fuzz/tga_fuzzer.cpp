#include "formats/tga_format.h"
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzReader<vorlin::TgaFormat>(data, size);
}
