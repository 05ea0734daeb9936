// Small helpers shared by the dib operations; not part of the public interface.
#pragma once

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "core/packed_dib.h"

namespace vorlin {

// Copies as many colour entries as both tables hold; neither table is overrun.
inline void DibCopyColorTable(PackedDib dest, PackedDib src) {
    const int count = std::min(DibColorCount(dest), DibColorCount(src));
    if (count > 0)
        std::memcpy(DibColors(dest), DibColors(src), 4 * static_cast<std::size_t>(count));
}

inline void DibZeroPixels(PackedDib dib) {
    std::memset(DibPixels(dib), 0, DibHeader(dib)->biSizeImage);
}

// Resizes a scratch vector without letting an allocation failure escape.
template <typename T>
bool TryResize(std::vector<T>& v, std::size_t count) {
    try {
        v.resize(count);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

}  // namespace vorlin
