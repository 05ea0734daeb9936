#include "export/export_names.h"

#include <cctype>

namespace vorlin {

namespace {

constexpr SizeCodeNames kSizeCodes[] = {
    {1, "char", ".byte", 16, "u8"},
    {2, "short", ".hword", 8, "u16"},
    {4, "int", ".word", 8, "u32"},
};

constexpr const char* kCompressionSummary[] = {"not", "lz77", "huf", "rle"};
constexpr const char* kCompressionCaptions[] = {"none", "lz77", "huff", "rle"};
constexpr const char* kKindExtensions[] = {"c", "s", "bin", "gbfs"};
constexpr const char* kKindCaptions[] = {"C (*.c)", "GAS (*.s)", "Binary (*.bin)", "GBFS (*.gbfs)"};
constexpr const char* kSuffixes[] = {"Pal", "Tiles", "Bitmap", "Map", "MetaMap"};

// The hardware's object sizes, [shape][size].
constexpr TileGroupSize kPresets[3][4] = {
    {{1, 1}, {2, 2}, {4, 4}, {8, 8}},
    {{2, 1}, {4, 1}, {4, 2}, {8, 4}},
    {{1, 2}, {1, 4}, {2, 4}, {4, 8}},
};

template <std::size_t N>
const char* Lookup(const char* const (&table)[N], int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? table[index] : "";
}

std::size_t FileNameStart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

const SizeCodeNames* SizeCodeInfo(int sizeCode) {
    return sizeCode >= 0 && sizeCode < 3 ? &kSizeCodes[sizeCode] : nullptr;
}

const char* CompressionSummaryName(int code) {
    return Lookup(kCompressionSummary, code);
}
const char* CompressionCaption(int code) {
    return Lookup(kCompressionCaptions, code);
}
const char* FileKindExtension(int kind) {
    return Lookup(kKindExtensions, kind);
}
const char* FileKindCaption(int kind) {
    return Lookup(kKindCaptions, kind);
}
const char* ArraySuffixName(int suffix) {
    return Lookup(kSuffixes, suffix);
}

int FileKindFromExtension(const std::string& extension) {
    for (int kind = 0; kind < 4; ++kind)
        if (extension == kKindExtensions[kind]) return kind;
    return -1;
}

TileGroupSize TileGroupPreset(int shape, int size) {
    if (shape < 0 || shape >= kGroupShapeCount || size < 0 || size >= kGroupSizeCount)
        return {1, 1};
    return kPresets[shape][size];
}

void SanitizeIdentifier(std::string& name, std::size_t limit) {
    if (name.size() > limit) name.resize(limit);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        // Only ASCII counts: a byte of a multi-byte character is never a C letter.
        const bool letter = c < 0x80 && std::isalpha(c);
        const bool ok = i == 0 ? letter : letter || (c < 0x80 && std::isdigit(c)) || c == '_';
        if (!ok) name[i] = '_';
    }
}

std::string PathDirectory(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : path.substr(0, slash);  // keep the root
}

std::string PathFileTitle(const std::string& path) {
    const std::size_t start = FileNameStart(path);
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) return path.substr(start);
    return path.substr(start, dot - start);
}

std::string PathExtension(const std::string& path) {
    const std::size_t start = FileNameStart(path);
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) return std::string();
    return path.substr(dot + 1);
}

void NormalizeSlashes(std::string& path) {
    for (char& c : path)
        if (c == '\\') c = '/';
}

}  // namespace vorlin
