// A picture saved at 4 bits per pixel keeps only the 16 colours of one bank; pixels with
// other indices would silently take the colour of their low four bits. The file commands
// count them first and ask before such a save.
#pragma once

#include <cstdint>
#include <string>

namespace vorlin {

class CIndexImage;

// Pixels whose index lies outside the 16 entries starting at `offset` (a multiple of 16).
std::uint64_t CountPixelsOutsideBank(const CIndexImage& image, std::uint32_t offset);

// The Yes/No question shown before a save that would change `count` pixels.
std::string OutsideBankQuestion(std::uint64_t count, std::uint32_t offset);

}  // namespace vorlin
