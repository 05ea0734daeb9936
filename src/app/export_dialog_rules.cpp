#include "app/export_dialog_rules.h"

#include <climits>
#include <cstdint>
#include <string>

#include "export/export_names.h"

namespace vorlin {

namespace {

constexpr int kPaletteSize = 256;
constexpr int kTilePixels = 8;
constexpr char kSummaryNone[] = "-";
constexpr char kFileSeparator[] = "   ";
// The largest area side, as the command line accepts it.
constexpr int kMaxAreaSide = 65536;

bool Refused(std::uint32_t refused, int box) {
    return (refused >> box) & 1u;
}

// The line of a refused box: its range, since the value it shows is not the one in use.
std::string RefusedLine(const char* label, std::uint32_t refused, std::initializer_list<int> boxes,
                        const ExportPictureInfo& picture) {
    for (int box : boxes) {
        if (!Refused(refused, box)) continue;
        const NumberRange range = ExportBoxRange(box, picture);
        const std::string accepted =
            range.minimum == INT_MIN
                ? std::string("an integer")
                : std::to_string(range.minimum) + " to " + std::to_string(range.maximum);
        return std::string(label) + ": ? (" + ExportBoxCaption(box) + ": " + accepted + ")";
    }
    return {};
}

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

std::string ExportDialogSummary(const ExportDialogValues& v, const ExportPictureInfo& picture,
                                std::uint32_t refused) {
    const auto line = [&](const char* label, std::initializer_list<int> boxes,
                          const std::string& shown) {
        const std::string refusal = RefusedLine(label, refused, boxes, picture);
        return refusal.empty() ? shown : refusal;
    };
    return line("pal", {BOX_START, BOX_NUM}, PaletteLine(v)) + "\n" + ImageLine(v) + "\n" +
           line("area", {BOX_LEFT, BOX_TOP, BOX_WIDTH, BOX_HEIGHT}, AreaLine(v, picture)) + "\n" +
           line("meta", {BOX_GROUP_X, BOX_GROUP_Y}, GroupLine(v)) + "\n" +
           line("map", {BOX_OFFSET}, MapLine(v)) + "\n" + FileLine(v);
}

const char* ExportBoxCaption(int box) {
    static constexpr const char* kCaptions[kExportNumberBoxCount] = {
        "start", "num", "ofs", "nx", "ny", "left", "top", "width", "height"};
    return box >= 0 && box < kExportNumberBoxCount ? kCaptions[box] : "";
}

NumberRange ExportBoxRange(int box, const ExportPictureInfo& picture) {
    // Without a picture there is nothing to lie outside of.
    const int lastColumn = picture.width > 0 ? picture.width - 1 : INT_MAX;
    const int lastRow = picture.height > 0 ? picture.height - 1 : INT_MAX;
    switch (box) {
        case BOX_START:
            return {0, kPaletteSize - 1};
        case BOX_NUM:
            return {0, kPaletteSize};
        case BOX_GROUP_X:
        case BOX_GROUP_Y:
            return {0, 256};
        case BOX_LEFT:
            return {0, lastColumn};
        case BOX_TOP:
            return {0, lastRow};
        case BOX_WIDTH:
        case BOX_HEIGHT:
            return {1, kMaxAreaSide};
        default:  // "ofs" takes any integer; the map wraps it
            return {INT_MIN, INT_MAX};
    }
}

bool ExportBoxInUse(int box, const ExportDialogEnables& e) {
    switch (box) {
        case BOX_START:
        case BOX_NUM:
            return e.palRange;
        case BOX_OFFSET:
            return e.mapOptions;
        case BOX_GROUP_X:
        case BOX_GROUP_Y:
            return e.groupSize;
        default:
            return e.areaFields;
    }
}

namespace {

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

// One line per control whose value differs; only controls in use are compared.
class AlterationList {
  public:
    void Number(bool inUse, const char* caption, int before, int after) {
        if (inUse && before != after) Add(caption, Num(before), Num(after));
    }
    void Flag(bool inUse, const char* caption, bool before, bool after) {
        if (inUse && before != after) Add(caption, OnOff(before), OnOff(after));
    }
    std::vector<std::string> lines;

  private:
    void Add(const char* caption, const std::string& before, const std::string& after) {
        lines.push_back(std::string(caption) + ": " + before + " -> " + after);
    }
};

}  // namespace

std::vector<std::string> ValidationAlterations(const ExportDialogValues& v,
                                               const ExportDialogValues& a) {
    const ExportDialogEnables e = ExportDialogEnableRules(v);
    AlterationList list;
    list.Flag(true, "h file", v.header, a.header);
    list.Flag(true, "append", v.append, a.append);
    list.Number(e.palRange, "start", v.palStart, a.palStart);
    list.Number(e.palRange, "num", v.palNum, a.palNum);
    list.Flag(e.imageOptions, "bitmap", v.imgBitmap, a.imgBitmap);
    if (e.mapOptions && v.mapLayout != a.mapLayout)
        list.lines.push_back(std::string("map: ") + MapLayoutName(v.mapLayout) + " -> " +
                             MapLayoutName(a.mapLayout));
    list.Number(e.mapOptions, "ofs", v.tileOffset, a.tileOffset);
    list.Flag(e.mapOptions, "reduce", v.reduce, a.reduce);
    list.Flag(e.reduceOptions, "flip", v.reduceFlip, a.reduceFlip);
    list.Flag(e.reduceOptions, "pal", v.reducePal, a.reducePal);
    list.Number(e.groupSize, "nx", v.groupWidth, a.groupWidth);
    list.Number(e.groupSize, "ny", v.groupHeight, a.groupHeight);
    const bool area = e.areaFields && (v.imgEnabled || v.mapEnabled);
    list.Number(area, "left", v.areaLeft, a.areaLeft);
    list.Number(area, "top", v.areaTop, a.areaTop);
    list.Number(area, "width", v.areaWidth, a.areaWidth);
    list.Number(area, "height", v.areaHeight, a.areaHeight);
    return list.lines;
}

std::string ValidationQuestion(const std::vector<std::string>& alterations) {
    std::string text = kValidationQuestion;
    for (const std::string& line : alterations) text += "\n" + line;
    return text;
}

}  // namespace vorlin
