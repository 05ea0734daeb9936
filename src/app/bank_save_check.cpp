#include "app/bank_save_check.h"

#include "document/index_image.h"

namespace vorlin {

std::uint64_t CountPixelsOutsideBank(const CIndexImage& image, std::uint32_t offset) {
    const std::uint32_t bank = offset / 16;
    std::uint64_t count = 0;
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) count += (row[x] >> 4) != bank;
    }
    return count;
}

std::string OutsideBankQuestion(std::uint64_t count, std::uint32_t offset) {
    const std::uint32_t first = offset / 16 * 16;
    const std::string pixels = count == 1 ? "1 pixel uses" : std::to_string(count) + " pixels use";
    return pixels + " colours outside palette bank " + std::to_string(first / 16) + " (entries " +
           std::to_string(first) + " to " + std::to_string(first + 15) +
           ").\nSaving at 4 bits per pixel will change them to colours of that bank.\n"
           "Save anyway?";
}

}  // namespace vorlin
