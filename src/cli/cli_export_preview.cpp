#include "cli/cli_export_preview.h"

#include <cstdio>
#include <iostream>

#include "export/export_preview.h"
#include "export/number_list.h"
#include "formats/byte_sink.h"
#include "formats/png_format.h"

namespace vorlin::cli {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonBlock(const BlockFigures& f) {
    return std::string("{\"exported\": ") + (f.exported ? "true" : "false") +
           ", \"bytes\": " + std::to_string(f.bytes) + ", \"stored\": " +
           std::to_string(f.stored) + ", \"compression\": " +
           JsonString(CompressionShortName(f.compression)) + "}";
}

namespace {

std::string JsonSpan(const VramSpan& span, bool fits) {
    return "{\"start\": " + std::to_string(span.start) + ", \"end\": " +
           std::to_string(span.end) + ", \"fits\": " + (fits ? "true" : "false") + "}";
}

}  // namespace

std::string PreviewPictureFile(const ConsolePicture& console, const std::string& path) {
    PngFormat png;
    png.AttachImage(ConsolePictureImage(console));
    MemorySink file;
    if (!png.WriteTo(file)) Failed(path, png.message);
    return std::string(file.Bytes().begin(), file.Bytes().end());
}

bool ApplyPlacementOption(VramPlacement& placement, const std::string& option, ArgCursor& args) {
    if (option == "--char-block") {
        placement.charBlock = ParseInt(args.Value(option), option, 0, kCharBlockCount - 1);
    } else if (option == "--screen-block") {
        placement.screenBlock = ParseInt(args.Value(option), option, 0, kScreenBlockCount - 1);
    } else {
        return false;
    }
    return true;
}

bool ApplyPreviewOption(PreviewRequest& request, const std::string& option, ArgCursor& args) {
    if (option == "--preview") {
        request.pictureFile = args.Value(option);
    } else if (option == "--stats") {
        request.stats = true;
    } else if (option == "--stats=json") {
        request.stats = request.json = true;
    } else if (option == "--strict") {
        request.strict = true;
    } else {
        return ApplyPlacementOption(request.placement, option, args);
    }
    return true;
}

std::string PreviewJson(const ExportStats& s, const std::vector<ExportWarning>& warnings) {
    std::string out = "{\n  \"stats\": {\n";
    out += "    \"bitmap\": " + std::string(s.bitmap ? "true" : "false") + ",\n";
    out += "    \"areaTiles\": " + std::to_string(s.areaTiles) + ",\n";
    out += "    \"graphicsTiles\": " + std::to_string(s.graphicsTiles) + ",\n";
    out += "    \"palette\": " + JsonBlock(s.palette) + ",\n";
    out += "    \"graphics\": " + JsonBlock(s.graphics) + ",\n";
    out += "    \"map\": " + JsonBlock(s.map) + ",\n";
    out += "    \"metaMap\": " + JsonBlock(s.metaMap) + ",\n";
    out += "    \"charBlock\": " + std::to_string(s.placement.charBlock) + ",\n";
    out += "    \"screenBlock\": " + std::to_string(s.placement.screenBlock) + ",\n";
    out += "    \"tileMemory\": " + JsonSpan(s.tileMemory, s.tilesFit) + ",\n";
    out += "    \"mapMemory\": " + JsonSpan(s.mapMemory, s.mapFits) + ",\n";
    out += "    \"tileIndices\": {\"low\": " + std::to_string(s.lowIndex) + ", \"high\": " +
           std::to_string(s.highIndex) + ", \"limit\": " + std::to_string(s.indexLimit) + "},\n";
    out += "    \"banks\": [" + NumberList(SetBits(s.banks), {", ", ", "}) + "],\n";
    out += "    \"differentPixels\": " + std::to_string(s.differentPixels) + "\n  },\n";
    out += "  \"warnings\": [";
    for (std::size_t i = 0; i < warnings.size(); ++i)
        out += std::string(i ? "," : "") + "\n    {\"x\": " + std::to_string(warnings[i].x) +
               ", \"y\": " + std::to_string(warnings[i].y) +
               ", \"text\": " + JsonString(warnings[i].text) + "}";
    out += warnings.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string RunPreview(const ExportJob& job, const PreviewRequest& request,
                       const std::string& output) {
    const ExportPreview preview = PreviewExport(job, request.placement);
    if (!preview.ok) Failed(output, kPreviewFailed);
    if (request.json) {
        std::cout << PreviewJson(preview.stats, preview.warnings);
    } else if (request.stats) {
        for (const std::string& line : ExportStatsLines(preview.stats)) std::cout << line << '\n';
        for (const ExportWarning& w : preview.warnings) std::cout << WarningLine(w) << '\n';
    }
    std::cout.flush();
    if (request.strict && !preview.warnings.empty()) {
        if (!request.stats)
            for (const ExportWarning& w : preview.warnings) std::cerr << WarningLine(w) << '\n';
        Failed(output, std::to_string(preview.warnings.size()) +
                           " warning(s) with --strict; nothing written");
    }
    if (request.pictureFile.empty()) return {};
    return PreviewPictureFile(preview.console, request.pictureFile);
}

}  // namespace vorlin::cli
