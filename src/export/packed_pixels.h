// Reading pixels packed least significant first, as the exporter packs them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlin {

// Pixel p of a buffer packed at bpp (1, 2, 4 or 8) bits; 0 past its end.
inline unsigned PackedPixel(const std::vector<std::uint8_t>& data, std::size_t p, int bpp) {
    const std::size_t bit = p * static_cast<std::size_t>(bpp);
    if (bit / 8 >= data.size()) return 0;
    return (data[bit / 8] >> (bit % 8)) & ((1u << bpp) - 1);
}

}  // namespace vorlin
