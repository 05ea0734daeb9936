// Little-endian field access in byte buffers: every file and hardware format
// the program reads or writes stores its numbers this way.
#pragma once

#include <cstdint>

namespace vorlin {

inline std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t Le24(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
}
inline std::uint32_t Le32(const std::uint8_t* p) {
    return Le24(p) | (std::uint32_t{p[3]} << 24);
}
inline void PutLe16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void PutLe32(std::uint8_t* p, std::uint32_t v) {
    PutLe16(p, v);
    PutLe16(p + 2, v >> 16);
}

}  // namespace vorlin
