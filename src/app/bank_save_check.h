// A picture saved at 4 bits per pixel keeps only the 16 colours of one bank, with entry 0
// of the file taken from the document's entry 0. Pixels of other banks take the colour of
// their low four bits, and pixels of the bank's own first entry take entry 0's colour. The
// file commands count the pixels whose colour would change and ask before such a save.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vorlin {

class CIndexImage;

// How many pixels of each index the picture holds.
std::array<std::uint64_t, 256> CountIndices(const CIndexImage& image);

// Pixels whose colour a 4-bit save into the bank at `offset` (a multiple of 16) changes.
// Counted by colour, not by index: a pixel whose new colour equals its old one is not lost.
struct FourBitSaveLoss {
    std::uint64_t outside = 0;     // pixels of indices outside the bank
    std::uint64_t firstEntry = 0;  // pixels of the bank's first entry (offset ≥ 16), saved as 0
    std::uint64_t Total() const { return outside + firstEntry; }
};

FourBitSaveLoss CountFourBitSaveLoss(const CIndexImage& image, std::uint32_t offset);

// The Yes/No question shown before a save that changes `loss.Total()` > 0 pixels.
std::string FourBitSaveQuestion(const FourBitSaveLoss& loss, std::uint32_t offset);
// The status line after such a save: the file differs from the picture, which stays modified.
std::string FourBitSaveStatus(std::uint64_t changed);

}  // namespace vorlin
