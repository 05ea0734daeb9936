#include "app/export_dialog_rules.h"

#include <cstdint>
#include <string>

#include "export/export_names.h"

namespace vorlin {

namespace {

constexpr int kPaletteSize = 256;
constexpr int kTilePixels = 8;
constexpr char kSummaryNone[] = "-";
constexpr char kFileSeparator[] = "   ";

std::string Num(std::int64_t value) {
    return std::to_string(value);
}

bool TilesChosen(const ExportDialogValues& v) {
    return !v.imgBitmap;
}

std::string PaletteLine(const ExportDialogValues& v) {
    if (!v.palEnabled) return std::string("pal: ") + kSummaryNone;
    std::int64_t num = v.palNum;
    if (std::int64_t{v.palStart} + num > kPaletteSize)
        num = kPaletteSize - std::int64_t{v.palStart};
    return "pal: " + Num(v.palStart) + "-" + Num(v.palStart + num) + " [" + Num(num) + "]";
}

std::string ImageLine(const ExportDialogValues& v) {
    if (!v.imgEnabled) return std::string("img: ") + kSummaryNone;
    return std::string("img: ") + (v.imgBitmap ? "bm" : "tile") + ", " +
           Num(BppFromIndex(v.bppIndex)) + "bpp, cprs: " + CompressionCaption(v.imgCompression);
}

std::string AreaLine(const ExportDialogValues& v, const ExportPictureInfo& picture) {
    if (!v.imgEnabled && !v.mapEnabled) return std::string("area: ") + kSummaryNone;
    const bool custom = v.areaMode == AREA_CUSTOM;
    const std::int64_t left = custom ? v.areaLeft : 0;
    const std::int64_t top = custom ? v.areaTop : 0;
    const std::int64_t width = custom ? v.areaWidth : picture.width;
    const std::int64_t height = custom ? v.areaHeight : picture.height;
    return "area: (" + Num(left) + "," + Num(top) + ")-(" + Num(left + width) + "," +
           Num(top + height) + ")   [" + Num(width) + ", " + Num(height) + "]";
}

std::string GroupLine(const ExportDialogValues& v) {
    if (!TilesChosen(v)) return std::string("obj: ") + kSummaryNone;
    const TileGroupSize group = DialogTileGroup(v);
    return "meta: " + Num(group.width) + "x" + Num(group.height) + " tiles (" +
           Num(std::int64_t{group.width} * kTilePixels) + "x" +
           Num(std::int64_t{group.height} * kTilePixels) + " px)";
}

const char* MapLayoutName(int layout) {
    if (layout == MAP_LAYOUT_SBB) return "in SBBs";
    if (layout == MAP_LAYOUT_AFFINE) return "affine";
    return "flat";
}

std::string MapLine(const ExportDialogValues& v) {
    if (!v.mapEnabled || !TilesChosen(v)) return std::string("map: ") + kSummaryNone;
    std::string line =
        std::string("map: ") + MapLayoutName(v.mapLayout) + ", +" + Num(v.tileOffset) + " ";
    if (v.reduce) {
        line += "reduced [t";
        if (v.reduceFlip) line += "f";
        if (v.reducePal) line += "p";
        line += "]";
    }
    return line;
}

std::string FileLine(const ExportDialogValues& v) {
    std::string line = "files:  ";
    for (const std::string& suffix : ExportOutputSuffixes(v))
        line += v.title + suffix + kFileSeparator;
    return line;
}

}  // namespace

ExportDialogEnables ExportDialogEnableRules(const ExportDialogValues& v) {
    const bool tiles = TilesChosen(v);
    ExportDialogEnables e;
    e.palRange = v.palEnabled;
    e.imageOptions = v.imgEnabled;
    e.mapCheck = tiles;
    e.mapOptions = tiles && v.mapEnabled;
    e.reduceOptions = e.mapOptions && v.reduce;
    e.groupCustom = tiles;
    e.groupPresets = tiles && !v.groupCustom;
    e.groupSize = tiles && v.groupCustom;
    e.areaFields = v.areaMode == AREA_CUSTOM;
    e.nameBox = v.useName;
    return e;
}

void ApplyOpeningAdjustments(ExportDialogValues& v, const ExportPictureInfo& picture) {
    if (picture.colorCount > 0 &&
        picture.colorCount < std::int64_t{v.palStart} + std::int64_t{v.palNum}) {
        v.palStart = 0;
        v.palNum = picture.colorCount;
    }
    if (v.areaMode != AREA_CUSTOM) {
        v.areaLeft = v.areaTop = 0;
        v.areaWidth = picture.width;
        v.areaHeight = picture.height;
    }
    if (!v.useName) v.name = v.title;
}

std::vector<std::string> ExportOutputSuffixes(const ExportDialogValues& v) {
    std::vector<std::string> suffixes;
    if (v.header) suffixes.push_back(".h");
    const bool map = v.mapEnabled && TilesChosen(v);
    const TileGroupSize group = DialogTileGroup(v);
    switch (v.fileType) {
        case OUT_KIND_C:
            suffixes.push_back(".c");
            break;
        case OUT_KIND_ASM:
            suffixes.push_back(".s");
            break;
        case OUT_KIND_BIN:
            if (v.palEnabled) suffixes.push_back(".pal.bin");
            if (v.imgEnabled) suffixes.push_back(".img.bin");
            if (map) suffixes.push_back(".map.bin");
            if (map && std::int64_t{group.width} * group.height > 1)
                suffixes.push_back(".meta.bin");
            break;
        case OUT_KIND_GBFS:
            suffixes.push_back(".gbfs");
            break;
        default:
            break;
    }
    return suffixes;
}

std::vector<std::string> ExportOutputFiles(const ExportDialogValues& v) {
    std::vector<std::string> files;
    for (const std::string& suffix : ExportOutputSuffixes(v))
        files.push_back(v.folder + "/" + v.title + suffix);
    return files;
}

std::string ReplaceOutputsQuestion(const std::vector<std::string>& existing) {
    std::string text = existing.size() == 1 ? "This file exists and will be replaced:\n"
                                            : "These files exist and will be replaced:\n";
    for (const std::string& file : existing) text += file + "\n";
    return text + "Replace?";
}

std::string ExportDialogSummary(const ExportDialogValues& v, const ExportPictureInfo& picture) {
    return PaletteLine(v) + "\n" + ImageLine(v) + "\n" + AreaLine(v, picture) + "\n" +
           GroupLine(v) + "\n" + MapLine(v) + "\n" + FileLine(v);
}

}  // namespace vorlin
