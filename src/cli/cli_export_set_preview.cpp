// The console preview of several pictures exported together: the shared
// blocks' figures once, then every picture's map, warnings naming the picture.
#include <iostream>

#include "cli/cli_export_preview.h"
#include "export/export_preview.h"

namespace vorlin::cli {

namespace {

bool IsSharedLine(const std::string& line) {
    return line.starts_with("palette:") || line.starts_with("graphics:");
}

void PrintStats(const ExportSet& set, const std::vector<std::string>& inputs,
                const std::vector<ExportPreview>& previews) {
    std::cout << set.shared->title << " (shared by " << previews.size() << " pictures):\n";
    for (const std::string& line : ExportStatsLines(previews[0].stats))
        if (IsSharedLine(line)) std::cout << "  " << line << '\n';
    for (std::size_t p = 0; p < previews.size(); ++p) {
        std::cout << inputs[p] << ":\n";
        for (const std::string& line : ExportStatsLines(previews[p].stats))
            if (!IsSharedLine(line)) std::cout << "  " << line << '\n';
    }
}

std::string SetJson(const std::vector<std::string>& inputs,
                    const std::vector<ExportPreview>& previews) {
    const ExportStats& shared = previews[0].stats;
    std::string out = "{\n\"shared\": {\"graphicsTiles\": " + std::to_string(shared.graphicsTiles) +
                      ", \"palette\": " + JsonBlock(shared.palette) +
                      ", \"graphics\": " + JsonBlock(shared.graphics) + "},\n\"pictures\": [\n";
    for (std::size_t p = 0; p < previews.size(); ++p) {
        const std::string one = PreviewJson(previews[p].stats, previews[p].warnings);
        // {"picture": INPUT, "stats": ..., "warnings": ...}
        out += "{\n  \"picture\": " + JsonString(inputs[p]) + "," + one.substr(1);
        if (p + 1 < previews.size()) out.insert(out.size() - 1, ",");
    }
    return out + "]\n}\n";
}

}  // namespace

std::vector<std::string> RunSetPreview(const ExportSet& set, const std::vector<std::string>& inputs,
                                       const PreviewRequest& request, const std::string& output) {
    std::vector<ExportPreview> previews;
    std::vector<std::string> warnings;
    for (std::size_t p = 0; p < set.pictures.size(); ++p) {
        previews.push_back(PreviewExport(*set.pictures[p], request.placement));
        if (!previews.back().ok) Failed(inputs[p], kPreviewFailed);
        for (const ExportWarning& w : previews.back().warnings)
            warnings.push_back(inputs[p] + " " + WarningLine(w));
    }
    if (request.json) {
        std::cout << SetJson(inputs, previews);
    } else if (request.stats) {
        PrintStats(set, inputs, previews);
        for (const std::string& line : warnings) std::cout << line << '\n';
    }
    std::cout.flush();
    if (request.strict && !warnings.empty()) {
        if (!request.stats)
            for (const std::string& line : warnings) std::cerr << line << '\n';
        Failed(output, std::to_string(warnings.size()) + " warning(s) with --strict; nothing written");
    }
    std::vector<std::string> pictures(previews.size());
    if (!request.pictureFile.empty())
        for (std::size_t p = 0; p < previews.size(); ++p)
            pictures[p] = PreviewPictureFile(previews[p].console, inputs[p]);
    return pictures;
}

}  // namespace vorlin::cli
