// Names the writers, the summary and the dialog use for the export's
// enumerations, the tile-group presets, and the helpers that turn file names
// into output names and C identifiers.
#pragma once

#include <cstdint>
#include <string>

namespace vorlin {

// Per size code (0 u8, 1 u16, 2 u32).
struct SizeCodeNames {
    int unit;           // bytes per printed item
    const char* cType;  // "char", "short", "int"
    const char* asmDirective;
    int itemsPerLine;
    const char* caption;  // dialog caption
};
// Null for codes outside 0..2.
const SizeCodeNames* SizeCodeInfo(int sizeCode);

// Per compression code (0 none, 1 lz77, 2 huffman, 3 rle).
const char* CompressionSummaryName(int code);  // "not", "lz77", "huf", "rle"; "" when unknown
const char* CompressionCaption(int code);      // "none", "lz77", "huff", "rle"; "" when unknown

// Per file kind (0 C, 1 assembler, 2 binary, 3 GBFS).
const char* FileKindExtension(int kind);  // "c", "s", "bin", "gbfs"; "" when unknown
const char* FileKindCaption(int kind);    // "C (*.c)" ...; "" when unknown
// Kind for a lower-case extension without dot, or -1.
int FileKindFromExtension(const std::string& extension);

// Array name suffixes, numbered as the header and archive writers refer to them.
enum ArraySuffix { SUFFIX_PAL = 0, SUFFIX_TILES, SUFFIX_BITMAP, SUFFIX_MAP, SUFFIX_META_MAP };
inline constexpr int kArraySuffixCount = 5;
const char* ArraySuffixName(
    int suffix);  // "Pal", "Tiles", "Bitmap", "Map", "MetaMap"; "" when unknown

// Tile-group presets: shape 0 "sqr", 1 "wide", 2 "tall"; size 0..3 for "1", "2", "4", "8".
inline constexpr int kGroupShapeCount = 3;
inline constexpr int kGroupSizeCount = 4;
struct TileGroupSize {
    int width;
    int height;
};
// 1 x 1 for indices out of range.
TileGroupSize TileGroupPreset(int shape, int size);

// Turns a name into a C identifier in place: a first character that is not a
// letter becomes '_', later characters other than letters, digits and '_'
// become '_', at most limit characters are kept.
void SanitizeIdentifier(std::string& name, std::size_t limit);

// Path pieces with '/' as the separator.
std::string PathDirectory(const std::string& path);  // before the last '/', "" when none
std::string PathFileTitle(const std::string& path);  // file name without its last extension
std::string PathExtension(const std::string& path);  // after the last '.' of the file name
// Turns every '\' into '/', in place.
void NormalizeSlashes(std::string& path);

}  // namespace vorlin
