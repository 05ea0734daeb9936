// The program's common image block: a packed device-independent bitmap (40-byte
// information header, colour table of biClrUsed entries, rows padded to 4 bytes)
// reached through a small handle. Plain functions; failures return null or 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace vorlin {

#pragma pack(push, 1)
struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;  // negative: top-down
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};

struct RgbQuad {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};
#pragma pack(pop)
static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(sizeof(RgbQuad) == 4);

inline bool operator==(const RgbQuad& a, const RgbQuad& b) {
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed &&
           a.rgbReserved == b.rgbReserved;
}

// The handle: a cell that holds the address of the block.
struct DibCell {
    std::uint8_t* block;
};
using PackedDib = DibCell*;

// Sanity limits for anything that may come from a file.
// Pictures read from files or made by the user: at most this wide and high.
inline constexpr int kDibMaxSide = 65536;
// Working layouts (a picture re-laid as one column of 8-pixel tiles) may be much taller than any
// picture; a side this long still keeps width x 32 bits inside an int.
inline constexpr int kDibMaxLayoutSide = 1 << 24;
inline constexpr std::uint64_t kDibMaxArea = std::uint64_t{1} << 28;
// Largest pixel area (bytes) DibCreate will allocate.
inline constexpr std::uint64_t kDibMaxPixelBytes = std::uint64_t{1} << 30;

// --- construction and lifetime ---
// True for the depths a dib may have: 1, 4, 8, 16, 24, 32.
bool DibIsLegalDepth(int bitsPerPixel);
PackedDib DibCreate(int width, int height, int bitsPerPixel, const void* srcPixels, int topDown);
void DibFree(PackedDib dib);
PackedDib DibDuplicate(PackedDib dib);

// RAII owner for callers that hold a dib across early returns.
struct DibDeleter {
    void operator()(DibCell* dib) const { DibFree(dib); }
};
using DibPtr = std::unique_ptr<DibCell, DibDeleter>;

// --- layout accessors (dib must not be null) ---
inline BitmapInfoHeader* DibHeader(PackedDib dib) {
    return reinterpret_cast<BitmapInfoHeader*>(dib->block);
}
inline int DibWidth(PackedDib dib) {
    return DibHeader(dib)->biWidth;
}
inline int DibHeight(PackedDib dib) {
    const int h = DibHeader(dib)->biHeight;
    return h < 0 ? -h : h;
}
inline int DibBitCount(PackedDib dib) {
    return DibHeader(dib)->biBitCount;
}
inline bool DibIsTopDown(PackedDib dib) {
    return DibHeader(dib)->biHeight < 0;
}
inline int DibColorCount(PackedDib dib) {
    return static_cast<int>(DibHeader(dib)->biClrUsed);
}
// Bytes per stored row: rows are padded to a multiple of 4 bytes.
inline std::size_t DibStrideFor(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) *
           4;
}
inline std::size_t DibStride(PackedDib dib) {
    return DibStrideFor(DibWidth(dib), DibBitCount(dib));
}
inline RgbQuad* DibColors(PackedDib dib) {
    return reinterpret_cast<RgbQuad*>(dib->block + 40);
}
inline std::uint8_t* DibPixels(PackedDib dib) {
    return dib->block + 40 + 4 * DibHeader(dib)->biClrUsed;
}
// Row in memory order (row 0 is the first stored row).
inline std::uint8_t* DibRow(PackedDib dib, int row) {
    return DibPixels(dib) + DibStride(dib) * static_cast<std::size_t>(row);
}
// Row of the picture counted from the top, whatever the orientation.
inline std::uint8_t* DibPictureRow(PackedDib dib, int y) {
    return DibRow(dib, DibIsTopDown(dib) ? y : DibHeight(dib) - 1 - y);
}
inline std::size_t DibBlockSize(PackedDib dib) {
    return 40 + 4 * static_cast<std::size_t>(DibHeader(dib)->biClrUsed) +
           DibHeader(dib)->biSizeImage;
}

// --- operations ---
int DibFlipRows(PackedDib dib);
PackedDib DibCrop(PackedDib dib, int x1, int y1, int x2, int y2, int clip);
PackedDib DibRetile(PackedDib dib, int newWidth, int blockHeight, int blockLimit);
int DibMovePaletteEntries(PackedDib dib, const std::uint8_t* dest, const std::uint8_t* src,
                          int count);
int DibRemapPixels(PackedDib dib, const std::uint8_t* from, const std::uint8_t* to, int count);

// Index surface exchange (our stand-in for the platform bitmap): an 8-bit
// top-down buffer with the PackedDib stride. See core/index_surface.h.
struct IndexSurface;
// Returns a surface holding a copy of the pixels of an 8-bpp dib (orientation
// normalised to top-down), or null for other depths.
std::unique_ptr<IndexSurface> DibToBitmap(PackedDib dib);
// New top-down 8-bpp dib from the surface's pixels and the given 256-entry palette (may be null:
// ramp).
PackedDib DibFromBitmap(const IndexSurface& surface, const RgbQuad* palette);

// --- bit-depth conversion ---
inline constexpr std::uint32_t kOffsetMask = 0x3FFFFFFFu;
inline constexpr std::uint32_t kOffsetMsbFirst = 1u << 30;
inline constexpr std::uint32_t kOffsetForce = 1u << 31;

PackedDib DibConvert(PackedDib dib, int newBitsPerPixel, std::uint32_t offset);
// Repack a stream of pixels between depths 1, 2, 4 and 8. Reads exactly srcLength
// bytes and writes ceil(srcLength * 8 / srcBpp * destBpp / 32) whole words, the
// bits past the last pixel being 0. Values that do not fit the destination depth
// keep their low bits. Returns 0 for an unsupported depth, else 1.
int DibUnpackBits(std::uint32_t* dest, const std::uint32_t* src, std::size_t srcLength, int srcBpp,
                  int destBpp, std::uint32_t offset);
int DibPackBits(std::uint32_t* dest, const std::uint32_t* src, std::size_t srcLength, int srcBpp,
                int destBpp, std::uint32_t offset);

}  // namespace vorlin
