#include "export/number_list.h"

namespace vorlin {

std::string NumberList(const std::vector<int>& numbers, const ListStyle& style) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        std::size_t last = i;
        while (style.runs && last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1)
            ++last;
        items.push_back(last == i ? std::to_string(numbers[i])
                                  : std::to_string(numbers[i]) + "-" + std::to_string(numbers[last]));
        i = last;
    }
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? style.lastSeparator : style.separator) +
                items[i];
    return text;
}

std::vector<int> SetBits(std::uint16_t bits) {
    std::vector<int> numbers;
    for (int b = 0; b < 16; ++b)
        if (bits & (1u << b)) numbers.push_back(b);
    return numbers;
}

}  // namespace vorlin
