#include "app/bank_move_check.h"

#include <array>

#include "app/bank_save_check.h"
#include "document/index_image.h"
#include "palette/bank_tiles.h"

namespace vorlin {

BankMoveLoss CountBankMoveLoss(const CIndexImage& image, int bank) {
    const std::array<std::uint64_t, 256> counts = CountIndices(image);
    const RgbQuad* palette = image.Palette();
    std::array<bool, 16> used{};
    BankMoveLoss loss;
    for (int v = 0; v < 256; ++v) {
        const std::uint64_t count = counts[static_cast<std::size_t>(v)];
        if (count == 0) continue;
        used[static_cast<std::size_t>(v / 16)] = true;
        if (!SameColour(palette[v], palette[16 * (bank & 15) + v % 16])) loss.changed += count;
    }
    for (bool u : used) loss.banksUsed += u;
    return loss;
}

std::string BankMoveQuestion(const BankMoveLoss& loss, int bank) {
    const int first = 16 * (bank & 15);
    return "The picture uses colours of " + std::to_string(loss.banksUsed) +
           " palette banks.\nMoving every pixel into palette bank " + std::to_string(bank & 15) +
           " (entries " + std::to_string(first) + " to " + std::to_string(first + 15) +
           ") changes the colour of " +
           (loss.changed == 1 ? std::string("1 pixel") : std::to_string(loss.changed) + " pixels") +
           ".\nMove them?";
}

}  // namespace vorlin
