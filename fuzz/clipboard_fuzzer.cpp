// The clipboard bitmap parser: any bytes another program put on the clipboard.
#include <cstddef>
#include <cstdint>

#include "tools/clipboard_dib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorlin::RgbQuad palette[256] = {};
    for (int i = 0; i < 256; ++i)
        palette[i] = vorlin::RgbQuad{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                     static_cast<std::uint8_t>(i * 7), 0};
    const auto picture = vorlin::UnpackClipboardDib(data, size, palette);
    // A picture that was read must pack again: both directions see the same bytes.
    if (picture) vorlin::PackClipboardDib(*picture, palette);
    return 0;
}
