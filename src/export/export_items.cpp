#include "export/export_items.h"

namespace vorlin {

namespace {
constexpr int kLinesPerGroup = 8;
constexpr char kHexDigits[] = "0123456789ABCDEF";
}  // namespace

std::string ItemDigits(const DataBlock& data, int unit, int k) {
    std::string digits;
    digits.reserve(2 * static_cast<std::size_t>(unit));
    const std::size_t base = static_cast<std::size_t>(k) * static_cast<std::size_t>(unit);
    for (int i = unit - 1; i >= 0; --i) {
        const std::size_t at = base + static_cast<std::size_t>(i);
        const std::uint8_t byte = at < data.bytes.size() ? data.bytes[at] : 0;
        digits += kHexDigits[byte >> 4];
        digits += kHexDigits[byte & 0x0F];
    }
    return digits;
}

void AppendItems(std::string& out, const WriteBlock& block, const ItemStyle& style) {
    if (!block.data) return;
    const int perLine = UnitItemsPerLine(block.unit);
    for (int k = 0; k < block.items; ++k) {
        const bool lineStart = k % perLine == 0;
        if (lineStart && k != 0 && k % (perLine * kLinesPerGroup) == 0) out += '\n';
        out += lineStart ? style.lineStart : style.between;
        out += ItemDigits(*block.data, block.unit, k);
        out += style.after;
    }
}

}  // namespace vorlin
