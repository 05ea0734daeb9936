#include "formats/read_warnings.h"

#include <array>
#include <cstdio>

#include "formats/format_messages.h"

namespace vorlin {

namespace {

std::string Fill(const char* pattern, std::uint64_t a, std::uint64_t b = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, static_cast<unsigned long long>(a),
                  static_cast<unsigned long long>(b));
    return text;
}

// Which of the 2^depth indices the pixels use.
std::array<bool, 256> UsedIndices(PackedDib dib) {
    std::array<bool, 256> used{};
    const int bpp = DibBitCount(dib);
    const int width = DibWidth(dib);
    const int perByte = 8 / bpp;
    const int mask = (1 << bpp) - 1;
    for (int y = 0; y < DibHeight(dib); ++y) {
        const std::uint8_t* row = DibRow(dib, y);
        if (bpp == 8) {
            for (int x = 0; x < width; ++x) used[row[x]] = true;
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bpp * (x % perByte + 1);
            used[static_cast<std::size_t>((row[x / perByte] >> shift) & mask)] = true;
        }
    }
    return used;
}

}  // namespace

std::string RowsMissingWarning(std::uint64_t missing, std::uint64_t total) {
    return Fill(kWarnRowsMissing, missing, total);
}

std::string TableCutWarning(std::uint64_t declared, std::uint64_t kept) {
    return Fill(kWarnTableCut, declared, kept);
}

std::string UndefinedIndexWarning(std::uint64_t index) {
    return Fill(kWarnUndefinedIndex, index);
}

int FirstIndexOutside(PackedDib dib, int first, int end) {
    const int bpp = DibBitCount(dib);
    if (bpp > 8 || (first <= 0 && end >= (1 << bpp))) return -1;
    const std::array<bool, 256> used = UsedIndices(dib);
    for (int i = 0; i < (1 << bpp); ++i)
        if (used[static_cast<std::size_t>(i)] && (i < first || i >= end)) return i;
    return -1;
}

}  // namespace vorlin
