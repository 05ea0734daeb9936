#include "app/export_dialog_values.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace vorlin {

namespace {

constexpr int kPaletteSize = 256;

// Sums of dialog numbers stay within the 32-bit fields even for absurd input.
std::int32_t SaturatedSum(std::int64_t a, std::int64_t b) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(a + b, INT32_MIN, INT32_MAX));
}

std::string Lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void RebuildPathBox(ExportDialogValues& values) {
    values.path = values.folder + "/" + values.title + "." + FileKindExtension(values.fileType);
}

// Folder, title and (for a known extension) type of an output path, by one
// rule for proposed and typed paths alike. True when the type changed.
bool SplitOutputPath(ExportDialogValues& values, const std::string& rawPath) {
    std::string path = rawPath;
    NormalizeSlashes(path);
    values.folder = PathDirectory(path);
    if (values.folder.empty()) values.folder = values.documentFolder;
    const std::string extension = Lowered(PathExtension(path));
    values.title = PathFileTitle(path);
    if (extension == FileKindExtension(OUT_KIND_BIN)) values.title = PathFileTitle(values.title);
    const int kind = FileKindFromExtension(extension);
    const bool changed = kind >= 0 && kind != values.fileType;
    if (kind >= 0) values.fileType = kind;
    if (!values.useName) values.name = values.title;  // the greyed name box shows the title used
    return changed;
}

std::uint32_t CompressionBits(int code) {
    return WithCompression(0, code);
}

void FillPalette(const ExportDialogValues& v, ExportJob& job) {
    if (!v.palEnabled) return;
    job.palFlags |= BLK_EXPORT;
    job.palStart = v.palStart;
    job.palEnd = std::min(SaturatedSum(v.palStart, v.palNum), kPaletteSize);
}

void FillGraphics(const ExportDialogValues& v, PackedDib picture, ExportJob& job) {
    if (!v.imgEnabled) return;
    job.imgFlags |= BLK_EXPORT | CompressionBits(v.imgCompression);
    if (v.imgBitmap) job.imgFlags |= IMG_BITMAP;
    job.bpp = BppFromIndex(v.bppIndex);
    if (job.bpp > 8) {
        job.imgFlags |= IMG_COLOR_KEY;
        if (picture && DibColorCount(picture) > 0) job.colorKey = DibColors(picture)[0];
    }
}

void FillMap(const ExportDialogValues& v, ExportJob& job) {
    if (!v.mapEnabled) return;
    job.mapFlags |= BLK_EXPORT | CompressionBits(v.mapCompression);
    if (v.mapLayout == MAP_LAYOUT_SBB) job.mapFlags |= MAP_SBB;
    if (v.mapLayout == MAP_LAYOUT_AFFINE) job.mapFlags |= MAP_AFFINE;
    if (v.reduce) {
        job.mapFlags |= MAP_REDUCE;
        if (v.reduceFlip) job.mapFlags |= MAP_FLIP;
        if (v.reducePal) job.mapFlags |= MAP_PALBANK;
    }
    if (v.metaTilePal) job.mapFlags |= MAP_META_PAL;
    job.tileOffset = v.tileOffset;
}

void FillArea(const ExportDialogValues& v, PackedDib picture, ExportJob& job) {
    if (v.areaMode == AREA_CUSTOM) {
        job.left = v.areaLeft;
        job.top = v.areaTop;
        job.right = SaturatedSum(v.areaLeft, v.areaWidth);
        job.bottom = SaturatedSum(v.areaTop, v.areaHeight);
        return;
    }
    job.left = job.top = 0;
    job.right = picture ? DibWidth(picture) : 0;
    job.bottom = picture ? DibHeight(picture) : 0;
}

}  // namespace

int BppFromIndex(int index) {
    return index >= 0 && index < 31 ? 1 << index : 0;
}

TileGroupSize DialogTileGroup(const ExportDialogValues& values) {
    if (values.groupCustom) return {values.groupWidth, values.groupHeight};
    return TileGroupPreset(values.groupShape, values.groupSize);
}

bool SetOutputPath(ExportDialogValues& values, const std::string& path) {
    const bool changed = SplitOutputPath(values, path);
    RebuildPathBox(values);
    return changed;
}

void ParsePathBox(ExportDialogValues& values) {
    SplitOutputPath(values, values.path);
}

void ChangeOutputType(ExportDialogValues& values, int newType) {
    ParsePathBox(values);
    values.fileType = newType;
    RebuildPathBox(values);
}

std::string DocumentFolder(const std::string& documentPath, const std::string& currentFolder) {
    std::string path = documentPath;
    NormalizeSlashes(path);
    const std::string folder = PathDirectory(path);
    return folder.empty() ? currentFolder : folder;
}

bool TransferToJob(const ExportDialogValues& v, const std::string& documentPath, PackedDib picture,
                   ExportJob& job) {
    job.outFlags = job.palFlags = job.imgFlags = job.mapFlags = 0;
    job.sourcePath = documentPath;
    job.image.reset(picture ? DibDuplicate(picture) : nullptr);
    job.outFlags = (static_cast<std::uint32_t>(v.fileType) & OUT_KIND_MASK) |
                   (v.header ? OUT_HEADER : 0) | (v.append ? OUT_APPEND : 0) |
                   (v.smallestLz77 ? OUT_SMALLEST_LZ77 : 0);
    job.symbol = v.useName ? v.name : v.title;
    SanitizeIdentifier(job.symbol, job.symbol.size());
    job.folder = v.folder;
    job.title = v.title;
    FillPalette(v, job);
    FillGraphics(v, picture, job);
    FillMap(v, job);
    const TileGroupSize group = DialogTileGroup(v);
    job.metaWidth = group.width;
    job.metaHeight = group.height;
    FillArea(v, picture, job);
    const int sizeCode = std::clamp(v.sizeCode, 0, kSizeCodeCount - 1);
    job.palFlags = WithSizeCode(job.palFlags, sizeCode);
    job.imgFlags = WithSizeCode(job.imgFlags, sizeCode);
    job.mapFlags = WithSizeCode(job.mapFlags, sizeCode);
    return !picture || job.image != nullptr;
}

void TransferFromJob(const ExportJob& job, ExportDialogValues& v) {
    v.header = (job.outFlags & OUT_HEADER) != 0;
    v.append = (job.outFlags & OUT_APPEND) != 0;
    v.palStart = job.palStart;
    v.palNum = SaturatedSum(job.palEnd, -std::int64_t{job.palStart});
    v.imgBitmap = (job.imgFlags & IMG_BITMAP) != 0;
    if (v.mapEnabled) {
        v.mapLayout = (job.mapFlags & MAP_AFFINE) ? MAP_LAYOUT_AFFINE
                      : (job.mapFlags & MAP_SBB)  ? MAP_LAYOUT_SBB
                                                  : MAP_LAYOUT_FLAT;
        v.tileOffset = job.tileOffset;
        if (job.mapFlags & MAP_REDUCE) {
            v.reduce = true;
            v.reduceFlip = (job.mapFlags & MAP_FLIP) != 0;
            v.reducePal = (job.mapFlags & MAP_PALBANK) != 0;
        }
    }
    if (v.groupCustom) {
        v.groupWidth = job.metaWidth;
        v.groupHeight = job.metaHeight;
    }
    v.areaLeft = job.left;
    v.areaTop = job.top;
    v.areaWidth = SaturatedSum(job.right, -std::int64_t{job.left});
    v.areaHeight = SaturatedSum(job.bottom, -std::int64_t{job.top});
}

}  // namespace vorlin
