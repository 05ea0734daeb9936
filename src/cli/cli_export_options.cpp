#include "cli/cli_export_options.h"

#include <functional>
#include <map>

namespace vorlin::cli {

namespace {

const std::vector<std::string> kBppChoices = {"1", "2", "4", "8", "16"};
const std::vector<std::string> kCompressionChoices = {"none", "lz77", "huff", "rle"};
const std::vector<std::string> kLayoutChoices = {"flat", "sbb", "affine"};
const std::vector<std::string> kUnitChoices = {"u8", "u16", "u32"};
const std::vector<std::string> kShapeChoices = {"sqr", "wide", "tall"};
const std::vector<std::string> kGroupSizeChoices = {"1", "2", "4", "8"};
constexpr int kMaxGroupSide = 256;
constexpr std::int64_t kMaxArea = 65536;
// Enough to recognise a bad preset line by.
constexpr std::size_t kMaxReportedLine = 160;

using Setter = std::function<void(ExportDialogValues&, const std::string& option, ArgCursor&)>;

Setter Flag(bool ExportDialogValues::*field, bool value) {
    return [=](ExportDialogValues& v, const std::string&, ArgCursor&) { v.*field = value; };
}

Setter Choice(int ExportDialogValues::*field, const std::vector<std::string>& choices) {
    return [field, &choices](ExportDialogValues& v, const std::string& option, ArgCursor& args) {
        v.*field = ParseChoice(args.Value(option), option, choices);
    };
}

Setter Number(int ExportDialogValues::*field, std::int64_t low, std::int64_t high) {
    return [=](ExportDialogValues& v, const std::string& option, ArgCursor& args) {
        v.*field = ParseInt(args.Value(option), option, low, high);
    };
}

// "WxH" for --meta.
void SetGroupSize(ExportDialogValues& v, const std::string& option, ArgCursor& args) {
    // A tile group is at least one tile each way; 0 would be taken as 1 without a word.
    const SizePair size = ParseSize(args.Value(option), option, 1, kMaxGroupSide);
    v.groupWidth = size.width;
    v.groupHeight = size.height;
    v.groupCustom = true;
}

// "X,Y,W,H" for --area.
void SetArea(ExportDialogValues& v, const std::string& option, ArgCursor& args) {
    const std::string& text = args.Value(option);
    int* fields[] = {&v.areaLeft, &v.areaTop, &v.areaWidth, &v.areaHeight};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? text.find(',', start) : text.size();
        if (comma == std::string::npos) UsageError(option + " needs X,Y,WIDTH,HEIGHT");
        *fields[i] = ParseInt(text.substr(start, comma - start), option, i < 2 ? 0 : 1, kMaxArea);
        start = comma + 1;
    }
    v.areaMode = AREA_CUSTOM;
}

const std::map<std::string, Setter>& Options() {
    using V = ExportDialogValues;
    static const std::map<std::string, Setter> options = {
        {"--pal", Flag(&V::palEnabled, true)},
        {"--no-pal", Flag(&V::palEnabled, false)},
        {"--pal-start", Number(&V::palStart, 0, 255)},
        {"--pal-count", Number(&V::palNum, 0, 256)},
        {"--img", Flag(&V::imgEnabled, true)},
        {"--no-img", Flag(&V::imgEnabled, false)},
        {"--bitmap", Flag(&V::imgBitmap, true)},
        {"--tiles", Flag(&V::imgBitmap, false)},
        {"--bpp", Choice(&V::bppIndex, kBppChoices)},
        {"--img-cprs", Choice(&V::imgCompression, kCompressionChoices)},
        {"--map", Flag(&V::mapEnabled, true)},
        {"--no-map", Flag(&V::mapEnabled, false)},
        {"--map-layout", Choice(&V::mapLayout, kLayoutChoices)},
        {"--reduce", Flag(&V::reduce, true)},
        {"--no-reduce", Flag(&V::reduce, false)},
        {"--flip", Flag(&V::reduceFlip, true)},
        {"--no-flip", Flag(&V::reduceFlip, false)},
        {"--palbank", Flag(&V::reducePal, true)},
        {"--no-palbank", Flag(&V::reducePal, false)},
        {"--meta-pal", Flag(&V::metaTilePal, true)},
        {"--no-meta-pal", Flag(&V::metaTilePal, false)},
        {"--map-cprs", Choice(&V::mapCompression, kCompressionChoices)},
        {"--tile-offset", Number(&V::tileOffset, INT32_MIN, INT32_MAX)},
        {"--meta", SetGroupSize},
        {"--meta-shape",
         [](V& v, const std::string& o, ArgCursor& a) {
             v.groupShape = ParseChoice(a.Value(o), o, kShapeChoices);
             v.groupCustom = false;
         }},
        {"--meta-size",
         [](V& v, const std::string& o, ArgCursor& a) {
             v.groupSize = ParseChoice(a.Value(o), o, kGroupSizeChoices);
             v.groupCustom = false;
         }},
        {"--area", SetArea},
        {"--area-image", [](V& v, const std::string&, ArgCursor&) { v.areaMode = AREA_AS_IMAGE; }},
        {"--unit", Choice(&V::sizeCode, kUnitChoices)},
        {"--header", Flag(&V::header, true)},
        {"--no-header", Flag(&V::header, false)},
        {"--append", Flag(&V::append, true)},
        {"--best", Flag(&V::smallestLz77, true)},
        {"--no-best", Flag(&V::smallestLz77, false)},
        {"--no-append", Flag(&V::append, false)},
        {"--symbol",
         [](V& v, const std::string& o, ArgCursor& a) {
             v.name = a.Value(o);
             v.useName = true;
         }},
    };
    return options;
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A preset line: the option, then (for options with a value) the rest of the line.
void ApplyPresetLine(ExportDialogValues& values, const std::string& line) {
    const std::size_t gap = line.find_first_of(" \t");
    std::vector<std::string> words = {line.substr(0, gap)};
    if (gap != std::string::npos) words.push_back(Trim(line.substr(gap)));
    ArgCursor args(words);
    const std::string option = args.Next();
    if (!ApplyExportOption(values, option, args)) UsageError("unknown option " + option);
    if (!args.Done()) UsageError(option + " takes no value");
}

std::string OnOff(bool on, const char* name) {
    return std::string(on ? "--" : "--no-") + name;
}

}  // namespace

bool ApplyExportOption(ExportDialogValues& values, const std::string& option, ArgCursor& args) {
    const auto found = Options().find(option);
    if (found == Options().end()) return false;
    found->second(values, option, args);
    return true;
}

void LoadPreset(ExportDialogValues& values, const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    std::size_t lineNumber = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(at, end - at));
        at = end + 1;
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        try {
            ApplyPresetLine(values, line);
        } catch (const CliFailure& failure) {
            // The line's bytes are the file's, not ours: nothing in them may reach the terminal
            // raw.
            throw CliFailure{failure.status, path + ":" + std::to_string(lineNumber) + ": " +
                                                 Printable(failure.message, kMaxReportedLine)};
        }
    }
}

std::vector<std::string> PresetLines(const ExportDialogValues& v) {
    std::vector<std::string> lines = {
        OnOff(v.palEnabled, "pal"),
        "--pal-start " + std::to_string(v.palStart),
        "--pal-count " + std::to_string(v.palNum),
        OnOff(v.imgEnabled, "img"),
        v.imgBitmap ? "--bitmap" : "--tiles",
        "--bpp " + kBppChoices.at(v.bppIndex),
        "--img-cprs " + kCompressionChoices.at(v.imgCompression),
        OnOff(v.mapEnabled, "map"),
        "--map-layout " + kLayoutChoices.at(v.mapLayout),
        OnOff(v.reduce, "reduce"),
        OnOff(v.reduceFlip, "flip"),
        OnOff(v.reducePal, "palbank"),
        OnOff(v.metaTilePal, "meta-pal"),
        "--map-cprs " + kCompressionChoices.at(v.mapCompression),
        "--tile-offset " + std::to_string(v.tileOffset),
    };
    if (v.groupCustom) {
        lines.push_back("--meta " + std::to_string(v.groupWidth) + "x" +
                        std::to_string(v.groupHeight));
    } else {
        lines.push_back("--meta-shape " + kShapeChoices.at(v.groupShape));
        lines.push_back("--meta-size " + kGroupSizeChoices.at(v.groupSize));
    }
    if (v.areaMode == AREA_CUSTOM)
        lines.push_back("--area " + std::to_string(v.areaLeft) + "," + std::to_string(v.areaTop) +
                        "," + std::to_string(v.areaWidth) + "," + std::to_string(v.areaHeight));
    else
        lines.push_back("--area-image");
    lines.push_back("--unit " + kUnitChoices.at(v.sizeCode));
    lines.push_back(OnOff(v.header, "header"));
    lines.push_back(OnOff(v.append, "append"));
    lines.push_back(OnOff(v.smallestLz77, "best"));
    if (v.useName) lines.push_back("--symbol " + v.name);
    return lines;
}

std::string PresetText(const ExportDialogValues& values) {
    std::string text = "# vorlin-cli export preset\n";
    for (const std::string& line : PresetLines(values)) text += line + '\n';
    return text;
}

}  // namespace vorlin::cli
