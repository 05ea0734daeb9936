// A 64-bit digest of what a saved file holds of the document: size, pixels and palette.
#pragma once

#include <cstdint>

namespace vorlin {

class CIndexImage;

// Equal pictures give equal values; different ones differ but for a chance of 2^-64.
std::uint64_t PictureFingerprint(const CIndexImage& image);

}  // namespace vorlin
