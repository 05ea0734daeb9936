#include "app/bank_save_check.h"

#include <algorithm>

#include "core/packed_dib.h"
#include "document/index_image.h"
#include "palette/bank_tiles.h"

namespace vorlin {

namespace {

// Which indices show another colour once written at 4 bits. The answer comes from the
// writer's own conversion of a 16 x 16 ramp of all indices, so it cannot drift from it.
std::array<bool, 256> IndicesThatChange(const CIndexImage& image, std::uint32_t offset) {
    std::array<bool, 256> changes;
    changes.fill(true);  // without memory to check, every pixel is taken as changing
    DibPtr ramp(DibCreate(16, 16, 8, nullptr, 1));
    if (!ramp) return changes;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            DibRow(ramp.get(), y)[x] = static_cast<std::uint8_t>(16 * y + x);
    std::copy_n(image.Palette(), 256, DibColors(ramp.get()));
    const DibPtr saved(DibConvert(ramp.get(), 4, offset));
    if (!saved) return changes;
    for (int v = 0; v < 256; ++v) {
        const std::uint8_t pair = DibRow(saved.get(), v / 16)[(v % 16) / 2];
        const int written = v % 2 ? pair & 0x0F : pair >> 4;
        changes[static_cast<std::size_t>(v)] =
            !SameColour(DibColors(saved.get())[written], image.Palette()[v]);
    }
    return changes;
}

std::string Pixels(std::uint64_t count) {
    return count == 1 ? "1 pixel uses" : std::to_string(count) + " pixels use";
}

}  // namespace

std::array<std::uint64_t, 256> CountIndices(const CIndexImage& image) {
    std::array<std::uint64_t, 256> counts{};
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) ++counts[row[x]];
    }
    return counts;
}

FourBitSaveLoss CountFourBitSaveLoss(const CIndexImage& image, std::uint32_t offset) {
    offset = offset / 16 % 16 * 16;
    const std::array<bool, 256> changes = IndicesThatChange(image, offset);
    const std::array<std::uint64_t, 256> counts = CountIndices(image);
    FourBitSaveLoss loss;
    for (std::uint32_t v = 0; v < 256; ++v) {
        if (!changes[v]) continue;
        (v == offset && offset != 0 ? loss.firstEntry : loss.outside) += counts[v];
    }
    return loss;
}

std::string FourBitSaveQuestion(const FourBitSaveLoss& loss, std::uint32_t offset) {
    const std::uint32_t first = offset / 16 % 16 * 16;
    const std::string bank = "palette bank " + std::to_string(first / 16);
    std::string text;
    if (loss.outside > 0)
        text = Pixels(loss.outside) + " colours outside " + bank + " (entries " +
               std::to_string(first) + " to " + std::to_string(first + 15) + ")";
    if (loss.firstEntry > 0) {
        text += loss.outside > 0 ? " and " + Pixels(loss.firstEntry) + " the bank's first entry"
                                 : Pixels(loss.firstEntry) + " the first entry of " + bank +
                                       " (entry " + std::to_string(first) + ")";
        text += ", which is saved as colour 0";
    }
    return text + ".\nSaving at 4 bits per pixel will change their colours.\nSave anyway?";
}

std::string FourBitSaveStatus(std::uint64_t changed) {
    return "Saved at 4 bits per pixel: " +
           (changed == 1 ? std::string("1 pixel differs")
                         : std::to_string(changed) + " pixels differ") +
           " from the picture, which stays marked as changed.";
}

}  // namespace vorlin
