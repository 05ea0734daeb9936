// Helpers for raster tests: small surfaces drawn as text, one character per pixel.
#pragma once

#include <string>
#include <vector>

#include "core/raster.h"

namespace vorlin::test {

// Rows joined by '\n'; index 0 as '.', any other index as `mark` (or its digit if mark is 0).
inline std::string Picture(const IndexSurface& s, char mark = '#') {
    std::string out;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            const int v = s.Row(y)[x];
            out += v == 0 ? '.' : (mark != 0 ? mark : static_cast<char>('0' + v % 10));
        }
        out += '\n';
    }
    return out;
}

// A surface from rows of digits ('.' = 0).
inline IndexSurface FromPicture(const std::vector<std::string>& rows) {
    IndexSurface s(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            const char c = rows[y][x];
            s.Row(y)[x] = c == '.' ? 0 : static_cast<std::uint8_t>(c - '0');
        }
    }
    return s;
}

inline int CountIndex(const IndexSurface& s, std::uint8_t index) {
    int n = 0;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) n += s.Row(y)[x] == index;
    }
    return n;
}

}  // namespace vorlin::test
