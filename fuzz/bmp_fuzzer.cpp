#include "formats/bmp_format.h"
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzReader<vorlin::BmpFormat>(data, size);
}
