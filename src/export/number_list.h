// Lists of numbers as the figures and warnings print them: palette banks,
// colour ranges, JSON arrays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorlin {

struct ListStyle {
    const char* separator = ", ";
    const char* lastSeparator = " and ";  // before the last item
    bool runs = false;                    // consecutive numbers as "first-last"
};

// "1, 2 and 5", or with runs "1-8, 33 and 40-63"; "" for no numbers.
std::string NumberList(const std::vector<int>& numbers, const ListStyle& style);

// The numbers of the set bits, lowest first.
std::vector<int> SetBits(std::uint16_t bits);

}  // namespace vorlin
