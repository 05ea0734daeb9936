// The palette layouts read as whole buffers (GIMP, Adobe table, hex list, raw
// console colours, the ".pal" detection): the first byte picks the layout, and
// whatever is accepted is written back in the same layout.
#include <cstddef>
#include <cstdint>

#include "formats/format_error.h"
#include "formats/palette_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorlin::PaletteLayout;
    constexpr PaletteLayout kLayouts[] = {PaletteLayout::Gimp, PaletteLayout::Act,
                                          PaletteLayout::Hex, PaletteLayout::GbaRaw,
                                          PaletteLayout::Jasc};
    if (size == 0) return 0;
    const PaletteLayout layout = kLayouts[data[0] % std::size(kLayouts)];
    try {
        const vorlin::PaletteColors read = vorlin::DecodePalette(layout, {data + 1, size - 1});
        vorlin::EncodePalette(layout, read.colors, "fuzz");
    } catch (const vorlin::FormatError&) {
    }
    return 0;
}
